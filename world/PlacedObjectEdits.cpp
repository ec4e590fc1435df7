#include "world/PlacedObjectEdits.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <exception>
#include <vector>

#include "library/ObjectDataBase.h"
#include "platform/Cp1251.h"
#include "world/LevelDraft.h"

namespace kestrilo {

namespace {

constexpr const char* kContext = "TPlacedObjectEdits";

QString Text(const char* SourceText) { return QCoreApplication::translate(kContext, SourceText); }
QString Shown(std::string_view Name) { return cp1251::ToQString(std::string(Name)); }

std::string NothingAnchored(const TPlacedAnchor& At) {
  return Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "В клетке (%1, %2) на плане %3 нет объекта"))
      .arg(At.Column)
      .arg(At.Row)
      .arg(At.Plane)
      .toStdString();
}

// A back plane holds numbers above 0 only: 0 and below mean "nothing".
std::string NotOnBackPlane(int32_t Number) {
  return Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "Объект с номером %1 не может лежать на заднем плане"))
      .arg(Number)
      .toStdString();
}

const TObjectRecord* RecordNamed(const TObjectDataBase& Library, std::string_view Name) {
  const auto found = std::find_if(Library.Records.begin(), Library.Records.end(),
                                  [Name](const TObjectRecord& record) { return record.Name == Name; });
  return found == Library.Records.end() ? nullptr : &*found;
}

enum class TFit { Fits, PastEdge, Blocked };

// The cells a main-plane object anchored at a cell takes as its own: its
// footprint, clipped to the level.
TCellRegion OwnFootprint(const TObjectDataBase& Library, const TPlacedAnchor& At, int32_t Number) {
  return TMatrix::FootprintRegion(At.Column, At.Row, FootprintOfNumber(Library, Number));
}

// A cell of Own belongs to the object anchored at At unless another object
// is anchored there.
bool IsOwnCell(const TMatrix& Level, const TCellRegion& Own, const TPlacedAnchor& At, int32_t x, int32_t y) {
  if (!Own.Contains(x, y)) return false;
  return (x == At.Column && y == At.Row) || Level.Cells[x][y].ObjectNumber < 0;
}

// Whether a footprint of Size anchored at At fits on the main plane, the
// cells of Own (the object being changed) counting as free.
TFit FitOnMainPlane(const TMatrix& Level, const TPlacedAnchor& At, TFootprintSize Size, const TCellRegion& Own) {
  if (!TMatrix::IsInside(At.Column, At.Row) ||
      !TMatrix::IsInside(int64_t{At.Column} + Size.Columns - 1, int64_t{At.Row} + Size.Rows - 1))
    return TFit::PastEdge;
  for (int32_t x = At.Column; x < At.Column + Size.Columns; ++x)
    for (int32_t y = At.Row; y < At.Row + Size.Rows; ++y)
      if (!IsOwnCell(Level, Own, At, x, y) && !Level.Cells[x][y].IsFree()) return TFit::Blocked;
  return TFit::Fits;
}

// Writes an object of Size with the anchor cell Anchor at At over the cells
// of Own: its cells keep their lift height, key code and padding, new cells
// take the anchor's values, and cells of Own it no longer covers are emptied.
void PutOnMainPlane(TLevelDraft& Draft, const TPlacedAnchor& At, const TCellRegion& Own, const TMatrixCell& Anchor,
                    TFootprintSize Size) {
  const TCellRegion covered = TMatrix::FootprintRegion(At.Column, At.Row, Size);
  const TMatrix& level = Draft.Level();
  const TCellRegion both =
      Own.Empty()
          ? covered
          : TCellRegion{std::min(Own.FirstColumn, covered.FirstColumn), std::min(Own.FirstRow, covered.FirstRow),
                        std::max(Own.LastColumn, covered.LastColumn), std::max(Own.LastRow, covered.LastRow)};
  std::vector<std::pair<TMatrixCell, std::pair<int32_t, int32_t>>> writes;
  for (int32_t x = both.FirstColumn; x <= both.LastColumn; ++x) {
    for (int32_t y = both.FirstRow; y <= both.LastRow; ++y) {
      const bool own = IsOwnCell(level, Own, At, x, y);
      if (covered.Contains(x, y)) {
        TMatrixCell cell = level.Cells[x][y];
        cell.Kind = Anchor.Kind;
        cell.ObjectNumber = (x == At.Column && y == At.Row) ? Anchor.ObjectNumber : -1;
        if (!own) {
          cell.LiftHeight = Anchor.LiftHeight;
          cell.KeyCode = Anchor.KeyCode;
        }
        writes.push_back({cell, {x, y}});
      } else if (own) {
        writes.push_back({EmptyMatrixCell(), {x, y}});
      }
    }
  }
  for (const auto& [cell, at] : writes) Draft.SetCell(at.first, at.second, cell);
}

