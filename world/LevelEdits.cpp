#include "world/LevelEdits.h"

#include <algorithm>
#include <exception>
#include <string>

#include "library/ObjectDataBase.h"
#include "matrix/LevelBackground.h"
#include "platform/Errors.h"
#include "platform/Rounding.h"
#include "platform/Translated.h"
#include "sprites/SpriteEngine.h"
#include "world/GameContext.h"
#include "world/PlacedObjectFactory.h"
#include "world/PlacedSprites.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

namespace {

const char* const kNothingOnPlane =
    QT_TRANSLATE_NOOP("TLevelEdits", "В матрице нет объекта на данном плане. Смените ось Z!");

TCellRegion OneCell(int64_t Column, int64_t Row) {
  TCellRegion region;
  if (!TMatrix::IsInside(Column, Row)) return region;
  region.FirstColumn = region.LastColumn = static_cast<int32_t>(Column);
  region.FirstRow = region.LastRow = static_cast<int32_t>(Row);
  return region;
}

bool IsMainAnchor(const TMatrixCell& Cell) { return Cell.ObjectNumber >= 0; }
bool IsBackAnchor(int32_t Entry) { return Entry > 0; }

}  // namespace

TLevelEdits::TLevelEdits(TMatrix& Designed, TMatrix& Played, TSpriteEngine& Root, TPlacedSprites& Placed,
                         const TObjectDataBase* Library)
    : designed_(Designed), played_(Played), root_(Root), placed_(Placed), library_(Library) {}

TLevelEdits TLevelEdits::Of(TGameContext& Context) {
  TSpriteEngine* root = Context.Root();
  if (!Context.PlayedLevel || !root) throw EKestriloError("The matrix is not ready yet");
  TMatrix& designed = Context.DesignedLevel();
  return TLevelEdits(designed, *Context.PlayedLevel, *root, Context.PlacedSprites, Context.ObjectDataBase.get());
}

TLevelChange TLevelEdits::Place(const TObjectRecord& Record, int32_t ViewX, int32_t ViewY, int32_t Plane,
                                const TObjectDataBase& Library) {
  // Both levels are looked at through the same view.
  designed_.SetOrigin(played_.GetOriginX(), played_.GetOriginY());
  const int64_t column = played_.ViewColumn(ViewX);
  const int64_t row = played_.ViewRow(ViewY);
  TLevelChange change;
  change.Plane = Plane;
  if (TMatrix::IsMainPlane(Plane)) {
    TMatrixCell cell;
    cell.Kind = static_cast<int8_t>(Record.ObjType);
    cell.ObjectNumber = Record.Number;
    cell.LiftHeight = Record.LiftHeight;
    cell.KeyCode = Record.KeyCode;
    // A missing picture ends the placement here, before any cell changes.
    const TObjectDataBase::TFrameSize size = Library.FrameSizeOfNumber(Record.Number);
    change.Region = TMatrix::FootprintRegion(column, row, FootprintOfFrame(size.Width, size.Height));
    change.CellsBefore = designed_.CopyCells(change.Region);
    designed_.PutObjectSized(cell, ViewX, ViewY, size.Height, size.Width);
    if (&played_ != &designed_) played_.PutObjectSized(cell, ViewX, ViewY, size.Height, size.Width);
    change.CellsAfter = designed_.CopyCells(change.Region);
    for (int32_t x = change.Region.FirstColumn, i = 0; x <= change.Region.LastColumn; ++x)
      for (int32_t y = change.Region.FirstRow; y <= change.Region.LastRow; ++y, ++i)
        if (IsMainAnchor(change.CellsBefore[i])) placed_.Remove(TMatrix::kMainPlane, x, y);
  } else {
    if (TMatrix::IsBackPlane(Plane)) change.Region = OneCell(column, row);
    change.EntriesBefore = designed_.CopyBackEntries(Plane, change.Region);
    designed_.PutBackObject(static_cast<uint8_t>(Plane), Record.Number, ViewX, ViewY);
    if (&played_ != &designed_) played_.PutBackObject(static_cast<uint8_t>(Plane), Record.Number, ViewX, ViewY);
    change.EntriesAfter = designed_.CopyBackEntries(Plane, change.Region);
    if (!change.EntriesBefore.empty() && IsBackAnchor(change.EntriesBefore[0]))
      placed_.Remove(Plane, change.Region.FirstColumn, change.Region.FirstRow);
  }

  // The origin counts whole cells whatever the grid size is.
  const double worldX = ViewX + played_.GetOriginX() * static_cast<double>(TMatrix::kCellSize);
  const double worldY = ViewY + played_.GetOriginY() * static_cast<double>(TMatrix::kCellSize);
  const int32_t firstNew = root_.ChildCount();
  try {
    TMyObject::CreateFromRecord(&root_, Record, worldX, worldY, Plane * TMatrix::kPlaneValueStep);
  } catch (...) {
    // The cells are placed; what was made of the sprite is filed, so that an
    // undo takes it away again.
    placed_.Register(Plane, static_cast<int32_t>(column), static_cast<int32_t>(row), root_, firstNew);
    change.SpriteError = std::current_exception();
    return change;
  }
  placed_.Register(Plane, static_cast<int32_t>(column), static_cast<int32_t>(row), root_, firstNew);
  return change;
}

