#include "world/PlacedSprites.h"

#include "matrix/Matrix.h"

namespace kestrilo {

bool TPlacedSprites::IsAnchor(int32_t Plane, int32_t Column, int32_t Row) {
  return (TMatrix::IsMainPlane(Plane) || TMatrix::IsBackPlane(Plane)) && TMatrix::IsInside(Column, Row);
}

size_t TPlacedSprites::SlotOf(int32_t Plane, int32_t Column, int32_t Row) {
  return (static_cast<size_t>(Plane) * TMatrix::kColumns + static_cast<size_t>(Column)) * TMatrix::kRows +
         static_cast<size_t>(Row);
}

void TPlacedSprites::Register(int32_t Plane, int32_t Column, int32_t Row, TSprite& Root, int32_t FirstNew) {
  if (!IsAnchor(Plane, Column, Row)) return;
  if (slots_.empty()) slots_.resize(static_cast<size_t>(TMatrix::kPlaneCount) * TMatrix::kColumns * TMatrix::kRows);
  TSlot& slot = slots_[SlotOf(Plane, Column, Row)];
  slot = TSlot{};
  size_t filled = 0;
  for (int32_t i = FirstNew; i < Root.ChildCount() && filled < kSpritesPerAnchor; ++i) {
    Root.Child(i)->ViewLayer = static_cast<int8_t>(Plane);
    slot[filled++] = Root.Child(i)->Handle();
  }
}

void TPlacedSprites::Remove(int32_t Plane, int32_t Column, int32_t Row) {
  if (!IsAnchor(Plane, Column, Row) || slots_.empty()) return;
  TSlot& slot = slots_[SlotOf(Plane, Column, Row)];
  for (TSpriteHandle& handle : slot) {
    if (TSprite* sprite = handle.Get()) sprite->MarkDead();
    handle = TSpriteHandle();
  }
}

std::vector<TSprite*> TPlacedSprites::At(int32_t Plane, int32_t Column, int32_t Row) const {
  std::vector<TSprite*> out;
  if (!IsAnchor(Plane, Column, Row) || slots_.empty()) return out;
  for (const TSpriteHandle& handle : slots_[SlotOf(Plane, Column, Row)])
    if (TSprite* sprite = handle.Get()) out.push_back(sprite);
  return out;
}

}  // namespace kestrilo
