// The balloon a unit shows above its head for a while in a story scene: a
// surprise, a question, silence, anger, joy, sweat or a song.
#pragma once

#include "gfx/draw_data.h"

class CEnemy;

// Frames of the balloon sheet "ziki/emotion.png", numbered row by row.
// ANGERY is the spelling the scripts use.
enum class EEmotion : int {
  SURPRISE = 0,
  QUESTION = 1,
  SILENCE = 2,
  ANGERY = 3,
  PLEASED = 4,
  SWEAT = 5,
  MUSICAL_NOTE = 6,
};

class CEmotion {
 public:
  // Shown for `frames` updates of its actor (none for 0 or less). The actor
  // owns the balloon.
  CEmotion(CEnemy& actor, EEmotion emotion, int frames);

  bool IsEnd() const { return remainingFrames <= 0; }
  void Update();
  // Queues the balloon 24 pixels above the actor's sprite, sorted like it.
  void Draw();

  EEmotion GetEmotion() const { return emotion; }
  int GetRemainingFrames() const { return remainingFrames; }

 private:
  CEnemy* actor;
  EEmotion emotion;
  int remainingFrames;
  SDrawData picture;
};
