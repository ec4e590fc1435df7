// Painting by dragging, selecting, copying, pasting, moving, filling and
// zooming in the edit view: exact cells, whole objects, one undo step each.
#include <gtest/gtest.h>

#include <cstring>

#include "EditorTestSupport.h"
#include "editor/EditMarks.h"
#include "library/ObjectDataBase.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "sprites/DXSpriteEngine.h"

namespace kestrilo {
namespace {

using editortest::TEditorFixture;

TPlacementInputs Chosen(std::string_view utf8Name, int32_t liftHeight = 0, int32_t keyCode = 0) {
  TPlacementInputs inputs;
  inputs.ObjectName = W1251(utf8Name);
  inputs.LiftHeight = liftHeight;
  inputs.KeyCode = keyCode;
  return inputs;
}

// The 12 bytes of a cell's record in a saved matrix file.
std::string RecordOf(const std::string& file, int32_t x, int32_t y) {
  return file.substr(static_cast<size_t>(x * TMatrix::kRows + y) * sizeof(TMatrixCell), sizeof(TMatrixCell));
}

int32_t EntryOf(const std::string& file, int32_t x, int32_t y, int32_t plane) {
  int32_t value = 0;
  std::memcpy(&value, file.data() + static_cast<size_t>((x * TMatrix::kRows + y) * 4 + plane - 1) * 4, 4);
  return value;
}

class EditorRegions : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteSampleData();
    f.OpenObjects();
    f.Editor.ChangePlane(0);
    f.Tick();
  }
  const TMatrix& Design() { return f.Context.DesignedLevel(); }
  // A drag with one button from the first point through the others.
  bool Drag(TPointerButton button, std::vector<std::pair<int32_t, int32_t>> points, const TPlacementInputs& inputs,
            bool shift = false) {
    f.Editor.Pointer().PointerPressed(button, points.front().first, points.front().second, shift, inputs);
    for (size_t i = 1; i < points.size(); ++i)
      f.Editor.Pointer().PointerMoved(points[i].first, points[i].second, inputs);
    return f.Editor.Pointer().PointerReleased(button, points.back().first, points.back().second, inputs);
  }
  void Select(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    Drag(TPointerButton::Left, {{x0 * 32 + 3, y0 * 32 + 3}, {x1 * 32 + 3, y1 * 32 + 3}}, Chosen("Стена"), true);
  }
  std::string SaveBytes(const std::string& name) {
    f.Dialogs.FileAnswers.push_back(f.Path(name));
    EXPECT_TRUE(f.Editor.Files().SaveLevel());
    return ReadWholeFile(f.Path(name));
  }
  int32_t Anchors() {
    int32_t count = 0;
    for (const auto& column : Design().Cells)
      for (const TMatrixCell& cell : column) count += cell.ObjectNumber >= 0;
    return count;
  }
  TEditorFixture f;
};

TEST(CellsPassed, WalksEveryCellOfALineWithoutDiagonalGaps) {
  const std::vector<TGridCell> line = CellsPassed({0, 0}, {3, 2});
  ASSERT_EQ(line.size(), 5u);  // 3 steps across and 2 down, one at a time
  TGridCell at{0, 0};
  for (const TGridCell& next : line) {
    EXPECT_EQ(std::abs(next.Column - at.Column) + std::abs(next.Row - at.Row), 1);
    at = next;
  }
  EXPECT_EQ(at, (TGridCell{3, 2}));
  EXPECT_TRUE(CellsPassed({4, 4}, {4, 4}).empty());
  EXPECT_EQ(CellsPassed({2, 5}, {2, 1}).size(), 4u);
  EXPECT_EQ(CellsPassed({2, 5}, {-1, 5}).back(), (TGridCell{-1, 5}));
}

