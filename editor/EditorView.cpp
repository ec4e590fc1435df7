// The edit view: its zoom, the cells it shows at the drawing area's size,
// the cell under a pixel, centring it on a cell, and the overview map that
// frames what it shows.
#include "editor/Editor.h"

#include <algorithm>

#include "matrix/Matrix.h"
#include "platform/DrawingSurface.h"
#include "platform/Translated.h"
#include "platform/ViewSize.h"
#include "sprites/DXSpriteEngine.h"
#include "world/GameContext.h"

namespace kestrilo {

int32_t TEditor::ViewDivisor() const { return Context.IsEditing() ? Zoom.Divisor() : 1; }

TCellPoint TEditor::CellAt(int32_t X, int32_t Y) const {
  if (!Context.PlayedLevel) return {};
  return {Context.PlayedLevel->ViewColumn(ToViewPixel(X)), Context.PlayedLevel->ViewRow(ToViewPixel(Y))};
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
  return TViewport::ColumnsShown(Attachments.DrawArea ? Attachments.DrawArea->Surface().Width() : kViewWidth,
                                 ViewDivisor());
}

int32_t TEditor::RowsShown() const {
  return TViewport::RowsShown(Attachments.DrawArea ? Attachments.DrawArea->Surface().Height() : kViewHeight,
                              ViewDivisor());
}

void TEditor::RedrawOverview(int32_t Plane) {
  ++commandsRun_;
  if (!Attachments.OverviewCanvas || !Context.PlayedLevel || Plane < 0 || Plane > TMatrix::kBackPlaneCount) return;
  // The map frames what the view shows: as many cells, in squares that fit its place.
  const TMatrix& level = *Context.PlayedLevel;
  const TOverviewPlace& place = Viewport.OverviewPlace;
  const TOverviewFrame frame =
      TOverviewFrame::Fit(ColumnsShown(), RowsShown(), level.GetOriginX(), level.GetOriginY(), place);
  if (frame != Viewport.OverviewShown) {
    // The map drawn before may reach further.
    const uint32_t brush = Attachments.OverviewCanvas->BrushColor;
    Attachments.OverviewCanvas->BrushColor = place.Background;
    Attachments.OverviewCanvas->FillRect(Bounds(place.Left, place.Top, place.Width, place.Height));
    Attachments.OverviewCanvas->BrushColor = brush;
    Viewport.OverviewShown = frame;
  }
  level.DrawMiniMap(*Attachments.OverviewCanvas, static_cast<uint8_t>(Plane), place.Left, place.Top, frame.Columns,
                    frame.Rows, frame.Square);
  Attachments.OverviewCanvas->Release();
  if (Attachments.OverviewChanged) Attachments.OverviewChanged();
}

}  // namespace kestrilo