std::vector<std::string> TErasure::Notices() const {
  switch (Outcome) {
    case TEraseOutcome::NotOnPlane: return {Translated("TLevelEdits", kNothingOnPlane)};
    case TEraseOutcome::BackgroundErased:
    case TEraseOutcome::BackgroundKept: return {"TX = " + std::to_string(ViewColumn)};
    default: return {};
  }
}

TErasure TLevelEdits::EraseAt(int32_t ViewX, int32_t ViewY, int32_t Plane) {
  const int32_t cx = ViewX / TMatrix::kCellSize;
  const int32_t cy = ViewY / TMatrix::kCellSize;
  TErasure erasure;
  erasure.ViewColumn = cx;
  TSprite* sprite = root_.SpriteAt(ViewX, ViewY);
  if (!sprite) return erasure;
  // The world cell of the sprite's top-left corner (halves to even).
  const int64_t sx = Round(sprite->X / TMatrix::kCellSize);
  const int64_t sy = Round(sprite->Y / TMatrix::kCellSize);
  const bool inside = TMatrix::IsInside(sx, sy);
  // Looked up before any sprite is let go below.
  const std::vector<TSprite*> filed = placed_.At(Plane, static_cast<int32_t>(sx), static_cast<int32_t>(sy));
  TLevelChange& change = erasure.Change;
  change.Plane = Plane;
  const auto refused = [cx, sprite](TEraseOutcome Outcome) {
    return TErasure{Outcome, {}, cx, Outcome == TEraseOutcome::NotOnPlane ? sprite->ViewLayer : -1};
  };

  if (sprite->Z() == TBack::kDrawZ) {
    // The level's background covers the whole view, so a click into empty
    // space finds it. It is always the plane-4 entry of cell (0, 0): its
    // sprite's position follows the camera with a parallax and names no cell,
    // and on any other plane the cell under it belongs to another object,
    // which must not be wiped with the background's screen-sized footprint.
    if (Plane != TBack::kPlane) return refused(TEraseOutcome::NotOnPlane);
    // Only a click into the view's top-left cell removes it, so that it is
    // not deleted by accident.
    if (cx > 0 || cy > 0) return refused(TEraseOutcome::BackgroundKept);
    change.Region = OneCell(TBack::kColumn, TBack::kRow);
    change.EntriesBefore = designed_.CopyBackEntries(Plane, change.Region);
    designed_.BackPlanes[TBack::kColumn][TBack::kRow][TBack::kPlane - 1] = -1;
    played_.BackPlanes[TBack::kColumn][TBack::kRow][TBack::kPlane - 1] = -1;
    change.EntriesAfter = designed_.CopyBackEntries(Plane, change.Region);
    delete sprite;  // the owner's list forgets it as it goes
    placed_.Remove(Plane, TBack::kColumn, TBack::kRow);
    erasure.Outcome = TEraseOutcome::BackgroundErased;
    return erasure;
  }

  if (TMatrix::IsMainPlane(Plane)) {
    if (!inside || designed_.Cells[sx][sy].ObjectNumber < 0) return refused(TEraseOutcome::NotOnPlane);
    const TFootprintSize footprint = FootprintOfFrame(sprite->Width, sprite->Height);
    change.Region = TMatrix::FootprintRegion(sx, sy, footprint);
    change.CellsBefore = designed_.CopyCells(change.Region);
    designed_.EraseFootprint(sx, sy, footprint);
    played_.EraseFootprint(sx, sy, footprint);
    change.CellsAfter = designed_.CopyCells(change.Region);
    // Another object anchored inside the erased footprint goes with its cells.
    for (int32_t x = change.Region.FirstColumn, i = 0; x <= change.Region.LastColumn; ++x)
      for (int32_t y = change.Region.FirstRow; y <= change.Region.LastRow; ++y, ++i)
        if (IsMainAnchor(change.CellsBefore[i])) placed_.Remove(TMatrix::kMainPlane, x, y);
  } else if (Plane > 0) {
    if (!inside || !TMatrix::IsBackPlane(Plane) || designed_.BackPlanes[sx][sy][Plane - 1] < 1)
      return refused(TEraseOutcome::NotOnPlane);
    change.Region = OneCell(sx, sy);
    change.EntriesBefore = designed_.CopyBackEntries(Plane, change.Region);
    designed_.BackPlanes[sx][sy][Plane - 1] = -1;
    played_.BackPlanes[sx][sy][Plane - 1] = -1;
    change.EntriesAfter = designed_.CopyBackEntries(Plane, change.Region);
  } else {
    return refused(TEraseOutcome::NothingThere);
  }
  // The sprites of the erased object go. The one under the mouse goes with
  // them when it is one of them, or when nothing is filed for the anchor (a
  // world built without the level edits); a sprite of another plane that
  // happens to lie on top stays, as its object does.
  if (filed.empty() || std::find(filed.begin(), filed.end(), sprite) != filed.end()) sprite->MarkDead();
  placed_.Remove(Plane, static_cast<int32_t>(sx), static_cast<int32_t>(sy));
  erasure.Outcome = TEraseOutcome::Erased;
  return erasure;
}

