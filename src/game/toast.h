// A few words in the top right corner for a while, over whatever the scene
// drew: the answer to a key that opens no window of its own (F12).
#pragma once

#include <string>

class CToast {
 public:
  static constexpr int kFrames = 120;  // about two seconds

  // Replaces whatever was shown, for `frames` drawn frames.
  void Show(std::string text, int frames = kFrames);
  void Hide() { framesLeft = 0; }
  // Draws it and counts the frame; nothing once its time is up.
  void Draw();

 private:
  std::string text;
  int framesLeft = 0;
};