// The footprint of a number from its picture; a missing picture is the
// collection's error, as placing reports it.
std::optional<TFootprintSize> PictureFootprint(const TObjectDataBase& Library, int32_t Number, std::string& Error) {
  try {
    const TObjectDataBase::TFrameSize size = Library.FrameSizeOfNumber(Number);
    return FootprintOfFrame(size.Width, size.Height);
  } catch (const std::exception& error) {
    Error = error.what();
    return std::nullopt;
  }
}

std::string FitRefusal(TFit Fit, std::string_view Name) {
  if (Fit == TFit::PastEdge)
    return Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "Объект «%1» вышел бы за край уровня"))
        .arg(Shown(Name))
        .toStdString();
  return Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "Объект «%1» не помещается: его клетки заняты другими объектами"))
      .arg(Shown(Name))
      .toStdString();
}

enum class TPlacementValue { LiftHeight, KeyCode };

TObjectEditResult SetPlacementValue(TLevelDraft& Draft, const TObjectDataBase& Library, const TPlacedAnchor& At,
                                    int32_t Value, TPlacementValue Which) {
  const std::optional<TPlacedObject> object = PlacedObjectAt(Draft.Level(), Library, At);
  if (!object) return {NothingAnchored(At)};
  if (!TMatrix::IsMainPlane(At.Plane))
    return {Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits",
                                   "Объекты задних планов не хранят высоту лифта и код ключа: их ставят на план 0"))
                .toStdString()};
  const bool lift = Which == TPlacementValue::LiftHeight;
  if (lift && !object->HasLiftHeight())
    return {Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "Высота лифта есть только у лифтов")).toStdString()};
  if (!lift && !object->HasKeyCode())
    return {Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "Код ключа есть только у ключей и дверей")).toStdString()};
  if (lift && (Value < kMinLiftHeight || Value > kMaxLiftHeight))
    return {Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "Высота лифта должна быть от %1 до %2"))
                .arg(kMinLiftHeight)
                .arg(kMaxLiftHeight)
                .toStdString()};
  if (!lift && (Value < kMinKeyCode || Value > kMaxKeyCode))
    return {Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "Код ключа должен быть от %1 до %2"))
                .arg(kMinKeyCode)
                .arg(kMaxKeyCode)
                .toStdString()};
  const TMatrix& level = Draft.Level();
  const TCellRegion own = OwnFootprint(Library, At, object->Number);
  for (int32_t x = own.FirstColumn; x <= own.LastColumn; ++x) {
    for (int32_t y = own.FirstRow; y <= own.LastRow; ++y) {
      // Cells another object took over, or emptied, are not the object's.
      if (!IsOwnCell(level, own, At, x, y) || level.Cells[x][y].IsFree()) continue;
      TMatrixCell cell = level.Cells[x][y];
      if (lift)
        cell.LiftHeight = static_cast<int8_t>(Value);
      else
        cell.KeyCode = static_cast<uint8_t>(Value);
      Draft.SetCell(x, y, cell);
    }
  }
  return {};
}

}  // namespace

std::string NoObjectNamed(std::string_view Name) {
  return Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "В библиотеке нет объекта «%1»")).arg(Shown(Name)).toStdString();
}