TEST_F(EditorRegions, AStrokePlacesExactlyTheCellsPassedAndUndoesInOneStep) {
  const int before = f.Editor.UndoStack.count();
  const int32_t sprites = f.CountOf("TMyObject");
  // From cell (1, 2) right to (4, 2), then down to (4, 4), in jumps of more than a cell.
  EXPECT_TRUE(Drag(TPointerButton::Left, {{40, 70}, {150, 70}, {150, 150}}, Chosen("Стена", 0, 9)));
  for (int32_t x = 0; x < 8; ++x)
    for (int32_t y = 0; y < 7; ++y) {
      const bool passed = (y == 2 && x >= 1 && x <= 4) || (x == 4 && y >= 2 && y <= 4);
      EXPECT_EQ(Design().Cells[x][y].ObjectNumber, passed ? f.NumberOf("Стена") : -1) << x << "," << y;
      if (passed) EXPECT_EQ(Design().Cells[x][y].KeyCode, 9);
    }
  EXPECT_EQ(f.Editor.UndoStack.count(), before + 1);
  EXPECT_EQ(f.CountOf("TMyObject"), sprites + 6);
  f.Editor.Undo();
  f.Tick();
  EXPECT_EQ(Anchors(), 0);
  EXPECT_EQ(f.CountOf("TMyObject"), sprites);
  f.Editor.Redo();
  EXPECT_EQ(Anchors(), 6);
}

TEST_F(EditorRegions, FootprintsOfOneStrokeDoNotOverlap) {
  // "Плита" is two cells wide: a stroke over six cells places three.
  Drag(TPointerButton::Left, {{5, 5}, {5 * 32 + 5, 5}}, Chosen("Плита"));
  for (int32_t x = 0; x < 6; ++x)
    EXPECT_EQ(Design().Cells[x][0].ObjectNumber, x % 2 == 0 ? f.NumberOf("Плита") : -1) << x;
  EXPECT_EQ(Anchors(), 3);
}

TEST_F(EditorRegions, APressAndReleaseInOneCellIsLeftToTheClick) {
  const TPlacementInputs wall = Chosen("Стена");
  EXPECT_FALSE(f.Editor.Pointer().PointerPressed(TPointerButton::Left, 5, 5, false, wall));
  f.Editor.Pointer().PointerMoved(20, 20, wall);
  EXPECT_FALSE(f.Editor.Pointer().PointerReleased(TPointerButton::Left, 20, 20, wall));
  EXPECT_EQ(Anchors(), 0);
  EXPECT_EQ(f.Editor.UndoStack.count(), 0);
}

TEST_F(EditorRegions, ARightStrokeErasesQuietlyInOneStep) {
  Drag(TPointerButton::Left, {{5, 40}, {6 * 32 + 5, 40}}, Chosen("Стена"));
  ASSERT_EQ(Anchors(), 7);
  const int before = f.Editor.UndoStack.count();
  f.Tick();
  // Over cells 2..8 of row 1: two of them were empty.
  EXPECT_TRUE(Drag(TPointerButton::Right, {{2 * 32 + 5, 40}, {8 * 32 + 5, 40}}, Chosen("Стена")));
  EXPECT_EQ(Anchors(), 2);
  EXPECT_TRUE(f.Dialogs.Messages().empty());
  EXPECT_EQ(f.Editor.UndoStack.count(), before + 1);
  f.Editor.Undo();
  EXPECT_EQ(Anchors(), 7);
}

TEST_F(EditorRegions, CopyAndPasteGiveByteIdenticalCellsWithLiftsAndKeys) {
  const int32_t emptySprites = f.Context.SpriteEngine->Engine()->SpriteCount;
  f.ClickAt(0, 0, "Плита", 0, 7);    // 2 x 1, key code 7
  f.ClickAt(32, 32, "Лифт", -3, 0);  // 2 x 1, reaching past the selection
  f.Editor.ChangePlane(1);
  f.ClickAt(0, 64, "Облака");
  f.Editor.ChangePlane(0);
  f.Editor.Selection.AllPlanes = true;
  Select(0, 0, 1, 2);
  f.Editor.Regions().CopySelection();
  ASSERT_EQ(f.Editor.Clipboard.Objects.size(), 3u);
  EXPECT_EQ(f.Editor.Clipboard.Columns, 3);  // the lift's footprint comes whole
  const int before = f.Editor.UndoStack.count();
  const int32_t placedSprites = f.Context.SpriteEngine->Engine()->SpriteCount;
  f.Editor.Regions().PasteAt(10, 5);
  EXPECT_EQ(f.Editor.UndoStack.count(), before + 1);
  // The pasted objects made as many sprites as the originals did.
  EXPECT_EQ(f.Context.SpriteEngine->Engine()->SpriteCount - placedSprites, placedSprites - emptySprites);
  const std::string cells = SaveBytes("copy.mtf");
  const std::string planes = ReadWholeFile(f.Path("copymtb"));
  for (auto [x, y] : std::vector<std::pair<int32_t, int32_t>>{{0, 0}, {1, 0}, {1, 1}, {2, 1}})
    EXPECT_EQ(RecordOf(cells, 10 + x, 5 + y), RecordOf(cells, x, y)) << x << "," << y;
  EXPECT_EQ(Design().Cells[11][6].LiftHeight, -3);
  EXPECT_EQ(Design().Cells[10][5].KeyCode, 7);
  EXPECT_EQ(EntryOf(planes, 10, 7, 1), f.NumberOf("Облака"));
  // Cells that held no object of the selection stay as they were.
  EXPECT_EQ(RecordOf(cells, 10, 6), RecordOf(cells, 5, 5));
  // The paste's sprites are there, and undo takes them away.
  EXPECT_EQ(f.CountOf("TLift"), 2);
  f.Editor.Undo();
  f.Tick();
  EXPECT_EQ(f.CountOf("TLift"), 1);
  EXPECT_EQ(Design().Cells[10][5].ObjectNumber, -1);
}

