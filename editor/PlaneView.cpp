#include "editor/PlaneView.h"

#include <QCoreApplication>

#include "sprites/SpriteEngine.h"
#include "world/PlaneNames.h"

namespace kestrilo {

void TPlaneView::SetShown(int32_t Plane, bool Shown) {
  if (!Known(Plane) || shown_[Plane] == Shown) return;
  shown_[Plane] = Shown;
  ++revision_;
}

void TPlaneView::SetLocked(int32_t Plane, bool Locked) {
  if (!Known(Plane) || locked_[Plane] == Locked) return;
  locked_[Plane] = Locked;
  ++revision_;
}

void TPlaneView::SetDimOthers(bool Dim) {
  if (dimOthers_ == Dim) return;
  dimOthers_ = Dim;
  ++revision_;
}

std::optional<int32_t> TPlaneView::LockedAmong(TPlaneMask Planes) const {
  for (int32_t plane = 0; plane < TMatrix::kPlaneCount; ++plane)
    if ((Planes & PlaneBit(plane)) && locked_[plane]) return plane;
  return std::nullopt;
}

std::string TPlaneView::RefusalText(int32_t Plane) {
  return QCoreApplication::translate("TPlaneView", "Не изменено: %1 заблокирован (панель «Планы»)")
      .arg(QString::fromStdString(PlaneName(Plane)))
      .toStdString();
}

uint32_t TPlaneView::DrawnLayers() const {
  uint32_t layers = TSpriteEngine::kEveryLayer;
  for (int32_t plane = 0; plane < TMatrix::kPlaneCount; ++plane)
    if (!shown_[plane]) layers &= ~TSpriteEngine::LayerBit(plane);
  return layers;
}

}  // namespace kestrilo
