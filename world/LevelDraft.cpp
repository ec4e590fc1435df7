#include "world/LevelDraft.h"

#include <algorithm>

#include "world/LevelEdits.h"

namespace kestrilo {

TLevelDraft::TLevelDraft(const TMatrix& Level) : level_(std::make_unique<TMatrix>(Level)) {}

void TLevelDraft::Touch(int32_t Plane, int32_t Column, int32_t Row) {
  TCellRegion& region = touched_[Plane];
  if (region.Empty()) {
    region.FirstColumn = region.LastColumn = Column;
    region.FirstRow = region.LastRow = Row;
    return;
  }
  region.FirstColumn = std::min(region.FirstColumn, Column);
  region.LastColumn = std::max(region.LastColumn, Column);
  region.FirstRow = std::min(region.FirstRow, Row);
  region.LastRow = std::max(region.LastRow, Row);
}

void TLevelDraft::SetCell(int64_t Column, int64_t Row, const TMatrixCell& Cell) {
  if (!TMatrix::IsInside(Column, Row)) return;
  level_->Cells[Column][Row] = Cell;
  Touch(0, static_cast<int32_t>(Column), static_cast<int32_t>(Row));
}

void TLevelDraft::SetEntry(int32_t Plane, int64_t Column, int64_t Row, int32_t Entry) {
  if (!TMatrix::IsInside(Column, Row) || !TMatrix::IsBackPlane(Plane)) return;
  level_->BackPlanes[Column][Row][Plane - 1] = Entry;
  Touch(Plane, static_cast<int32_t>(Column), static_cast<int32_t>(Row));
}

std::vector<TLevelChange> TLevelDraft::Commit(TLevelEdits& Edits, std::string* SpriteMessage) const {
  std::vector<TLevelChange> changes;
  for (int32_t plane = 0; plane < kPlanes; ++plane) {
    const TCellRegion& region = touched_[plane];
    if (region.Empty()) continue;
    std::string message;
    TLevelChange change = TMatrix::IsMainPlane(plane)
                              ? Edits.WriteCells(region, level_->CopyCells(region), &message)
                              : Edits.WriteEntries(plane, region, level_->CopyBackEntries(plane, region), &message);
    if (SpriteMessage && SpriteMessage->empty()) *SpriteMessage = message;
    const bool same = TMatrix::IsMainPlane(plane)
                          ? std::equal(change.CellsBefore.begin(), change.CellsBefore.end(), change.CellsAfter.begin(),
                                       change.CellsAfter.end(),
                                       [](const TMatrixCell& a, const TMatrixCell& b) { return a.SameContent(b); })
                          : change.EntriesBefore == change.EntriesAfter;
    if (!change.Empty() && !same) changes.push_back(std::move(change));
  }
  return changes;
}

}  // namespace kestrilo
