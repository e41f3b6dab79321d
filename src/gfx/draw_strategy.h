// How a unit's sprite is drawn: one record per facing, animated together,
// with an optional trail of fading after-images.
#pragma once

#include <array>
#include <deque>

#include "core/direction.h"
#include "core/geometry.h"
#include "gfx/draw_data.h"

class CStageActor;

// One sample of an after-image trail.
struct CAfterImageInfo {
  SPointD position;
  int direction9 = dir9::DOWN;  // facing as a nine-direction index
  double height = 0.0;
  SPointD drawOffset;
  bool visible = true;
};

class CDrawStrategyBase {
 public:
  // `owner` must outlive the strategy.
  explicit CDrawStrategyBase(CStageActor& owner);
  virtual ~CDrawStrategyBase() = default;

  // Queues the trail and the sprite of the current facing in the stage's
  // draw queue, at the owner's place.
  virtual void Draw() = 0;
  virtual void UpdateAnimation() = 0;
  virtual void SetDirection9(int direction9) = 0;
  virtual int GetDirection9() const = 0;
  // Alpha, brightness: sprites only; the trail keeps its own.
  virtual void AddAlpha(int delta) = 0;
  // The last value given to SetAlpha, unclamped.
  virtual int GetAlpha() const = 0;
  virtual void SetAlpha(int a) = 0;
  virtual void SetBright(int r, int g, int b) = 0;
  // Image index, mirroring and rotation: sprites and trail alike.
  virtual void SetImageIndex(int index) = 0;
  virtual void SetTurn(bool on) = 0;
  virtual void SetAngle(double degrees) = 0;
  virtual void SetRotate(bool on) = 0;
  void SetVisible(bool on) { visible = on; }
  bool IsVisible() const { return visible; }

  // Number of trail samples kept; 0 switches the trail off and drops it.
  void SetAfterImageCount(int count);
  int GetAfterImageCount() const { return afterImageCount; }
  const std::deque<CAfterImageInfo>& GetAfterImages() const { return afterImages; }

 protected:
  CStageActor* owner;
  int alpha = 255;
  int afterImageCount = 0;
  std::deque<CAfterImageInfo> afterImages;  // oldest first
  bool visible = true;
};

// The part the four kinds share; they differ only in their facings.
template <int N>
class CDrawStrategyFacings : public CDrawStrategyBase {
 public:
  void Draw() override;
  void UpdateAnimation() override;
  void AddAlpha(int delta) override;
  int GetAlpha() const override { return alpha; }
  void SetAlpha(int a) override;
  void SetBright(int r, int g, int b) override;
  void SetImageIndex(int index) override;
  void SetTurn(bool on) override;
  void SetAngle(double degrees) override;
  void SetRotate(bool on) override;

  const SDrawData& GetSprite(int facing) const { return sprites.at(facing); }
  const SDrawData& GetAfterImageSprite(int facing) const { return afterImageSprites.at(facing); }

 protected:
  CDrawStrategyFacings(CStageActor& owner, const std::array<SDrawData, N>& records);

  // Record index of the current facing, and the facing as a nine-direction index.
  virtual int FacingIndex() const = 0;
  virtual int FacingAsDirection9() const = 0;
  // Record index for a trail sample's nine-direction facing.
  virtual int FacingIndexOf(int direction9) const = 0;

  std::array<SDrawData, N> sprites;
  std::array<SDrawData, N> afterImageSprites;
};

extern template class CDrawStrategyFacings<1>;
extern template class CDrawStrategyFacings<2>;
extern template class CDrawStrategyFacings<4>;
extern template class CDrawStrategyFacings<9>;

// A single picture whatever the facing.
class CDrawStrategyNormal : public CDrawStrategyFacings<1> {
 public:
  CDrawStrategyNormal(CStageActor& owner, const SDrawData& record);
  void SetDirection9(int) override {}
  int GetDirection9() const override { return dir9::CENTER; }

 protected:
  int FacingIndex() const override { return 0; }
  int FacingAsDirection9() const override { return dir9::CENTER; }
  int FacingIndexOf(int) const override { return 0; }
};

// Left or right, chosen at creation.
class CDrawStrategyLR : public CDrawStrategyFacings<2> {
 public:
  // Records indexed by EDirectionLR.
  CDrawStrategyLR(CStageActor& owner, const std::array<SDrawData, 2>& records, EDirectionLR facing);
  void SetDirection9(int) override {}
  int GetDirection9() const override { return dir9::CENTER; }
  EDirectionLR GetDirectionLR() const { return facing; }

 protected:
  int FacingIndex() const override { return static_cast<int>(facing); }
  int FacingAsDirection9() const override { return DirectionLRToNine(facing); }
  int FacingIndexOf(int direction9) const override;

 private:
  EDirectionLR facing;
};

// The four facings of the unit sprite sheets.
class CDrawStrategyDir4 : public CDrawStrategyFacings<4> {
 public:
  // Records indexed by EDirection4.
  CDrawStrategyDir4(CStageActor& owner, const std::array<SDrawData, 4>& records,
                    EDirection4 facing = EDirection4::DOWN);
  // Diagonals turn to the nearer of the sheet's rows; the centre keeps the facing.
  void SetDirection9(int direction9) override;
  int GetDirection9() const override { return dir9::CENTER; }
  void SetDirection4(EDirection4 d) { facing = d; }
  EDirection4 GetDirection4() const { return facing; }

 protected:
  int FacingIndex() const override { return static_cast<int>(facing); }
  int FacingAsDirection9() const override { return Direction4ToNine(facing); }
  int FacingIndexOf(int direction9) const override;

 private:
  EDirection4 facing;
};

// Eight directions and the centre, indexed by the nine-direction index.
class CDrawStrategyDir9 : public CDrawStrategyFacings<9> {
 public:
  CDrawStrategyDir9(CStageActor& owner, const std::array<SDrawData, 9>& records, int direction9 = dir9::DOWN);
  // Values outside 0..8 are refused with std::out_of_range.
  void SetDirection9(int direction9) override;
  int GetDirection9() const override { return facing; }

 protected:
  int FacingIndex() const override { return facing; }
  int FacingAsDirection9() const override { return facing; }
  int FacingIndexOf(int direction9) const override { return direction9; }

 private:
  int facing;
};
