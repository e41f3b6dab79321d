// One picture on screen: which image (or animation strip), how large, how
// bright, how transparent, rotated or mirrored, clipped or not.
#pragma once

#include <vector>

#include "core/geometry.h"

// One image of a strip; the offset is added to the draw position while this
// image is the current one.
struct SAnimationInfo {
  int handle = 0;
  int offsetX = 0;
  int offsetY = 0;
};

struct SDrawData {
  int brightR = 255;
  int brightG = 255;
  int brightB = 255;
  bool turn = false;         // mirrored left-right
  bool transparent = true;   // honour the transparent colour
  bool rotate = false;
  double angle = 0.0;        // degrees, clockwise; used only when rotate is set
  std::vector<SAnimationInfo> images;
  int width = 0;             // displayed size
  int height = 0;
  int imageWidth = 0;        // size of the source image
  int imageHeight = 0;
  SPoint pivot;              // SetSize makes the position name the centre
  SPointD drawOffset;
  int frameWait = -1;        // frames per image; below 0: no animation
  int waitDivisor = 1;
  int frameCounter = 0;
  int imageIndex = 0;
  bool loop = true;
  bool finished = false;     // a non-looping strip has shown its last image
  double scale = 1.0;
  bool stretch = false;      // draw at width x height
  bool visible = true;
  bool clip = false;
  CRectExD clipRect;         // relative to the centre of the displayed image

  SDrawData() = default;
  explicit SDrawData(int handle);

  void AddImage(int handle);
  void SetSize(int w, int h);
  // Leaves the record unchanged when it has no image or the size cannot be read.
  void SetSizeFromImage();
  void SetImageSize(int w, int h);

  void SetAlpha(double a);
  double GetAlpha() const { return alpha; }
  void SetRotate(bool on) { rotate = on; }
  void SetAngle(double degrees) { angle = degrees; }
  void SetTransparent(bool on) { transparent = on; }
  void SetLoop(bool on) { loop = on; }
  void SetScale(double s) { scale = s; }

  // Advances the strip by one frame; each image stays for
  // frameWait / waitDivisor + 1 updates.
  void UpdateAnimation();

  // An index outside the strip warns on stdout and yields handle 0, offset (0, 0).
  int GetCurrentImgHandle() const;
  SPoint GetCurrentImgOffset() const;

 private:
  bool IndexInStrip() const;

  double alpha = 255.0;  // 0..255, kept in range by SetAlpha
};

// Draws the record with its pivot and current image offset added to
// `position`, and restores blend mode, brightness and clip area afterwards.
void DrawSDrawData(const SDrawData& data, SPointD position);
