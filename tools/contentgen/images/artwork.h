// Drawing routines for every picture of dat/image other than the unit
// sprite sheets (units.h) and the map chips.
#pragma once

#include <string>

#include "images/canvas.h"

namespace contentgen {

class CFontBook;

// Weapons, drawn for an attacker facing up whose centre sits `reach` pixels
// below the picture's centre. kind is "knife", "long_sword", "large_sword"
// or "spier"; pattern counts from 0.
CCanvas DrawSwing(const std::string& kind, int pattern);
CCanvas DrawRod(int pattern);  // 96 x 96
CCanvas DrawBow();             // 24 x 24
CCanvas DrawArrow();           // 32 x 32, pointing up

// Spell visuals and battle effects.
CCanvas DrawFireball();             // 32 x 32, flying up
CCanvas DrawFirewall(int frame);    // 32 x 64, frame 0..1
CCanvas DrawThunder(int frame);     // 32 x 96, frame 0..4
CCanvas DrawWaterBall();            // 16 x 16
CCanvas DrawShotHit(int frame);     // 16 x 16, frame 0..7
CCanvas DrawHealSparkle();          // 16 x 16
CCanvas DrawPoisonBubble();         // 16 x 16
CCanvas DrawSpeedStreak(bool blue); // 16 x 32
CCanvas DrawDigit(int digit, bool healing);  // 16 x 16
// A status word on 32 x 32: up to two lines, fill and edge colours.
CCanvas DrawStatusText(CFontBook& fonts, const std::string& line1, const std::string& line2, SColor fill,
                       SColor edge);

// Interface parts.
enum class EGridTint { Blue, Yellow, Red, Green, Sight };
CCanvas DrawRangeTile(EGridTint tint);  // 34 x 34
CCanvas DrawCursor();                   // 32 x 32
CCanvas DrawCursorDown();               // 16 x 16
CCanvas DrawSmallArrow();               // 16 x 16, pointing up
CCanvas DrawLargeArrow();               // 48 x 48, pointing up
CCanvas DrawHand();                     // 30 x 32, pointing right
CCanvas DrawCoins();                    // 32 x 32
CCanvas DrawShadow();                   // 32 x 32
CCanvas DrawPortal(int frame);          // 32 x 32, frame 0..2
// poison, slow, fast, move_down, move_up, provocation, concentrate
CCanvas DrawStateIcon(const std::string& state);  // 24 x 24
CCanvas DrawEmotionSheet(CFontBook& fonts);       // 128 x 64

// Portraits (96 x 96) by file name, e.g. "knight_face.png".
CCanvas DrawFace(const std::string& name);

// Full-screen pictures, 640 x 480, opaque.
CCanvas DrawTitle(CFontBook& fonts);
CCanvas DrawTownEntrance();

}  // namespace contentgen