TEST_F(EditorRegions, OnlyObjectsAnchoredInTheSelectionOnItsPlaneAreCopied) {
  f.ClickAt(0, 0, "Плита");
  f.Editor.ChangePlane(1);
  f.ClickAt(32, 0, "Облака");
  f.Editor.ChangePlane(0);
  Select(1, 0, 1, 0);  // the plate's second cell and the cloud's cell
  f.Editor.Regions().CopySelection();
  EXPECT_TRUE(f.Editor.Clipboard.Empty());
  f.Editor.ChangePlane(1);
  f.Editor.Regions().CopySelection();
  ASSERT_EQ(f.Editor.Clipboard.Objects.size(), 1u);
  EXPECT_EQ(f.Editor.Clipboard.Objects[0].Plane, 1);
}

TEST_F(EditorRegions, APasteAtTheLevelsEdgeLeavesOutWholeObjects) {
  f.ClickAt(0, 0, "Стена");
  f.ClickAt(32, 0, "Плита");
  f.ClickAt(0, 32, "Стена");
  Select(0, 0, 2, 1);
  f.Editor.Regions().CopySelection();
  // At column 198 the plate would reach column 200; at row 149 the lower wall row 150.
  f.Editor.Regions().PasteAt(198, 149);
  EXPECT_EQ(Design().Cells[198][149].ObjectNumber, f.NumberOf("Стена"));
  EXPECT_EQ(Design().Cells[199][149].Kind, -1);
  // One column to the left the walls would lie left of the level; the plate
  // lands on (0, 0) over the original wall, as placing would.
  f.Editor.Regions().PasteAt(-1, 0);
  EXPECT_EQ(Design().Cells[0][0].ObjectNumber, f.NumberOf("Плита"));
  EXPECT_EQ(Design().Cells[1][0].ObjectNumber, -1);
  EXPECT_EQ(Design().Cells[2][0].Kind, otWall);
  EXPECT_EQ(Design().Cells[0][1].ObjectNumber, f.NumberOf("Стена"));
  EXPECT_EQ(Design().Cells[1][1].Kind, -1);
}

TEST_F(EditorRegions, DraggingTheSelectionMovesItsObjectsInOneStep) {
  f.ClickAt(32, 32, "Лифт", 5, 0);
  f.ClickAt(32, 64, "Стена");
  Select(1, 1, 1, 2);
  const std::vector<TMatrixCell> lift = Design().CopyCells({1, 1, 2, 2});
  const int before = f.Editor.UndoStack.count();
  // Dragged from inside the selection three cells right and two down.
  EXPECT_TRUE(Drag(TPointerButton::Left, {{40, 40}, {140, 100}}, Chosen("Стена")));
  EXPECT_EQ(f.Editor.UndoStack.count(), before + 1);
  EXPECT_EQ(Design().Cells[1][1].Kind, -1);
  EXPECT_EQ(Design().Cells[2][1].Kind, -1);
  EXPECT_EQ(Design().Cells[1][2].Kind, -1);
  const std::vector<TMatrixCell> moved = Design().CopyCells({4, 3, 5, 4});
  EXPECT_EQ(std::memcmp(moved.data(), lift.data(), lift.size() * sizeof(TMatrixCell)), 0);
  EXPECT_EQ(f.Editor.Selection.Region(), (TCellRegion{4, 3, 4, 4}));
  EXPECT_EQ(f.CountOf("TLift"), 1);
  f.Editor.Undo();
  f.Tick();
  EXPECT_EQ(Design().Cells[1][1].LiftHeight, 5);
  EXPECT_EQ(Design().Cells[4][3].Kind, -1);
  EXPECT_EQ(f.CountOf("TLift"), 1);
}

