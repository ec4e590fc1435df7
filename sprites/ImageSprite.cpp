#include "sprites/ImageSprite.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>

#include "library/PictureCollection.h"
#include "platform/Surface.h"
#include "sprites/AnimationClock.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {

TImageSprite::TImageSprite(TSprite* Parent) : TSprite(Parent) {}

int32_t TImageSprite::FrameIndex() const {
  const int64_t index = static_cast<int64_t>(TruncToInt32(FramePos)) + FrameStart;
  return ClampToInt32(index);
}

TRect TImageSprite::DrawRect() {
  TRect r = GetBounds();
  if (!Picture) return r;
  // Integer division truncates toward zero: a larger picture moves left/up by half the difference.
  const int32_t dx = static_cast<int32_t>((static_cast<int64_t>(Width) - Picture->Width()) / 2);
  const int32_t dy = static_cast<int32_t>((static_cast<int64_t>(Height) - Picture->Height()) / 2);
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
  return r;
}

TImageSprite::~TImageSprite() {
  if (clock_) StopFollowing(false);
}

void TImageSprite::StopFollowing(bool SettlePosition) { Engine->StopFollowing(*this, SettlePosition); }

double TImageSprite::FollowedPosition() const { return Engine->FollowedPosition(*this); }

void TImageSprite::OnMove(int32_t MoveCount) {
  const TAnimationState next = StepAnimation({FramePos, FrameSpeed, FrameCount, Looping}, MoveCount);
  FramePos = next.FramePos;
  FrameSpeed = next.FrameSpeed;
}

bool TImageSprite::AnimationIsIdle() const {
  if (FrameSpeed.Get() != 0) return false;
  // With no speed the step no longer depends on the move count; the position
  // is idle when the step gives back the very same bits (NaN included).
  const TAnimationState next = StepAnimation({FramePos, FrameSpeed, FrameCount, Looping}, 1);
  return std::bit_cast<uint64_t>(next.FramePos) == std::bit_cast<uint64_t>(FramePos.Get()) &&
         std::bit_cast<uint64_t>(next.FrameSpeed) == std::bit_cast<uint64_t>(FrameSpeed.Get());
}

void TImageSprite::OnDraw() {
  if (!Picture || !Engine || !Engine->Surface) return;
  const TRect r = DrawRect();
  Picture->Draw(*Engine->Surface, r.Left, r.Top, FrameIndex());
}

void TImageSprite::AddDrawnState(TDrawnStateHash& Hash) {
  Hash.Add(static_cast<const void*>(Picture));
  Hash.Add(FrameIndex());
}

bool TImageSprite::HitTest(TSprite* Other) {
  if (!PixelTest) return true;
  auto* other = dynamic_cast<TImageSprite*>(Other);
  if (!other) return true;
  return PixelHitTest(*other);
}

namespace {

// The frame's pattern, or nothing when the item has no such frame cut.
std::optional<TPictureCollectionItemPattern> FramePattern(const TPictureCollectionItem* picture, int32_t frame) {
  if (!picture || !picture->Prepared() || frame < 0 || frame >= picture->PatternCount()) return std::nullopt;
  TPictureCollectionItemPattern pattern = picture->Pattern(frame);
  if (!pattern.Surface) return std::nullopt;
  return pattern;
}

bool IsOpaque(const TSurface& surface, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= surface.Width() || y >= surface.Height()) return false;
  return !surface.HasColorKey() || surface.Pixel(x, y) != surface.ColorKey();
}

}  // namespace

bool TImageSprite::PixelHitTest(TImageSprite& Other) {
  const auto mine = FramePattern(Picture, FrameIndex());
  const auto theirs = FramePattern(Other.Picture, Other.FrameIndex());
  // Without pixels to compare there is nothing to lock: no hit.
  if (!mine || !theirs) return false;
  const TRect a = DrawRect();
  const TRect b = Other.DrawRect();
  const int32_t left = std::max(a.Left, b.Left), right = std::min(a.Right, b.Right);
  const int32_t top = std::max(a.Top, b.Top), bottom = std::min(a.Bottom, b.Bottom);
  for (int32_t y = top; y < bottom; ++y) {
    for (int32_t x = left; x < right; ++x) {
      if (IsOpaque(*mine->Surface, mine->Rect.Left + x - a.Left, mine->Rect.Top + y - a.Top) &&
          IsOpaque(*theirs->Surface, theirs->Rect.Left + x - b.Left, theirs->Rect.Top + y - b.Top))
        return true;
    }
  }
  return false;
}

}  // namespace kestrilo
