#include "world/LevelClipboard.h"

#include <algorithm>

#include "world/LevelDraft.h"

namespace kestrilo {

namespace {

size_t ClipIndex(const TLevelClip& Clip, int32_t Column, int32_t Row) {
  return static_cast<size_t>(Column) * static_cast<size_t>(Clip.Rows) + static_cast<size_t>(Row);
}

bool PlaneIn(TPlaneMask Planes, int32_t Plane) { return (Planes & PlaneBit(Plane)) != 0; }

}  // namespace

TLevelClip CopyObjects(const TMatrix& Level, const TObjectDataBase& Library, const TCellRegion& Selection,
                       TPlaneMask Planes) {
  TLevelClip clip;
  clip.Planes = Planes;
  if (Selection.Empty()) return clip;
  // The objects first, to know how far their footprints reach.
  for (int32_t x = Selection.FirstColumn; x <= Selection.LastColumn; ++x) {
    for (int32_t y = Selection.FirstRow; y <= Selection.LastRow; ++y) {
      if (!TMatrix::IsInside(x, y)) continue;
      if (PlaneIn(Planes, TMatrix::kMainPlane) && Level.Cells[x][y].ObjectNumber >= 0) {
        const TFootprintSize size = FootprintOfNumber(Library, Level.Cells[x][y].ObjectNumber);
        // Clipped to the level, as placing clipped it.
        const TCellRegion footprint = TMatrix::FootprintRegion(x, y, size);
        clip.Objects.push_back({TMatrix::kMainPlane, x - Selection.FirstColumn, y - Selection.FirstRow,
                                footprint.LastColumn - x + 1, footprint.LastRow - y + 1});
      }
      for (int32_t plane = 1; plane <= TMatrix::kBackPlaneCount; ++plane)
        if (PlaneIn(Planes, plane) && Level.BackPlanes[x][y][plane - 1] > 0)
          clip.Objects.push_back({plane, x - Selection.FirstColumn, y - Selection.FirstRow, 1, 1});
    }
  }
  clip.Columns = Selection.LastColumn - Selection.FirstColumn + 1;
  clip.Rows = Selection.LastRow - Selection.FirstRow + 1;
  for (const TClipObject& object : clip.Objects) {
    clip.Columns = std::max(clip.Columns, object.Column + object.Columns);
    clip.Rows = std::max(clip.Rows, object.Row + object.Rows);
  }
  const size_t count = static_cast<size_t>(clip.Columns) * static_cast<size_t>(clip.Rows);
  clip.Cells.assign(count, EmptyMatrixCell());
  for (auto& entries : clip.Entries) entries.assign(count, -1);
  for (const TClipObject& object : clip.Objects) {
    for (int32_t i = 0; i < object.Columns; ++i) {
      for (int32_t j = 0; j < object.Rows; ++j) {
        const int32_t x = Selection.FirstColumn + object.Column + i;
        const int32_t y = Selection.FirstRow + object.Row + j;
        const size_t at = ClipIndex(clip, object.Column + i, object.Row + j);
        if (TMatrix::IsMainPlane(object.Plane))
          clip.Cells[at] = Level.Cells[x][y];
        else
          clip.Entries[object.Plane - 1][at] = Level.BackPlanes[x][y][object.Plane - 1];
      }
    }
  }
  return clip;
}

void EraseObjects(TLevelDraft& Draft, const TObjectDataBase& Library, const TCellRegion& Selection, TPlaneMask Planes) {
  const TLevelClip clip = CopyObjects(Draft.Level(), Library, Selection, Planes);
  for (const TClipObject& object : clip.Objects) {
    for (int32_t i = 0; i < object.Columns; ++i) {
      for (int32_t j = 0; j < object.Rows; ++j) {
        const int64_t x = Selection.FirstColumn + object.Column + i;
        const int64_t y = Selection.FirstRow + object.Row + j;
        if (TMatrix::IsMainPlane(object.Plane))
          Draft.SetCell(x, y, EmptyMatrixCell());
        else
          Draft.SetEntry(object.Plane, x, y, -1);
      }
    }
  }
}

int32_t PasteClip(TLevelDraft& Draft, const TLevelClip& Clip, int64_t Column, int64_t Row) {
  int32_t written = 0;
  for (const TClipObject& object : Clip.Objects) {
    const int64_t x0 = Column + object.Column;
    const int64_t y0 = Row + object.Row;
    if (!TMatrix::IsInside(x0, y0) || !TMatrix::IsInside(x0 + object.Columns - 1, y0 + object.Rows - 1)) continue;
    for (int32_t i = 0; i < object.Columns; ++i) {
      for (int32_t j = 0; j < object.Rows; ++j) {
        const size_t at = ClipIndex(Clip, object.Column + i, object.Row + j);
        if (TMatrix::IsMainPlane(object.Plane))
          Draft.SetCell(x0 + i, y0 + j, Clip.Cells[at]);
        else
          Draft.SetEntry(object.Plane, x0 + i, y0 + j, Clip.Entries[object.Plane - 1][at]);
      }
    }
    ++written;
  }
  return written;
}

int32_t FillSelection(TLevelDraft& Draft, const TCellRegion& Selection, int32_t Plane, const TMatrixCell& Cell,
                      TFootprintSize Size) {
  if (!TMatrix::IsMainPlane(Plane)) Size = {};
  int32_t written = 0;
  for (int64_t x = Selection.FirstColumn; x + Size.Columns - 1 <= Selection.LastColumn; x += Size.Columns) {
    for (int64_t y = Selection.FirstRow; y + Size.Rows - 1 <= Selection.LastRow; y += Size.Rows) {
      if (!TMatrix::IsInside(x, y) || !TMatrix::IsInside(x + Size.Columns - 1, y + Size.Rows - 1)) continue;
      if (TMatrix::IsMainPlane(Plane)) {
        TMatrixCell part = Cell;
        part.ObjectNumber = -1;
        for (int32_t i = 0; i < Size.Columns; ++i)
          for (int32_t j = 0; j < Size.Rows; ++j) Draft.SetCell(x + i, y + j, part);
        Draft.SetCell(x, y, Cell);
      } else {
        Draft.SetEntry(Plane, x, y, Cell.ObjectNumber);
      }
      ++written;
    }
  }
  return written;
}

}  // namespace kestrilo