std::string TReplacement::Summary() const {
  QString text = Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "Заменено объектов: %1")).arg(Replaced);
  if (LeftAtEdge > 0)
    text += Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "; оставлено у края уровня: %1")).arg(LeftAtEdge);
  if (LeftBlocked > 0)
    text += Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "; оставлено, так как клетки заняты: %1")).arg(LeftBlocked);
  return text.toStdString();
}

TReplacement ReplaceObjects(TLevelDraft& Draft, const TObjectDataBase& Library, std::string_view From,
                            std::string_view To, TPlaneMask Planes, const TCellRegion& Region) {
  TReplacement result;
  const std::vector<int32_t> from = NumbersNamed(Library, From);
  if (from.empty()) return {NoObjectNamed(From)};
  const TObjectRecord* to = RecordNamed(Library, To);
  if (!to) return {NoObjectNamed(To)};
  std::string pictureError;
  const std::optional<TFootprintSize> size = PictureFootprint(Library, to->Number, pictureError);
  if (!size) return {pictureError};
  const bool same = std::find(from.begin(), from.end(), to->Number) != from.end();
  const TCellRegion region{std::max(Region.FirstColumn, 0), std::max(Region.FirstRow, 0),
                           std::min(Region.LastColumn, TMatrix::kColumns - 1),
                           std::min(Region.LastRow, TMatrix::kRows - 1)};
  const auto replaced = [&from](int32_t Number) { return std::find(from.begin(), from.end(), Number) != from.end(); };
  for (int32_t plane = 0; plane < TMatrix::kPlaneCount; ++plane) {
    if ((Planes & PlaneBit(plane)) == 0 || region.Empty()) continue;
    for (int32_t x = region.FirstColumn; x <= region.LastColumn; ++x) {
      for (int32_t y = region.FirstRow; y <= region.LastRow; ++y) {
        const TPlacedAnchor at{plane, x, y};
        const TMatrix& level = Draft.Level();
        if (TMatrix::IsMainPlane(plane)) {
          const TMatrixCell& anchor = level.Cells[x][y];
          if (anchor.ObjectNumber < 0 || !replaced(anchor.ObjectNumber)) continue;
          if (same) {
            ++result.Replaced;
            continue;
          }
          const TCellRegion own = OwnFootprint(Library, at, anchor.ObjectNumber);
          const TFit fit = FitOnMainPlane(level, at, *size, own);
          if (fit == TFit::PastEdge) ++result.LeftAtEdge;
          if (fit == TFit::Blocked) ++result.LeftBlocked;
          if (fit != TFit::Fits) continue;
          TMatrixCell cell = anchor;
          cell.Kind = static_cast<int8_t>(to->ObjType);
          cell.ObjectNumber = to->Number;
          PutOnMainPlane(Draft, at, own, cell, *size);
          ++result.Replaced;
        } else {
          const int32_t entry = level.BackPlanes[x][y][plane - 1];
          if (entry <= 0 || !replaced(entry)) continue;
          // A back plane holds numbers above 0 only.
          if (to->Number <= 0) {
            ++result.LeftBlocked;
            continue;
          }
          Draft.SetEntry(plane, x, y, to->Number);
          ++result.Replaced;
        }
      }
    }
  }
  return result;
}

TObjectEditResult SetLiftHeight(TLevelDraft& Draft, const TObjectDataBase& Library, const TPlacedAnchor& At,
                                int32_t Value) {
  return SetPlacementValue(Draft, Library, At, Value, TPlacementValue::LiftHeight);
}

TObjectEditResult SetKeyCode(TLevelDraft& Draft, const TObjectDataBase& Library, const TPlacedAnchor& At,
                             int32_t Value) {
  return SetPlacementValue(Draft, Library, At, Value, TPlacementValue::KeyCode);
}

