// The editor's commands of the pointer and of regions: strokes that paint and
// erase, the selection and its gestures, copy, cut, paste, delete, move and
// fill, the zoom of the edit view and the ghost that shows where a click
// lands. Every change goes through the level edits and is one undo step.
#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <functional>

#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "platform/Cp1251.h"
#include "platform/Translated.h"
#include "platform/DrawingSurface.h"
#include "platform/ViewSize.h"
#include "editor/EditMarks.h"
#include "editor/Editor.h"

#include <QCoreApplication>

#include "platform/Translated.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/DrawnState.h"
#include "world/GameContext.h"
#include "world/LevelDraft.h"
#include "world/LevelEdits.h"
#include "world/ObjectPictures.h"

namespace kestrilo {

TObjectRecord TEditor::ChosenRecord(const TPlacementInputs& Inputs) const {
  TObjectRecord record = Context.ObjectDataBase->FindByName(Inputs.ObjectName);
  record.LiftHeight = static_cast<int8_t>(Inputs.LiftHeight);
  record.KeyCode = static_cast<uint8_t>(Inputs.KeyCode);
  return record;
}

int32_t TEditor::ViewDivisor() const { return Context.IsEditing() ? Zoom.Divisor() : 1; }

TCellPoint TEditor::CellAt(int32_t X, int32_t Y) const {
  if (!Context.PlayedLevel) return {};
  return {Context.PlayedLevel->ViewColumn(ToViewPixel(X)), Context.PlayedLevel->ViewRow(ToViewPixel(Y))};
}

TGridCell TEditor::GridCellAt(int32_t X, int32_t Y) const {
  const int32_t grid = std::max<int32_t>(Context.GridSize, 1);
  return {ToViewPixel(X) / grid, ToViewPixel(Y) / grid};
}

TPlaneMask TEditor::SelectionPlanes() const {
  return Selection.AllPlanes
             ? kAllPlanes
             : PlaneBit(std::clamp<int32_t>(Context.CurrentPlane, TMatrix::kMainPlane, TMatrix::kBackPlaneCount));
}

// ---- the pointer -------------------------------------------------------------

bool TEditor::PointerPressed(TPointerButton Button, int32_t X, int32_t Y, bool Shift,
                             const TPlacementInputs& Inputs) {
  pointer_ = std::make_pair(X, Y);
  ghostName_ = Inputs.ObjectName;
  markedCell_.reset();
  if (!Context.PlayedLevel || !Context.IsEditing() || stroke_.Active()) return false;
  const TCellPoint cell = CellAt(X, Y);
  if (pasteShown_) {
    pasteShown_ = false;
    if (Button == TPointerButton::Left) PasteAt(cell.Column, cell.Row);
    return true;
  }
  if (Button == TPointerButton::Left && Shift) {
    Selection.StartSelecting(cell);
    return true;
  }
  if (Button == TPointerButton::Left && !Selection.Empty() && Selection.Region().Contains(cell.Column, cell.Row)) {
    Selection.StartMoving(cell);
    return true;
  }
  stroke_.Start(Button, GridCellAt(X, Y));
  return false;
}

void TEditor::PointerMoved(int32_t X, int32_t Y, const TPlacementInputs& Inputs) {
  pointer_ = std::make_pair(X, Y);
  ghostName_ = Inputs.ObjectName;
  markedCell_.reset();
  if (!Context.PlayedLevel) return;
  Selection.PointerAt(CellAt(X, Y));
  if (!stroke_.Active()) return;
  // A stroke paints only over the drawing area; the pointer may leave it
  // while the button is held.
  const int32_t width = Attachments.DrawArea ? Attachments.DrawArea->Surface().Width() : kViewWidth;
  const int32_t height = Attachments.DrawArea ? Attachments.DrawArea->Surface().Height() : kViewHeight;
  if (X < 0 || Y < 0 || X >= width || Y >= height) return;
  const std::vector<TGridCell> passed = stroke_.MoveTo(GridCellAt(X, Y));
  if (passed.empty()) return;
  Guarded([&] {
    for (const TGridCell& cell : passed) StrokeCell(cell, Inputs);
  });
}

bool TEditor::PointerReleased(TPointerButton Button, int32_t X, int32_t Y, const TPlacementInputs& Inputs) {
  if (Selection.Gesture() != TSelection::TGesture::None) {
    if (Button != TPointerButton::Left) return true;
    Selection.PointerAt(CellAt(X, Y));
    const bool moving = Selection.Gesture() == TSelection::TGesture::Moving;
    const int64_t columns = Selection.MoveColumns(), rows = Selection.MoveRows();
    Selection.EndGesture();
    if (moving && (columns != 0 || rows != 0)) MoveSelection(columns, rows);
    else if (moving) Selection.Clear();  // a click into the selection lets it go
    return true;
  }
  if (!stroke_.Active() || stroke_.Button() != Button) return false;
  PointerMoved(X, Y, Inputs);
  const bool moved = stroke_.Moved();
  const TPointerButton button = stroke_.Button();
  std::vector<TLevelChange> changes = stroke_.Finish();
  if (!moved) return false;  // a plain click
  if (!changes.empty()) {
    const bool painting = button == TPointerButton::Left;
    const size_t count = changes.size();
    Record(new TLevelEditCommand(Context, std::move(changes),
                                 QCoreApplication::translate("TEditor", painting ? QT_TRANSLATE_NOOP("TEditor", "рисование") : QT_TRANSLATE_NOOP("TEditor", "стирание")), hooks_));
    SetResult(Translated("TEditor", painting ? QT_TRANSLATE_NOOP("TEditor", "Нарисовано объектов: ") : QT_TRANSLATE_NOOP("TEditor", "Стёрто объектов: ")) + std::to_string(count));
  }
  RedrawOverview(Context.CurrentPlane);
  return true;
}

void TEditor::PointerLeft() { pointer_.reset(); }

void TEditor::StrokeCell(TGridCell Cell, const TPlacementInputs& Inputs) {
  Require(Context.PlayedLevel && Context.ObjectDataBase, "The matrix");
  const int32_t grid = std::max<int32_t>(Context.GridSize, 1);
  const int32_t viewX = Cell.Column * grid, viewY = Cell.Row * grid;
  const int64_t column = Context.PlayedLevel->ViewColumn(viewX), row = Context.PlayedLevel->ViewRow(viewY);
  if (!TMatrix::IsInside(column, row) || viewX < 0 || viewY < 0) return;
  const int32_t plane = Context.CurrentPlane;
  TLevelEdits edits = TLevelEdits::Of(Context);
  if (stroke_.Button() == TPointerButton::Right) {
    // A stroke tells nothing of what it did not erase: passing over an empty
    // cell is no mistake.
    TErasure erasure = edits.EraseAt(viewX + grid / 2, viewY + grid / 2, plane);
    if (!erasure.Change.Empty()) stroke_.Add(std::move(erasure.Change));
    return;
  }
  const TObjectRecord record = ChosenRecord(Inputs);
  TCellRegion footprint;
  if (TMatrix::IsMainPlane(plane)) {
    const TFootprintSize size = FootprintOfNumber(*Context.ObjectDataBase, record.Number);
    footprint = TMatrix::FootprintRegion(column, row, size);
  } else {
    footprint = TMatrix::FootprintRegion(column, row, TFootprintSize{});
  }
  if (!stroke_.Claim(footprint)) return;
  TLevelChange change = edits.Place(record, viewX, viewY, plane, *Context.ObjectDataBase);
  const std::exception_ptr spriteError = change.SpriteError;
  if (!change.Empty()) stroke_.Add(std::move(change));
  if (spriteError) std::rethrow_exception(spriteError);
}

// ---- the selection and the clipboard ---------------------------------------------

void TEditor::RecordDraft(const TLevelDraft& Draft, const QString& Text, const std::string& Result) {
  TLevelEdits edits = TLevelEdits::Of(Context);
  std::string spriteMessage;
  std::vector<TLevelChange> changes = Draft.Commit(edits, &spriteMessage);
  if (!changes.empty()) {
    Record(new TLevelEditCommand(Context, std::move(changes), Text, hooks_));
    SetResult(Result);
  }
  RedrawOverview(Context.CurrentPlane);
  if (!spriteMessage.empty()) Dialogs.ShowMessage(spriteMessage);
}

void TEditor::CopySelection() {
  Guarded([&] {
    Require(Context.PlayedLevel && Context.ObjectDataBase, "The matrix");
    if (Selection.Empty()) return;
    const TMatrix& level = Context.DesignedLevel();
    Clipboard = CopyObjects(level, *Context.ObjectDataBase, Selection.Region(), SelectionPlanes());
    SetResult(Translated("TEditor", "Скопировано объектов: ") + std::to_string(Clipboard.Objects.size()));
  });
}

void TEditor::DeleteSelection() {
  Guarded([&] {
    Require(Context.PlayedLevel && Context.ObjectDataBase, "The matrix");
    if (Selection.Empty()) return;
    const TMatrix& level = Context.DesignedLevel();
    TLevelDraft draft(level);
    EraseObjects(draft, *Context.ObjectDataBase, Selection.Region(), SelectionPlanes());
    RecordDraft(draft, QCoreApplication::translate("TEditor", "удаление выделенного"), Translated("TEditor", "Выделенное удалено"));
  });
}

void TEditor::CutSelection() {
  CopySelection();
  Guarded([&] {
    if (Selection.Empty()) return;
    const TMatrix& level = Context.DesignedLevel();
    TLevelDraft draft(level);
    EraseObjects(draft, *Context.ObjectDataBase, Selection.Region(), SelectionPlanes());
    RecordDraft(draft, QCoreApplication::translate("TEditor", "вырезание выделенного"),
                Translated("TEditor", "Вырезано объектов: ") + std::to_string(Clipboard.Objects.size()));
  });
}

void TEditor::StartPaste() {
  if (Clipboard.Empty()) {
    SetResult(Translated("TEditor", "Буфер обмена пуст"));
    return;
  }
  pasteShown_ = true;
}

void TEditor::PasteAt(int64_t Column, int64_t Row) {
  Guarded([&] {
    Require(Context.PlayedLevel != nullptr, "The matrix");
    if (Clipboard.Empty()) return;
    const TMatrix& level = Context.DesignedLevel();
    TLevelDraft draft(level);
    const int32_t written = PasteClip(draft, Clipboard, Column, Row);
    RecordDraft(draft, QCoreApplication::translate("TEditor", "вставка"),
                Translated("TEditor", "Вставлено объектов: ") + std::to_string(written));
  });
}

void TEditor::MoveSelection(int64_t Columns, int64_t Rows) {
  Guarded([&] {
    Require(Context.PlayedLevel && Context.ObjectDataBase, "The matrix");
    if (Selection.Empty() || (Columns == 0 && Rows == 0)) return;
    const TMatrix& level = Context.DesignedLevel();
    const TLevelClip moving = CopyObjects(level, *Context.ObjectDataBase, Selection.Region(), SelectionPlanes());
    // The objects stop at the level's edges rather than fall off them.
    const TCellRegion& from = Selection.Region();
    Columns = std::clamp<int64_t>(Columns, -from.FirstColumn, TMatrix::kColumns - from.FirstColumn - moving.Columns);
    Rows = std::clamp<int64_t>(Rows, -from.FirstRow, TMatrix::kRows - from.FirstRow - moving.Rows);
    if (Columns == 0 && Rows == 0) return;
    TLevelDraft draft(level);
    EraseObjects(draft, *Context.ObjectDataBase, Selection.Region(), SelectionPlanes());
    PasteClip(draft, moving, Selection.Region().FirstColumn + Columns, Selection.Region().FirstRow + Rows);
    RecordDraft(draft, QCoreApplication::translate("TEditor", "перемещение выделенного"),
                Translated("TEditor", "Выделенное перемещено"));
    Selection.Shift(Columns, Rows);
  });
}

void TEditor::FillSelection(const TPlacementInputs& Inputs) {
  Guarded([&] {
    Require(Context.PlayedLevel && Context.ObjectDataBase, "The matrix");
    if (Selection.Empty()) return;
    if (IsNamelessName(Inputs.ObjectName)) return;  // nothing chosen fills nothing
    const TObjectRecord record = ChosenRecord(Inputs);
    const int32_t plane = Context.CurrentPlane;
    TMatrixCell cell;
    cell.Kind = static_cast<int8_t>(record.ObjType);
    cell.ObjectNumber = record.Number;
    cell.LiftHeight = record.LiftHeight;
    cell.KeyCode = record.KeyCode;
    // A missing picture is reported before anything changes, as placing does.
    TFootprintSize size;
    if (TMatrix::IsMainPlane(plane)) {
      const TObjectDataBase::TFrameSize frame = Context.ObjectDataBase->FrameSizeOfNumber(record.Number);
      size = FootprintOfFrame(frame.Width, frame.Height);
    }
    const TMatrix& level = Context.DesignedLevel();
    TLevelDraft draft(level);
    const int32_t written = ::kestrilo::FillSelection(draft, Selection.Region(), plane, cell, size);
    const std::string name = cp1251::ToUtf8(record.Name);
    RecordDraft(draft, QCoreApplication::translate("TEditor", "заполнение «%1»").arg(QString::fromStdString(name)),
                Translated("TEditor", "Заполнено объектов: ") + std::to_string(written));
  });
}

// ---- zoom and the overview --------------------------------------------------------

void TEditor::ZoomOut() {
  if (!Context.IsEditing()) return;
  Zoom.ZoomOut();
  SetResult(Translated("TEditor", "Масштаб 1/") + std::to_string(Zoom.Divisor()));
}

void TEditor::ZoomIn() {
  Zoom.ZoomIn();
  SetResult(Zoom.Divisor() == 1 ? Translated("TEditor", "Масштаб 1:1")
                                : Translated("TEditor", "Масштаб 1/") + std::to_string(Zoom.Divisor()));
}

void TEditor::CenterViewOn(int64_t Column, int64_t Row) {
  Guarded([&] {
    Require(Context.PlayedLevel != nullptr, "The matrix");
    TSpriteEngine& root = Root();
    // Scrolled cell by cell, so that the camera stays in step with the view.
    const TCellPoint want = TViewport::CentredOrigin(Column, Row, ColumnsShown(), RowsShown());
    while (Context.PlayedLevel->GetOriginX() > want.Column) Context.PlayedLevel->Scroll(root, TScrollDirection::Left);
    while (Context.PlayedLevel->GetOriginX() < want.Column) Context.PlayedLevel->Scroll(root, TScrollDirection::Right);
    while (Context.PlayedLevel->GetOriginY() > want.Row) Context.PlayedLevel->Scroll(root, TScrollDirection::Up);
    while (Context.PlayedLevel->GetOriginY() < want.Row) Context.PlayedLevel->Scroll(root, TScrollDirection::Down);
    RedrawOverview(Context.CurrentPlane);
  });
}

void TEditor::ShowCell(int64_t Column, int64_t Row) {
  CenterViewOn(Column, Row);
  markedCell_ = TCellPoint{Column, Row};
}

void TEditor::OverviewClicked(int32_t X, int32_t Y) {
  const std::optional<TCellPoint> square = Viewport.OverviewShown.SquareAt(X, Y);
  if (!square || !Context.PlayedLevel) return;
  CenterViewOn(Context.PlayedLevel->GetOriginX() + square->Column, Context.PlayedLevel->GetOriginY() + square->Row);
}

int32_t TEditor::ColumnsShown() const {
  return TViewport::ColumnsShown(Attachments.DrawArea ? Attachments.DrawArea->Surface().Width() : kViewWidth, ViewDivisor());
}

int32_t TEditor::RowsShown() const {
  return TViewport::RowsShown(Attachments.DrawArea ? Attachments.DrawArea->Surface().Height() : kViewHeight, ViewDivisor());
}

// ---- drawing -----------------------------------------------------------------------

void TEditor::DrawZoomedWorld() {
  if (!Context.SpriteEngine || !Attachments.DrawArea) return;
  TSpriteEngine& engine = *Context.SpriteEngine->Engine();
  TSurface& back = Attachments.DrawArea->Surface();
  const int32_t divisor = ViewDivisor();
  // The back buffer stands for a view as many times larger as the zoom
  // divides, and the engine draws all of that view into it, shrunk.
  struct TRestore {
    TSurface& back;
    TSpriteEngine& engine;
    TRect view;
    ~TRestore() {
      back.SetShrinkDivisor(1);
      engine.ViewRect = view;
    }
  } restore{back, engine, engine.ViewRect};
  back.SetShrinkDivisor(divisor);
  engine.ViewRect = {0, 0, back.Width() * divisor, back.Height() * divisor};
  Context.SpriteEngine->Draw();
}

uint64_t TEditor::EditMarksKey() const {
  // The clipboard and the library change through commands, which the frame
  // counts apart; the rest is read here.
  TDrawnStateHash hash;
  hash.Add(Context.IsEditing());
  hash.Add(static_cast<const void*>(Context.PlayedLevel.get()));
  if (Context.PlayedLevel) {
    hash.Add(static_cast<int64_t>(Context.PlayedLevel->GetOriginX()));
    hash.Add(static_cast<int64_t>(Context.PlayedLevel->GetOriginY()));
  }
  hash.Add(static_cast<const void*>(Context.ObjectDataBase.get()));
  hash.Add(Context.CurrentPlane);
  hash.Add(Context.GridSize);
  const TCellRegion& region = Selection.Region();
  hash.Add(Selection.Empty());
  hash.Add(region.FirstColumn);
  hash.Add(region.FirstRow);
  hash.Add(region.LastColumn);
  hash.Add(region.LastRow);
  hash.Add(Selection.MoveColumns());
  hash.Add(Selection.MoveRows());
  hash.Add(static_cast<int32_t>(Selection.Gesture()));
  hash.Add(markedCell_.has_value());
  if (markedCell_) {
    hash.Add(markedCell_->Column);
    hash.Add(markedCell_->Row);
  }
  hash.Add(pointer_.has_value());
  if (pointer_) {
    hash.Add(pointer_->first);
    hash.Add(pointer_->second);
  }
  hash.Add(stroke_.Active());
  hash.Add(pasteShown_);
  hash.Add(static_cast<uint64_t>(std::hash<std::string>{}(ghostName_)));
  return hash.Value();
}

void TEditor::DrawEditMarks() {
  if (!Attachments.DrawArea || !Context.IsEditing() || !Context.PlayedLevel) return;
  TSurface& back = Attachments.DrawArea->Surface();
  const int32_t divisor = ViewDivisor();
  const int32_t cell = TMatrix::kCellSize / divisor;
  const int32_t originX = Context.PlayedLevel->GetOriginX(), originY = Context.PlayedLevel->GetOriginY();
  // Drawing-area pixels of a level cell.
  auto left = [&](int64_t Column) { return static_cast<int32_t>((Column - originX) * cell); };
  auto top = [&](int64_t Row) { return static_cast<int32_t>((Row - originY) * cell); };
  if (!Selection.Empty()) {
    const TCellRegion& region = Selection.Region();
    const int64_t dx = Selection.MoveColumns(), dy = Selection.MoveRows();
    OutlineRect(back, left(region.FirstColumn + dx), top(region.FirstRow + dy),
                (region.LastColumn - region.FirstColumn + 1) * cell, (region.LastRow - region.FirstRow + 1) * cell,
                kSelectionOutlinePixel);
  }
  if (markedCell_) {
    // Two outlines, so that the mark shows over any picture and over the grid.
    const int32_t x = left(markedCell_->Column), y = top(markedCell_->Row);
    OutlineRect(back, x, y, cell, cell, kSelectionOutlinePixel);
    OutlineRect(back, x + 1, y + 1, cell - 2, cell - 2, kGhostOutlinePixel);
  }
  if (!pointer_ || stroke_.Active() || Selection.Gesture() != TSelection::TGesture::None) return;
  const TCellPoint at = CellAt(pointer_->first, pointer_->second);
  TPictureCollection* pictures = Context.ObjectDataBase ? Context.ObjectDataBase->Images : nullptr;
  if (pasteShown_) {
    for (const TClipObject& object : Clipboard.Objects) {
      const int64_t x = at.Column + object.Column, y = at.Row + object.Row;
      if (pictures && divisor == 1) {
        const int32_t number = TMatrix::IsMainPlane(object.Plane)
                                   ? Clipboard.Cells[static_cast<size_t>(object.Column) * Clipboard.Rows + object.Row].ObjectNumber
                                   : Clipboard.Entries[object.Plane - 1][static_cast<size_t>(object.Column) * Clipboard.Rows + object.Row];
        DrawGhostPicture(back, pictures->Find(Context.ObjectDataBase->NameOfNumber(number)), left(x), top(y));
      }
      OutlineRect(back, left(x), top(y), object.Columns * cell, object.Rows * cell, kGhostOutlinePixel);
    }
    OutlineRect(back, left(at.Column), top(at.Row), Clipboard.Columns * cell, Clipboard.Rows * cell,
                kSelectionOutlinePixel);
    return;
  }
  if (ghostName_.empty() || !Context.ObjectDataBase) return;
  // Where a click lands: the grid cell under the pointer.
  const int32_t grid = std::max<int32_t>(Context.GridSize, 1);
  const TGridCell gridCell = GridCellAt(pointer_->first, pointer_->second);
  const int64_t column = Context.PlayedLevel->ViewColumn(gridCell.Column * grid);
  const int64_t row = Context.PlayedLevel->ViewRow(gridCell.Row * grid);
  if (!TMatrix::IsInside(column, row)) return;
  const TObjectRecord record = Context.ObjectDataBase->FindByName(ghostName_);
  TFootprintSize size;
  if (TMatrix::IsMainPlane(Context.CurrentPlane)) size = FootprintOfNumber(*Context.ObjectDataBase, record.Number);
  if (pictures && divisor == 1) DrawGhostPicture(back, pictures->Find(ghostName_), left(column), top(row));
  OutlineRect(back, left(column), top(row), size.Columns * cell, size.Rows * cell, kGhostOutlinePixel);
}

}  // namespace kestrilo