TEST_F(EditorRegions, AMoveStopsAtTheLevelsEdge) {
  f.ClickAt(32, 32, "Плита");
  Select(1, 1, 1, 1);
  f.Editor.Regions().MoveSelection(-5, 300);
  EXPECT_EQ(Design().Cells[0][TMatrix::kRows - 1].ObjectNumber, f.NumberOf("Плита"));
  EXPECT_EQ(Design().Cells[1][TMatrix::kRows - 1].Kind, otWall);
  EXPECT_EQ(Anchors(), 1);
  f.Editor.Regions().MoveSelection(-1, 0);  // already at the edge: nothing to do
  EXPECT_EQ(Anchors(), 1);
}

TEST_F(EditorRegions, CutAndDeleteTakeWholeObjectsAndPasteLastsAcrossLevels) {
  SaveBytes("empty.mtf");
  f.ClickAt(32, 0, "Плита");
  Select(1, 0, 1, 0);
  f.Editor.Regions().CutSelection();
  EXPECT_EQ(Design().Cells[2][0].Kind, -1);  // the footprint outside the selection goes too
  ASSERT_FALSE(f.Editor.Clipboard.Empty());
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrNo);  // the cut level is not saved
  f.Dialogs.FileAnswers.push_back(f.Path("empty.mtf"));
  f.Editor.Files().LoadLevel();
  EXPECT_EQ(f.Editor.UndoStack.count(), 0);
  f.Editor.Regions().PasteAt(3, 3);
  EXPECT_EQ(Design().Cells[3][3].ObjectNumber, f.NumberOf("Плита"));
  Select(3, 3, 3, 3);
  f.Editor.PressKey(46);  // Del
  EXPECT_EQ(Anchors(), 0);
  EXPECT_EQ(Design().Cells[4][3].Kind, -1);
}

TEST_F(EditorRegions, FillTilesTheSelectionWithWholeFootprints) {
  Select(2, 1, 6, 2);  // 5 x 2 cells
  const int before = f.Editor.UndoStack.count();
  f.Editor.Regions().FillSelection(Chosen("Плита", 0, 4));
  EXPECT_EQ(f.Editor.UndoStack.count(), before + 1);
  for (int32_t x = 2; x <= 6; ++x)
    for (int32_t y = 1; y <= 2; ++y) {
      const bool anchor = x == 2 || x == 4;
      EXPECT_EQ(Design().Cells[x][y].ObjectNumber, anchor ? f.NumberOf("Плита") : -1) << x << "," << y;
      EXPECT_EQ(Design().Cells[x][y].Kind, x == 6 ? -1 : otWall);  // no half plate in column 6
    }
  EXPECT_EQ(Design().Cells[3][2].KeyCode, 4);
  f.Editor.Undo();
  EXPECT_EQ(Anchors(), 0);
  const int steps = f.Editor.UndoStack.count();
  f.Editor.Regions().FillSelection(Chosen(""));  // nothing chosen
  EXPECT_EQ(f.Editor.UndoStack.count(), steps);
  EXPECT_EQ(Design().Cells[2][1].Kind, -1);
}

TEST_F(EditorRegions, ZoomedPlacementMapsThePointerToTheRightCell) {
  f.Editor.PressKey(39);  // the view one column to the right
  for (int32_t divisor : {1, 2, 4}) {
    EXPECT_EQ(f.Editor.Zoom.Divisor(), divisor);
    // Pixel (40, 20) of the drawing area is view pixel (40, 20) times the divisor.
    f.ClickAt(40, 20, "Стена");
    const int32_t column = 1 + 40 * divisor / 32, row = 20 * divisor / 32;
    EXPECT_EQ(Design().Cells[column][row].ObjectNumber, f.NumberOf("Стена")) << divisor;
    EXPECT_EQ(f.Editor.CellAt(40, 20), (TCellPoint{column, row}));
    f.Editor.ZoomOut();
  }
  EXPECT_EQ(f.Editor.Zoom.Divisor(), 4);
  EXPECT_EQ(Anchors(), 3);
  // Past the level's edge nothing is placed.
  f.Editor.CenterViewOn(199, 149);
  f.ClickAt(639, 479, "Стена");
  EXPECT_EQ(Anchors(), 3);
  f.Tick();
  f.Editor.ZoomIn();
  f.Editor.ZoomIn();
  EXPECT_EQ(f.Editor.Zoom.Divisor(), 1);
}