TLevelChange TLevelEdits::WriteCells(const TCellRegion& Region, std::vector<TMatrixCell> Cells,
                                     std::string* SpriteMessage) {
  TLevelChange change;
  change.Plane = TMatrix::kMainPlane;
  if (Region.Empty() || Cells.size() != Region.CellCount()) return change;
  change.Region = Region;
  change.CellsBefore = designed_.CopyCells(Region);
  change.CellsAfter = std::move(Cells);
  const std::string message = Write(change, true);
  if (SpriteMessage) *SpriteMessage = message;
  return change;
}

TLevelChange TLevelEdits::WriteEntries(int32_t Plane, const TCellRegion& Region, std::vector<int32_t> Entries,
                                       std::string* SpriteMessage) {
  TLevelChange change;
  change.Plane = Plane;
  if (!TMatrix::IsBackPlane(Plane) || Region.Empty() || Entries.size() != Region.CellCount()) return change;
  change.Region = Region;
  change.EntriesBefore = designed_.CopyBackEntries(Plane, Region);
  change.EntriesAfter = std::move(Entries);
  const std::string message = Write(change, true);
  if (SpriteMessage) *SpriteMessage = message;
  return change;
}

std::string TLevelEdits::Write(const TLevelChange& Change, bool After) {
  if (Change.Empty()) return {};
  const TCellRegion& region = Change.Region;
  const bool mainPlane = TMatrix::IsMainPlane(Change.Plane);
  const auto& fromCells = After ? Change.CellsBefore : Change.CellsAfter;
  const auto& toCells = After ? Change.CellsAfter : Change.CellsBefore;
  const auto& fromEntries = After ? Change.EntriesBefore : Change.EntriesAfter;
  const auto& toEntries = After ? Change.EntriesAfter : Change.EntriesBefore;
  const size_t count = region.CellCount();
  if ((mainPlane && (fromCells.size() != count || toCells.size() != count)) ||
      (!mainPlane && (fromEntries.size() != count || toEntries.size() != count)))
    return {};

  // Only objects whose anchor cell changes lose or gain their sprites, so a
  // monster that kept its place is not made anew.
  std::vector<char> changed(count, 0);
  for (int32_t x = region.FirstColumn, i = 0; x <= region.LastColumn; ++x) {
    for (int32_t y = region.FirstRow; y <= region.LastRow; ++y, ++i) {
      changed[i] = mainPlane ? !fromCells[i].SameContent(toCells[i]) : fromEntries[i] != toEntries[i];
      const bool wasAnchor = mainPlane ? IsMainAnchor(fromCells[i]) : IsBackAnchor(fromEntries[i]);
      if (changed[i] && wasAnchor) placed_.Remove(Change.Plane, x, y);
    }
  }
  if (mainPlane) {
    designed_.PasteCells(region, toCells);
    played_.PasteCells(region, toCells);
  } else {
    designed_.PasteBackEntries(Change.Plane, region, toEntries);
    played_.PasteBackEntries(Change.Plane, region, toEntries);
  }
  std::string firstError;
  for (int32_t x = region.FirstColumn, i = 0; x <= region.LastColumn; ++x) {
    for (int32_t y = region.FirstRow; y <= region.LastRow; ++y, ++i) {
      const bool isAnchor = mainPlane ? IsMainAnchor(toCells[i]) : IsBackAnchor(toEntries[i]);
      if (!changed[i] || !isAnchor) continue;
      try {
        BuildAnchor(Change.Plane, x, y);
      } catch (const std::exception& error) {
        // Every other object is still made; the first failure is reported.
        if (firstError.empty()) firstError = error.what();
      }
    }
  }
  return firstError;
}

