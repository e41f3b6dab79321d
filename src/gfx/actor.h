// Anything that moves and is drawn: effects, projectiles, the map cursor,
// map objects.
#pragma once

#include <memory>
#include <string>

#include "core/geometry.h"
#include "gfx/draw_data.h"

class CActor {
 public:
  // The record takes the size of its first image, so `position` names the
  // image centre.
  CActor(const SDrawData& data, SPointD position, double speed = 0.0, double heading = 0.0);
  virtual ~CActor() = default;

  virtual void CopyTo(CActor& other) const;
  virtual std::unique_ptr<CActor> Clone() const;
  // One frame older: advances the animation and turns the picture with the heading.
  virtual void UpdateFrame();
  // UpdateFrame, then one step of `speed` pixels along the heading.
  virtual void Move();
  virtual void Draw();
  virtual void Kill() { alive = false; }
  virtual bool IsAlive() const { return alive; }
  virtual void SetAlive(bool on) { alive = on; }
  virtual int GetFrameCount() const { return frameCount; }

  SDrawData drawData;
  SPointD position;
  SPointD drawOffset;    // added when drawing only (shakes, jumps)
  double heading = 0.0;  // degrees, 0 = up, clockwise
  double speed = 0.0;    // pixels per frame
  bool alive = true;
  int frameCount = 0;
  bool followHeading = true;  // the picture's angle follows the heading
  std::string name;

 protected:
  CActor(const CActor&) = default;
  CActor& operator=(const CActor&) = default;
};