TEST_F(EditorRegions, AQuarterFrameShrinksTheWorldAndThePreviewPlaysAtFullSize) {
  f.ClickAt(16 * 32, 14 * 32, "Стена");
  f.Tick();
  const uint16_t wall = f.Draw.Surface().Pixel(16 * 32 + 4, 14 * 32 + 4);
  ASSERT_NE(wall, kFrameBackgroundPixel);
  f.Editor.ZoomOut();
  f.Editor.ZoomOut();
  f.Tick();
  EXPECT_EQ(f.Draw.Surface().Pixel(16 * 8 + 1, 14 * 8 + 1), wall);
  EXPECT_EQ(f.Draw.Surface().Pixel(16 * 32 + 4, 14 * 32 + 4), kFrameBackgroundPixel);
  // With the preview on, the frame and the pointer are at full size again.
  f.Editor.Play().TogglePreview();
  f.Tick();
  EXPECT_EQ(f.Draw.Surface().Pixel(16 * 32 + 4, 14 * 32 + 4), wall);
  EXPECT_EQ(f.Editor.CellAt(40, 40), (TCellPoint{1, 1}));
  f.Editor.Play().TogglePreview();
  EXPECT_EQ(f.Editor.CellAt(40, 40), (TCellPoint{5, 5}));
}

TEST_F(EditorRegions, TheOverviewClickPutsTheViewAroundTheCell) {
  f.Editor.CenterViewOn(100, 70);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginX(), 90);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginY(), 63);
  EXPECT_EQ(static_cast<double>(f.Context.SpriteEngine->Engine()->X), -32.0 * 90);
  f.Editor.CenterViewOn(0, 200);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginX(), 0);
  EXPECT_EQ(f.Context.PlayedLevel->GetOriginY(), TMatrix::kMaxOriginY);
}

TEST_F(EditorRegions, TheGhostShowsWhereAClickLandsAndGoesWithThePointer) {
  f.Tick();
  const TSurface plain = f.Draw.Surface();
  f.Editor.Pointer().PointerMoved(70, 200, Chosen("Плита"));
  f.Tick();
  // The footprint of two cells at (2, 6) is outlined.
  EXPECT_EQ(f.Draw.Surface().Pixel(64, 192), kGhostOutlinePixel);
  EXPECT_EQ(f.Draw.Surface().Pixel(64 + 63, 192 + 31), kGhostOutlinePixel);
  // Half transparent: neither the picture nor the background alone.
  const uint16_t ghost = f.Draw.Surface().Pixel(80, 200);
  EXPECT_NE(ghost, plain.Pixel(80, 200));
  EXPECT_EQ(Design().Cells[2][6].Kind, -1);  // nothing placed
  f.Editor.Pointer().PointerLeft();
  f.Tick();
  EXPECT_EQ(f.Draw.Surface().Pixel(64, 192), plain.Pixel(64, 192));
  EXPECT_EQ(f.Draw.Surface().Pixel(80, 200), plain.Pixel(80, 200));
  // Placed for real, the picture covers the background fully.
  f.ClickAt(70, 200, "Плита");
  f.Tick();
  EXPECT_NE(f.Draw.Surface().Pixel(80, 200), ghost);
}

TEST(EditMarks, OutlinesStayInsideTheSurface) {
  TSurface into(4, 3);
  into.Fill(7);
  OutlineRect(into, -2, -2, 100, 100, 0xFFFF);  // every edge lies outside
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(into.Pixel(x, y), 7);
  OutlineRect(into, 1, 0, 2, 3, 0xFFFF);
  EXPECT_EQ(into.Pixel(2, 1), 0xFFFF);
  EXPECT_EQ(into.Pixel(1, 2), 0xFFFF);
  EXPECT_EQ(into.Pixel(0, 1), 7);
  EXPECT_EQ(into.Pixel(3, 1), 7);
}

}  // namespace
}  // namespace kestrilo