TSprite* TLevelEdits::MakeSprite(const TObjectRecord& Record, int32_t Plane, int32_t Column, int32_t Row, double X,
                                 double Y) {
  const int32_t firstNew = root_.ChildCount();
  try {
    TSprite* made = TMyObject::CreateFromRecord(&root_, Record, X, Y, Plane * TMatrix::kPlaneValueStep);
    placed_.Register(Plane, Column, Row, root_, firstNew);
    return made;
  } catch (...) {
    placed_.Register(Plane, Column, Row, root_, firstNew);
    throw;
  }
}

void TLevelEdits::BuildAnchor(int32_t Plane, int32_t Column, int32_t Row) {
  if (!library_) return;
  const double x = static_cast<double>(TMatrix::kCellSize * Column);
  const double y = static_cast<double>(TMatrix::kCellSize * Row);
  if (TMatrix::IsMainPlane(Plane)) {
    const TMatrixCell& cell = designed_.Cells[Column][Row];
    TObjectRecord record = library_->FindByName(library_->NameOfNumber(cell.ObjectNumber));
    // The per-placement values live in the cell, not in the library.
    record.LiftHeight = cell.LiftHeight;
    record.KeyCode = cell.KeyCode;
    MakeSprite(record, TMatrix::kMainPlane, Column, Row, x, y);
  } else {
    const int32_t number = designed_.BackPlanes[Column][Row][Plane - 1];
    MakeSprite(library_->FindByName(library_->NameOfNumber(number)), Plane, Column, Row, x, y);
  }
}

void TLevelEdits::RebuildWorld() {
  if (!library_) throw EKestriloError("The object library is not ready yet");
  // The first child (normally the first portal) and every player stay; the
  // others are freed before the next frame is drawn. The count covers the
  // whole tree, so the visit stops at the last child the root has.
  const int32_t last = std::min(root_.SpriteCount, root_.ChildCount());
  for (int32_t i = 1; i < last; ++i) {
    TSprite* child = root_.Child(i);
    if (!dynamic_cast<TPlayerSprite*>(child)) child->MarkDead();
  }
  placed_.Clear();
  const uint16_t originX = played_.GetOriginX();
  const uint16_t originY = played_.GetOriginY();
  if (&played_ != &designed_) played_ = designed_;
  played_.SetOrigin(originX, originY);

  const TObjectFactory make = MakeObjectFactory();
  const TObjectFactory makeAndFile = [&](TSprite* Parent, const TObjectRecord& Record, double X, double Y,
                                         int32_t Z) -> TSprite* {
    const int32_t firstNew = root_.ChildCount();
    const int32_t plane = Z / TMatrix::kPlaneValueStep;
    const int32_t column = static_cast<int32_t>(X) / TMatrix::kCellSize;
    const int32_t row = static_cast<int32_t>(Y) / TMatrix::kCellSize;
    try {
      TSprite* made = make(Parent, Record, X, Y, Z);
      placed_.Register(plane, column, row, root_, firstNew);
      return made;
    } catch (...) {
      placed_.Register(plane, column, row, root_, firstNew);
      throw;
    }
  };
  played_.BuildMainPlane(root_, *library_, makeAndFile);
  played_.BuildBackPlanes(root_, *library_, makeAndFile);
}

}  // namespace kestrilo
