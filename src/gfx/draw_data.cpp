#include "gfx/draw_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>
#include <string>

#include "runtime/gamelib/gamelib.h"

SDrawData::SDrawData(int handle) { AddImage(handle); }

void SDrawData::AddImage(int handle) { images.push_back({handle, 0, 0}); }

void SDrawData::SetSize(int w, int h) {
  width = w;
  height = h;
  pivot = {-w / 2, -h / 2};
}

void SDrawData::SetSizeFromImage() {
  if (images.empty()) return;
  int w = 0;
  int h = 0;
  if (GetGraphSize(images.front().handle, &w, &h) != 0) return;
  SetSize(w, h);
}

void SDrawData::SetImageSize(int w, int h) {
  imageWidth = w;
  imageHeight = h;
}

void SDrawData::SetAlpha(double a) { alpha = std::clamp(a, 0.0, 255.0); }

void SDrawData::UpdateAnimation() {
  if (finished || frameWait < 0) return;
  if (waitDivisor <= 0) {
    throw std::runtime_error("animation wait divisor must be positive, got " + std::to_string(waitDivisor));
  }
  const int threshold = frameWait / waitDivisor;
  if (frameCounter < threshold) {
    ++frameCounter;
    return;
  }
  if (imageIndex < static_cast<int>(images.size()) - 1) {
    frameCounter = 0;
    ++imageIndex;
  } else if (loop) {
    frameCounter = 0;
    imageIndex = 0;
  } else {
    finished = true;
  }
}

bool SDrawData::IndexInStrip() const {
  return imageIndex >= 0 && imageIndex < static_cast<int>(images.size());
}

int SDrawData::GetCurrentImgHandle() const {
  if (!IndexInStrip()) {
    std::fputs("Warning GetCurrentImgHandle\n", stdout);
    return 0;
  }
  return images[imageIndex].handle;
}

SPoint SDrawData::GetCurrentImgOffset() const {
  if (!IndexInStrip()) {
    std::fputs("Warning GetCurrentImgOffset\n", stdout);
    return {0, 0};
  }
  const SAnimationInfo& info = images[imageIndex];
  return {info.offsetX, info.offsetY};
}

namespace {

int Trunc(double v) { return static_cast<int>(v); }

void PlainDraw(const SDrawData& d, SPointD p, int handle, int trans) {
  const SPointD o = d.drawOffset;
  if (d.stretch) {
    int x1 = Trunc(p.x + o.x);
    int x2 = Trunc(p.x + d.width + o.x);
    if (d.turn) std::swap(x1, x2);
    DrawExtendGraph(x1, Trunc(p.y + o.y), x2, Trunc(p.y + d.height + o.y), handle, trans);
  } else if (d.turn) {
    DrawTurnGraph(Trunc(p.x + o.x), Trunc(p.y + o.y), handle, trans);
  } else {
    DrawGraph(Trunc(p.x + o.x), Trunc(p.y + o.y), handle, trans);
  }
}

void DrawAt(const SDrawData& d, SPointD p) {
  if (!d.visible) return;
  const int handle = d.GetCurrentImgHandle();
  const int trans = d.transparent ? TRUE : FALSE;

  if (d.clip) {
    const double cx = p.x + d.width / 2;
    const double cy = p.y + d.height / 2;
    SetDrawArea(Trunc(cx + d.clipRect.Left()), Trunc(cy + d.clipRect.Top()), Trunc(cx + d.clipRect.Right()),
                Trunc(cy + d.clipRect.Bottom()));
  }
  const bool bright = d.brightR != 255 || d.brightG != 255 || d.brightB != 255;
  if (bright) SetDrawBright(d.brightR, d.brightG, d.brightB);

  const int a = Trunc(d.GetAlpha());
  if (d.rotate || d.scale != 1.0) {
    double rate = d.scale;
    if (d.stretch && d.imageWidth != 0) rate = static_cast<double>(d.width) / d.imageWidth;
    const double radians = d.angle * std::numbers::pi / 180.0;
    SetDrawBlendMode(DX_BLENDMODE_ALPHA, a);
    DrawRotaGraph(Trunc(p.x + d.imageWidth / 2 + d.drawOffset.x), Trunc(p.y + d.imageHeight / 2 + d.drawOffset.y),
                  rate, radians, handle, trans, d.turn ? TRUE : FALSE);
    SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
  } else if (a < 255) {
    SetDrawBlendMode(DX_BLENDMODE_ALPHA, a);
    PlainDraw(d, p, handle, trans);
    SetDrawBlendMode(DX_BLENDMODE_NOBLEND, 0);
  } else {
    PlainDraw(d, p, handle, trans);
  }

  if (bright) SetDrawBright(255, 255, 255);
  if (d.clip) SetDrawArea(0, 0, 640, 480);
}

}  // namespace

void DrawSDrawData(const SDrawData& data, SPointD position) {
  if (!data.visible) return;
  const SPoint offset = data.GetCurrentImgOffset();
  const SPointD p{position.x + data.pivot.x + offset.x, position.y + data.pivot.y + offset.y};
  DrawAt(data, p);
}