namespace kestrilo {
namespace {

TEST_F(EditorRegions, TheClipboardAsABrushStampsCopiesSideBySideInOneStep) {
  // A clip of two walls side by side, copied from cells (1, 1) and (2, 1).
  f.ClickAt(1 * 32, 1 * 32, "Стена");
  f.ClickAt(2 * 32, 1 * 32, "Стена");
  Select(1, 1, 2, 1);
  f.Editor.Regions().CopySelection();
  f.Editor.Selection.Clear();
  const std::string before = SaveBytes("before.mtf");
  const int steps = f.Editor.UndoStack.count();
  f.Editor.Pointer().SetStamping(true);
  // A drag from cell (3, 5) to (8, 5): copies at columns 3, 5 and 7, none overlapping.
  EXPECT_TRUE(Drag(TPointerButton::Left, {{3 * 32 + 5, 5 * 32 + 5}, {6 * 32 + 5, 5 * 32 + 5}, {8 * 32 + 5, 5 * 32 + 5}},
                   Chosen("Плита")));
  for (int32_t x = 0; x < 12; ++x)
    EXPECT_EQ(Design().Cells[x][5].ObjectNumber, x >= 3 && x <= 8 ? f.NumberOf("Стена") : -1) << x;
  EXPECT_EQ(f.Editor.UndoStack.count(), steps + 1);
  EXPECT_EQ(f.Editor.Document.LastResult, "Оттиснуто копий буфера: 3");
  // A click stamps one copy; the chosen object is not placed.
  EXPECT_TRUE(Drag(TPointerButton::Left, {{3 * 32 + 5, 9 * 32 + 5}}, Chosen("Плита")));
  EXPECT_EQ(Design().Cells[3][9].ObjectNumber, f.NumberOf("Стена"));
  EXPECT_EQ(Design().Cells[4][9].ObjectNumber, f.NumberOf("Стена"));
  EXPECT_EQ(f.Editor.UndoStack.count(), steps + 2);
  f.Editor.Undo();
  f.Editor.Undo();
  ASSERT_TRUE(f.Editor.Files().SaveLevel());  // to its own file, before.mtf
  EXPECT_EQ(ReadWholeFile(f.Path("before.mtf")), before);
  // The right button still erases; stamping off, the left one paints the chosen object again.
  f.Editor.Pointer().SetStamping(false);
  Drag(TPointerButton::Left, {{3 * 32 + 5, 7 * 32 + 5}, {4 * 32 + 5, 7 * 32 + 5}}, Chosen("Стена"));
  EXPECT_EQ(Design().Cells[3][7].ObjectNumber, f.NumberOf("Стена"));
}

TEST_F(EditorRegions, StampingRefusesAnEmptyClipboardAndALockedPlane) {
  f.Editor.Pointer().SetStamping(true);
  EXPECT_EQ(f.Editor.Document.LastResult, "Буфер обмена пуст");
  const int steps = f.Editor.UndoStack.count();
  // The press is taken, so the window makes no click of it either.
  EXPECT_TRUE(f.Editor.Pointer().PointerPressed(TPointerButton::Left, 3 * 32 + 5, 5 * 32 + 5, false, Chosen("Стена")));
  f.Editor.Pointer().PointerReleased(TPointerButton::Left, 6 * 32 + 5, 5 * 32 + 5, Chosen("Стена"));
  EXPECT_EQ(Anchors(), 0);
  f.ClickAt(1 * 32, 1 * 32, "Стена");
  Select(1, 1, 1, 1);
  f.Editor.Regions().CopySelection();
  f.Editor.Selection.Clear();
  f.Editor.Planes.SetLocked(0, true);
  Drag(TPointerButton::Left, {{3 * 32 + 5, 5 * 32 + 5}, {6 * 32 + 5, 5 * 32 + 5}}, Chosen("Стена"));
  EXPECT_EQ(Anchors(), 1);
  EXPECT_EQ(f.Editor.UndoStack.count(), steps + 1);
  EXPECT_NE(f.Editor.Document.LastResult.find("заблокирован"), std::string::npos);
}

}  // namespace
}  // namespace kestrilo
