#include "editor/PointerGestures.h"

#include <algorithm>
#include <functional>

#include "editor/EditMarks.h"
#include "editor/Editor.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/DrawingSurface.h"
#include "platform/Translated.h"
#include "platform/ViewSize.h"
#include "sprites/DrawnState.h"
#include "world/GameContext.h"
#include "world/LevelDraft.h"
#include "world/LevelEdits.h"

namespace kestrilo {

uint64_t TPointerGestures::EditMarksKey() const {
  // The clipboard, the library and the find marks change through commands,
  // which the frame counts apart; the rest is read here.
  const TGameContext& context = Editor.Context;
  TDrawnStateHash hash;
  hash.Add(context.IsEditing());
  hash.Add(static_cast<const void*>(context.PlayedLevel.get()));
  if (context.PlayedLevel) {
    hash.Add(static_cast<int64_t>(context.PlayedLevel->GetOriginX()));
    hash.Add(static_cast<int64_t>(context.PlayedLevel->GetOriginY()));
  }
  hash.Add(static_cast<const void*>(context.ObjectDataBase.get()));
  hash.Add(context.CurrentPlane);
  hash.Add(context.GridSize);
  hash.Add(Editor.Planes.Revision());
  const TSelection& selection = Editor.Selection;
  const TCellRegion& region = selection.Region();
  hash.Add(selection.Empty());
  hash.Add(region.FirstColumn);
  hash.Add(region.FirstRow);
  hash.Add(region.LastColumn);
  hash.Add(region.LastRow);
  hash.Add(selection.MoveColumns());
  hash.Add(selection.MoveRows());
  hash.Add(static_cast<int32_t>(selection.Gesture()));
  const std::optional<TCellPoint>& marked = Editor.MarkedCell();
  hash.Add(marked.has_value());
  if (marked) {
    hash.Add(marked->Column);
    hash.Add(marked->Row);
  }
  hash.Add(pointer_.has_value());
  if (pointer_) {
    hash.Add(pointer_->first);
    hash.Add(pointer_->second);
  }
  hash.Add(stroke_.Active());
  hash.Add(pasteShown_);
  hash.Add(stamping_);
  hash.Add(static_cast<uint64_t>(std::hash<std::string>{}(ghostName_)));
  return hash.Value();
}

TGridCell TPointerGestures::GridCellAt(int32_t X, int32_t Y) const {
  const int32_t grid = std::max<int32_t>(Editor.Context.GridSize, 1);
  return {Editor.ToViewPixel(X) / grid, Editor.ToViewPixel(Y) / grid};
}

bool TPointerGestures::PointerPressed(TPointerButton Button, int32_t X, int32_t Y, bool Shift,
                                      const TPlacementInputs& Inputs) {
  pointer_ = std::make_pair(X, Y);
  ghostName_ = Inputs.ObjectName;
  Editor.ForgetMarkedCell();
  if (!Editor.Context.PlayedLevel || !Editor.Context.IsEditing() || stroke_.Active()) return false;
  const TCellPoint cell = Editor.CellAt(X, Y);
  if (pasteShown_) {
    pasteShown_ = false;
    if (Button == TPointerButton::Left) Editor.Regions().PasteAt(cell.Column, cell.Row);
    return true;
  }
  if (Button == TPointerButton::Left && Shift) {
    Editor.Selection.StartSelecting(cell);
    return true;
  }
  if (Button == TPointerButton::Left && !Editor.Selection.Empty() &&
      Editor.Selection.Region().Contains(cell.Column, cell.Row)) {
    Editor.Selection.StartMoving(cell);
    return true;
  }
  if (stamping_ && Button == TPointerButton::Left) return StartStamping(X, Y, Inputs);
  // A locked plane takes no stroke; the click that follows is refused as well.
  if (Editor.RefusalOnLockedPlanes(PlaneBit(Editor.Context.CurrentPlane))) return false;
  stroke_.Start(Button, GridCellAt(X, Y));
  return false;
}

void TPointerGestures::SetStamping(bool On) {
  stamping_ = On;
  if (On && Editor.Clipboard.Empty()) Editor.SetResult(Translated("TEditor", "Буфер обмена пуст"));
}

bool TPointerGestures::StartStamping(int32_t X, int32_t Y, const TPlacementInputs& Inputs) {
  if (Editor.Clipboard.Empty()) {
    Editor.SetResult(Translated("TEditor", "Буфер обмена пуст"));
    return true;
  }
  if (Editor.RefusalOnLockedPlanes(Editor.Clipboard.Planes)) return true;
  // A click stamps once; a drag goes on stamping wherever a whole copy fits
  // beside the ones already stamped.
  stroke_.Start(TPointerButton::Left, GridCellAt(X, Y));
  Editor.Guarded([&] { StrokeCell(GridCellAt(X, Y), Inputs); });
  return true;
}

void TPointerGestures::StampAt(int64_t Column, int64_t Row) {
  const TLevelClip& clip = Editor.Clipboard;
  TCellRegion covered;
  covered.FirstColumn = static_cast<int32_t>(Column);
  covered.FirstRow = static_cast<int32_t>(Row);
  covered.LastColumn = static_cast<int32_t>(std::min<int64_t>(Column + clip.Columns, TMatrix::kColumns) - 1);
  covered.LastRow = static_cast<int32_t>(std::min<int64_t>(Row + clip.Rows, TMatrix::kRows) - 1);
  if (!stroke_.Claim(covered)) return;
  TLevelDraft draft(Editor.Context.DesignedLevel());
  if (PasteClip(draft, clip, Column, Row) == 0) return;
  TLevelEdits edits = TLevelEdits::Of(Editor.Context);
  std::string spriteMessage;
  for (TLevelChange& change : draft.Commit(edits, &spriteMessage)) stroke_.Add(std::move(change));
  ++stamps_;
  if (!spriteMessage.empty()) Editor.Dialogs.ShowMessage(spriteMessage);
}

void TPointerGestures::PointerMoved(int32_t X, int32_t Y, const TPlacementInputs& Inputs) {
  pointer_ = std::make_pair(X, Y);
  ghostName_ = Inputs.ObjectName;
  Editor.ForgetMarkedCell();
  if (!Editor.Context.PlayedLevel) return;
  Editor.Selection.PointerAt(Editor.CellAt(X, Y));
  if (!stroke_.Active()) return;
  // A stroke paints only over the drawing area; the pointer may leave it
  // while the button is held.
  const int32_t width = Editor.Attachments.DrawArea ? Editor.Attachments.DrawArea->Surface().Width() : kViewWidth;
  const int32_t height = Editor.Attachments.DrawArea ? Editor.Attachments.DrawArea->Surface().Height() : kViewHeight;
  if (X < 0 || Y < 0 || X >= width || Y >= height) return;
  const std::vector<TGridCell> passed = stroke_.MoveTo(GridCellAt(X, Y));
  if (passed.empty()) return;
  Editor.Guarded([&] {
    for (const TGridCell& cell : passed) StrokeCell(cell, Inputs);
  });
}

bool TPointerGestures::PointerReleased(TPointerButton Button, int32_t X, int32_t Y, const TPlacementInputs& Inputs) {
  if (Editor.Selection.Gesture() != TSelection::TGesture::None) {
    if (Button != TPointerButton::Left) return true;
    Editor.Selection.PointerAt(Editor.CellAt(X, Y));
    const bool moving = Editor.Selection.Gesture() == TSelection::TGesture::Moving;
    const int64_t columns = Editor.Selection.MoveColumns(), rows = Editor.Selection.MoveRows();
    Editor.Selection.EndGesture();
    if (moving && (columns != 0 || rows != 0))
      Editor.Regions().MoveSelection(columns, rows);
    else if (moving)
      Editor.Selection.Clear();  // a click into the selection lets it go
    return true;
  }
  if (!stroke_.Active() || stroke_.Button() != Button) return false;
  PointerMoved(X, Y, Inputs);
  const bool moved = stroke_.Moved();
  const TPointerButton button = stroke_.Button();
  std::vector<TLevelChange> changes = stroke_.Finish();
  if (stamping_ && button == TPointerButton::Left) {
    if (!changes.empty()) {
      Editor.Record(new TLevelEditCommand(Editor.Context, std::move(changes),
                                          QCoreApplication::translate("TEditor", "штамп"), Editor.Hooks()));
      Editor.SetResult(Translated("TEditor", "Оттиснуто копий буфера: ") + std::to_string(stamps_));
    }
    stamps_ = 0;
    Editor.RedrawOverview(Editor.Context.CurrentPlane);
    return true;
  }
  if (!moved) return false;  // a plain click
  if (!changes.empty()) {
    const bool painting = button == TPointerButton::Left;
    const size_t count = changes.size();
    Editor.Record(new TLevelEditCommand(
        Editor.Context, std::move(changes),
        QCoreApplication::translate(
            "TEditor", painting ? QT_TRANSLATE_NOOP("TEditor", "рисование") : QT_TRANSLATE_NOOP("TEditor", "стирание")),
        Editor.Hooks()));
    Editor.SetResult(Translated("TEditor", painting ? QT_TRANSLATE_NOOP("TEditor", "Нарисовано объектов: ")
                                                    : QT_TRANSLATE_NOOP("TEditor", "Стёрто объектов: ")) +
                     std::to_string(count));
  }
  Editor.RedrawOverview(Editor.Context.CurrentPlane);
  return true;
}

void TPointerGestures::PointerLeft() { pointer_.reset(); }

void TPointerGestures::StrokeCell(TGridCell Cell, const TPlacementInputs& Inputs) {
  Editor.Require(Editor.Context.PlayedLevel && Editor.Context.ObjectDataBase, "The matrix");
  const int32_t grid = std::max<int32_t>(Editor.Context.GridSize, 1);
  const int32_t viewX = Cell.Column * grid, viewY = Cell.Row * grid;
  const int64_t column = Editor.Context.PlayedLevel->ViewColumn(viewX),
                row = Editor.Context.PlayedLevel->ViewRow(viewY);
  if (!TMatrix::IsInside(column, row) || viewX < 0 || viewY < 0) return;
  if (stamping_ && stroke_.Button() == TPointerButton::Left) {
    StampAt(column, row);
    return;
  }
  const int32_t plane = Editor.Context.CurrentPlane;
  TLevelEdits edits = TLevelEdits::Of(Editor.Context);
  if (stroke_.Button() == TPointerButton::Right) {
    // A stroke tells nothing of what it did not erase: passing over an empty
    // cell is no mistake.
    TErasure erasure = edits.EraseAt(viewX + grid / 2, viewY + grid / 2, plane);
    if (!erasure.Change.Empty()) stroke_.Add(std::move(erasure.Change));
    return;
  }
  const TObjectRecord record = Editor.ChosenRecord(Inputs);
  TCellRegion footprint;
  if (TMatrix::IsMainPlane(plane)) {
    const TFootprintSize size = FootprintOfNumber(*Editor.Context.ObjectDataBase, record.Number);
    footprint = TMatrix::FootprintRegion(column, row, size);
  } else {
    footprint = TMatrix::FootprintRegion(column, row, TFootprintSize{});
  }
  if (!stroke_.Claim(footprint)) return;
  TLevelChange change = edits.Place(record, viewX, viewY, plane, *Editor.Context.ObjectDataBase);
  const std::exception_ptr spriteError = change.SpriteError;
  if (!change.Empty()) stroke_.Add(std::move(change));
  if (spriteError) std::rethrow_exception(spriteError);
}

void TPointerGestures::DrawEditMarks() const {
  if (!Editor.Attachments.DrawArea || !Editor.Context.IsEditing() || !Editor.Context.PlayedLevel) return;
  TSurface& back = Editor.Attachments.DrawArea->Surface();
  const int32_t divisor = Editor.ViewDivisor();
  const int32_t cell = TMatrix::kCellSize / divisor;
  const int32_t originX = Editor.Context.PlayedLevel->GetOriginX(), originY = Editor.Context.PlayedLevel->GetOriginY();
  // Drawing-area pixels of a level cell.
  auto left = [&](int64_t Column) { return static_cast<int32_t>((Column - originX) * cell); };
  auto top = [&](int64_t Row) { return static_cast<int32_t>((Row - originY) * cell); };
  if (!Editor.Selection.Empty()) {
    const TCellRegion& region = Editor.Selection.Region();
    const int64_t dx = Editor.Selection.MoveColumns(), dy = Editor.Selection.MoveRows();
    OutlineRect(back, left(region.FirstColumn + dx), top(region.FirstRow + dy),
                (region.LastColumn - region.FirstColumn + 1) * cell, (region.LastRow - region.FirstRow + 1) * cell,
                kSelectionOutlinePixel);
  }
  for (const TCellRegion& found : Editor.Find().MarkedRegions())
    OutlineRect(back, left(found.FirstColumn), top(found.FirstRow), (found.LastColumn - found.FirstColumn + 1) * cell,
                (found.LastRow - found.FirstRow + 1) * cell, kFoundOutlinePixel);
  if (const std::optional<TCellPoint>& marked = Editor.MarkedCell()) {
    // Two outlines, so that the mark shows over any picture and over the grid.
    const int32_t x = left(marked->Column), y = top(marked->Row);
    OutlineRect(back, x, y, cell, cell, kSelectionOutlinePixel);
    OutlineRect(back, x + 1, y + 1, cell - 2, cell - 2, kGhostOutlinePixel);
  }
  if (!pointer_ || stroke_.Active() || Editor.Selection.Gesture() != TSelection::TGesture::None) return;
  const TCellPoint at = Editor.CellAt(pointer_->first, pointer_->second);
  TPictureCollection* pictures = Editor.Context.ObjectDataBase ? Editor.Context.ObjectDataBase->Images : nullptr;
  if (pasteShown_ || (stamping_ && !Editor.Clipboard.Empty())) {
    for (const TClipObject& object : Editor.Clipboard.Objects) {
      const int64_t x = at.Column + object.Column, y = at.Row + object.Row;
      if (pictures && divisor == 1) {
        const int32_t number =
            TMatrix::IsMainPlane(object.Plane)
                ? Editor.Clipboard.Cells[static_cast<size_t>(object.Column) * Editor.Clipboard.Rows + object.Row]
                      .ObjectNumber
                : Editor.Clipboard.Entries[object.Plane - 1]
                                          [static_cast<size_t>(object.Column) * Editor.Clipboard.Rows + object.Row];
        DrawGhostPicture(back, pictures->Find(Editor.Context.ObjectDataBase->NameOfNumber(number)), left(x), top(y));
      }
      OutlineRect(back, left(x), top(y), object.Columns * cell, object.Rows * cell, kGhostOutlinePixel);
    }
    OutlineRect(back, left(at.Column), top(at.Row), Editor.Clipboard.Columns * cell, Editor.Clipboard.Rows * cell,
                kSelectionOutlinePixel);
    return;
  }
  if (ghostName_.empty() || !Editor.Context.ObjectDataBase) return;
  // Where a click lands: the grid cell under the pointer.
  const int32_t grid = std::max<int32_t>(Editor.Context.GridSize, 1);
  const TGridCell gridCell = GridCellAt(pointer_->first, pointer_->second);
  const int64_t column = Editor.Context.PlayedLevel->ViewColumn(gridCell.Column * grid);
  const int64_t row = Editor.Context.PlayedLevel->ViewRow(gridCell.Row * grid);
  if (!TMatrix::IsInside(column, row)) return;
  const TObjectRecord record = Editor.Context.ObjectDataBase->FindByName(ghostName_);
  TFootprintSize size;
  if (TMatrix::IsMainPlane(Editor.Context.CurrentPlane))
    size = FootprintOfNumber(*Editor.Context.ObjectDataBase, record.Number);
  if (pictures && divisor == 1) DrawGhostPicture(back, pictures->Find(ghostName_), left(column), top(row));
  OutlineRect(back, left(column), top(row), size.Columns * cell, size.Rows * cell, kGhostOutlinePixel);
}
void TPointerGestures::StartPaste() {
  if (Editor.Clipboard.Empty()) {
    Editor.SetResult(Translated("TEditor", "Буфер обмена пуст"));
    return;
  }
  pasteShown_ = true;
}

}  // namespace kestrilo
