#include "field/emotion.h"

#include <algorithm>

#include "assets/unit_sprites.h"
#include "field/enemy.h"
#include "gfx/draw_queue.h"

namespace {

constexpr int kBalloonSize = 32;
constexpr double kAboveHead = -24.0;

int BalloonHandle(EEmotion emotion) {
  const int frame = static_cast<int>(emotion);
  return frame >= 0 && frame < EMOTION_FRAMES ? emotionSprites[frame] : 0;
}

}  // namespace

CEmotion::CEmotion(CEnemy& actor_, EEmotion emotion_, int frames)
    : actor(&actor_), emotion(emotion_), remainingFrames(std::max(frames, 0)), picture(BalloonHandle(emotion_)) {
  picture.SetImageSize(kBalloonSize, kBalloonSize);
  picture.SetSize(kBalloonSize, kBalloonSize);
}

void CEmotion::Update() {
  --remainingFrames;
  picture.UpdateAnimation();
}

void CEmotion::Draw() {
  const SPointD at = actor->GetScreenPosition() + actor->drawOffset + SPointD(0.0, kAboveHead);
  actor->GetMapView().GetDrawQueue().Add(at, picture, LayerPriority(actor->layer, at.y));
}