TObjectEditResult MoveToPlane(TLevelDraft& Draft, const TObjectDataBase& Library, const TPlacedAnchor& At,
                              int32_t Plane) {
  const std::optional<TPlacedObject> object = PlacedObjectAt(Draft.Level(), Library, At);
  if (!object) return {NothingAnchored(At)};
  if (!TMatrix::IsMainPlane(Plane) && !TMatrix::IsBackPlane(Plane))
    return {Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "План должен быть от %1 до %2"))
                .arg(TMatrix::kMainPlane)
                .arg(TMatrix::kBackPlaneCount)
                .toStdString()};
  if (Plane == At.Plane) return {};
  const TMatrix& level = Draft.Level();
  const TPlacedAnchor target{Plane, At.Column, At.Row};
  const std::string taken = Text(QT_TRANSLATE_NOOP("TPlacedObjectEdits", "На плане %1 место занято другим объектом"))
                                .arg(Plane)
                                .toStdString();
  if (TMatrix::IsBackPlane(Plane)) {
    if (level.BackPlanes[At.Column][At.Row][Plane - 1] > 0) return {taken};
    if (object->Number <= 0) return {NotOnBackPlane(object->Number)};
  } else {
    const TObjectRecord* record = RecordNamed(Library, object->Name);
    if (!record || record->Number != object->Number) return {NoObjectNamed(object->Name)};
    std::string pictureError;
    const std::optional<TFootprintSize> size = PictureFootprint(Library, object->Number, pictureError);
    if (!size) return {pictureError};
    const TFit fit = FitOnMainPlane(level, target, *size, TCellRegion{});
    if (fit == TFit::Blocked) return {taken};
    if (fit == TFit::PastEdge) return {FitRefusal(fit, object->Name)};
    TMatrixCell anchor;
    anchor.Kind = static_cast<int8_t>(record->ObjType);
    anchor.ObjectNumber = object->Number;
    PutOnMainPlane(Draft, target, TCellRegion{}, anchor, *size);
  }
  // The object leaves its old plane.
  if (TMatrix::IsMainPlane(At.Plane)) {
    const TCellRegion own = OwnFootprint(Library, At, object->Number);
    std::vector<std::pair<int32_t, int32_t>> cleared;
    for (int32_t x = own.FirstColumn; x <= own.LastColumn; ++x)
      for (int32_t y = own.FirstRow; y <= own.LastRow; ++y)
        if (IsOwnCell(Draft.Level(), own, At, x, y)) cleared.push_back({x, y});
    for (const auto& [x, y] : cleared) Draft.SetCell(x, y, EmptyMatrixCell());
  } else {
    Draft.SetEntry(At.Plane, At.Column, At.Row, -1);
  }
  if (TMatrix::IsBackPlane(Plane)) Draft.SetEntry(Plane, At.Column, At.Row, object->Number);
  return {};
}

TObjectEditResult ChangeObject(TLevelDraft& Draft, const TObjectDataBase& Library, const TPlacedAnchor& At,
                               std::string_view Name) {
  const std::optional<TPlacedObject> object = PlacedObjectAt(Draft.Level(), Library, At);
  if (!object) return {NothingAnchored(At)};
  const TObjectRecord* to = RecordNamed(Library, Name);
  if (!to) return {NoObjectNamed(Name)};
  if (to->Number == object->Number) return {};
  if (TMatrix::IsBackPlane(At.Plane)) {
    if (to->Number <= 0) return {NotOnBackPlane(to->Number)};
    Draft.SetEntry(At.Plane, At.Column, At.Row, to->Number);
    return {};
  }
  std::string pictureError;
  const std::optional<TFootprintSize> size = PictureFootprint(Library, to->Number, pictureError);
  if (!size) return {pictureError};
  const TMatrix& level = Draft.Level();
  const TCellRegion own = OwnFootprint(Library, At, object->Number);
  const TFit fit = FitOnMainPlane(level, At, *size, own);
  if (fit != TFit::Fits) return {FitRefusal(fit, Name)};
  TMatrixCell anchor = level.Cells[At.Column][At.Row];
  anchor.Kind = static_cast<int8_t>(to->ObjType);
  anchor.ObjectNumber = to->Number;
  PutOnMainPlane(Draft, At, own, anchor, *size);
  return {};
}

}  // namespace kestrilo
