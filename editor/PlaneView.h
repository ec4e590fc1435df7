// How the edit view treats each plane of the level: shown or hidden, locked
// or open to edits, and whether the planes other than the current one are
// dimmed so that it stands out. A view setting only: it never changes the
// level's files, the world or the preview, which always shows every plane.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "matrix/Matrix.h"
#include "world/LevelClipboard.h"

namespace kestrilo {

class TPlaneView {
 public:
  bool Shown(int32_t Plane) const { return Known(Plane) && shown_[Plane]; }
  bool Locked(int32_t Plane) const { return Known(Plane) && locked_[Plane]; }
  bool DimsOthers() const { return dimOthers_; }
  void SetShown(int32_t Plane, bool Shown);
  void SetLocked(int32_t Plane, bool Locked);
  void SetDimOthers(bool Dim);

  // The first locked plane among Planes, if any.
  std::optional<int32_t> LockedAmong(TPlaneMask Planes) const;
  // What the status line says when an edit was refused on a locked plane.
  static std::string RefusalText(int32_t Plane);
  // The sprite layers the edit view draws (TSpriteEngine::DrawnLayers):
  // every shown plane and everything that is no plane's.
  uint32_t DrawnLayers() const;
  // Counts every change, so that a view drawn before can tell it is out of date.
  uint64_t Revision() const { return revision_; }

 private:
  static bool Known(int32_t Plane) { return Plane >= 0 && Plane < TMatrix::kPlaneCount; }

  std::array<bool, TMatrix::kPlaneCount> shown_{true, true, true, true, true};
  std::array<bool, TMatrix::kPlaneCount> locked_{};
  bool dimOthers_ = false;
  uint64_t revision_ = 0;
};

}  // namespace kestrilo
