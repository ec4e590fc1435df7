// The planes of the edit view: a locked plane takes no edit of any kind, a
// hidden plane is not drawn, the other planes dim, the preview shows them
// all, and deleting on the wrong plane names the plane that holds the object.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "EditorTestSupport.h"
#include "editor/FrameLoop.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {
namespace {

using editortest::TEditorFixture;

TPlacementInputs Chosen(std::string_view utf8Name) {
  TPlacementInputs inputs;
  inputs.ObjectName = W1251(utf8Name);
  return inputs;
}

// Both planes' worth of the designed level, to compare before and after.
std::string DesignBytes(const TMatrix& level) {
  std::string bytes(reinterpret_cast<const char*>(&level.Cells), sizeof level.Cells);
  bytes.append(reinterpret_cast<const char*>(&level.BackPlanes), sizeof level.BackPlanes);
  return bytes;
}

// Two walls on the main plane at cells (10, 8) and (11, 8), clear of the
// overlay's status lines in the view's top-left corner.
struct TPlaneScene {
  TPlaneScene() {
    f.WriteSampleData();
    f.OpenObjects();
    f.Editor.ChangePlane(0);
    f.ClickAt(10 * 32, 8 * 32, "Стена");
    f.ClickAt(11 * 32, 8 * 32, "Стена");
    f.Tick();
  }
  void Drag(TPointerButton button, int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool shift = false) {
    f.Editor.Pointer().PointerPressed(button, x0, y0, shift, Chosen("Стена"));
    f.Editor.Pointer().PointerMoved(x1, y1, Chosen("Стена"));
    if (!f.Editor.Pointer().PointerReleased(button, x1, y1, Chosen("Стена")) && button == TPointerButton::Left &&
        !shift)
      f.Editor.PlaceAt(x1, y1, Chosen("Стена"));  // as the window's plain click does
  }
  void SelectCells(int32_t c0, int32_t r0, int32_t c1, int32_t r1) {
    Drag(TPointerButton::Left, c0 * 32 + 3, r0 * 32 + 3, c1 * 32 + 3, r1 * 32 + 3, true);
  }
  const TMatrix& Design() { return f.Context.DesignedLevel(); }
  TEditorFixture f;
};

class PlaneView : public ::testing::Test, public TPlaneScene {};

TEST(PlaneLocks, ALockedPlaneRefusesEveryKindOfEditAndTakesItOnceUnlocked) {
  const struct {
    const char* Name;
    std::function<void(TPlaneScene&)> Edit;
  } cases[] = {
      {"click to place", [](TPlaneScene& t) { t.f.ClickAt(14 * 32, 12 * 32, "Стена"); }},
      {"click to delete", [](TPlaneScene& t) { t.f.Editor.DeleteAt(10 * 32 + 5, 8 * 32 + 5); }},
      {"painting stroke",
       [](TPlaneScene& t) { t.Drag(TPointerButton::Left, 8 * 32 + 5, 12 * 32 + 5, 11 * 32 + 5, 12 * 32 + 5); }},
      {"erasing stroke",
       [](TPlaneScene& t) { t.Drag(TPointerButton::Right, 10 * 32 + 5, 8 * 32 + 5, 11 * 32 + 5, 8 * 32 + 5); }},
      {"paste", [](TPlaneScene& t) { t.f.Editor.Regions().PasteAt(14, 14); }},
      {"fill",
       [](TPlaneScene& t) {
         t.f.Editor.Selection.Clear();
         t.SelectCells(15, 3, 16, 4);
         t.f.Editor.Regions().FillSelection(Chosen("Стена"));
       }},
      {"delete selection", [](TPlaneScene& t) { t.f.Editor.Regions().DeleteSelection(); }},
      {"cut", [](TPlaneScene& t) { t.f.Editor.Regions().CutSelection(); }},
      {"move selection", [](TPlaneScene& t) { t.f.Editor.Regions().MoveSelection(2, 3); }},
      {"properties: move to a back plane",
       [](TPlaneScene& t) {
         ASSERT_TRUE(t.f.Editor.Properties.ChooseAt(10, 8, 0));
         const TObjectEditResult result = t.f.Editor.Properties.MoveToPlane(2);
         if (t.f.Editor.Planes.Locked(0)) EXPECT_NE(result.Refusal.find("основной план"), std::string::npos);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TPlaneScene t;
    t.SelectCells(9, 7, 12, 9);
    t.f.Editor.Regions().CopySelection();
    t.f.Editor.Planes.SetLocked(0, true);
    const std::string before = DesignBytes(t.Design());
    const int steps = t.f.Editor.UndoStack.count();
    c.Edit(t);
    EXPECT_EQ(DesignBytes(t.Design()), before);
    EXPECT_EQ(t.f.Editor.UndoStack.count(), steps);
    EXPECT_NE(t.f.Editor.Document.LastResult.find("основной план"), std::string::npos)
        << t.f.Editor.Document.LastResult;
    // Unlocked, the very same edit goes through as one step.
    t.f.Editor.Planes.SetLocked(0, false);
    t.f.Editor.Selection.Clear();
    t.SelectCells(9, 7, 12, 9);
    c.Edit(t);
    EXPECT_NE(DesignBytes(t.Design()), before);
    EXPECT_EQ(t.f.Editor.UndoStack.count(), steps + 1);
  }
}

TEST_F(PlaneView, LockingABackPlaneLeavesTheMainPlaneOpen) {
  f.Editor.Planes.SetLocked(3, true);
  f.ClickAt(14 * 32, 12 * 32, "Стена");
  EXPECT_GE(Design().Cells[14][12].ObjectNumber, 0);
  f.Editor.ChangePlane(3);
  f.ClickAt(15 * 32, 12 * 32, "Стена");
  EXPECT_EQ(Design().BackPlanes[15][12][2], -1);  // still empty
  EXPECT_NE(f.Editor.Document.LastResult.find("задний план 3"), std::string::npos);
}

TEST_F(PlaneView, HiddenPlanesAreLeftOutDimmedOnesDarkenAndThePreviewShowsAll) {
  f.Editor.ChangePlane(2);
  f.ClickAt(14 * 32, 12 * 32, "Стена");
  f.Editor.ChangePlane(0);
  f.Tick();
  const TSurface& frame = f.Draw.Surface();
  const uint16_t mainWall = frame.Pixel(10 * 32 + 6, 8 * 32 + 6), backWall = frame.Pixel(14 * 32 + 6, 12 * 32 + 6);
  ASSERT_NE(mainWall, kFrameBackgroundPixel);
  ASSERT_NE(backWall, kFrameBackgroundPixel);
  const auto darker = [](uint16_t pixel) { return static_cast<uint16_t>((pixel >> 1) & 0x7BEF); };

  f.Editor.Planes.SetShown(0, false);
  f.Tick();
  EXPECT_EQ(frame.Pixel(10 * 32 + 6, 8 * 32 + 6), kFrameBackgroundPixel);
  EXPECT_EQ(frame.Pixel(14 * 32 + 6, 12 * 32 + 6), backWall);

  f.Editor.Planes.SetShown(0, true);
  f.Editor.Planes.SetDimOthers(true);
  f.Tick();
  EXPECT_EQ(frame.Pixel(10 * 32 + 6, 8 * 32 + 6), mainWall);
  EXPECT_EQ(frame.Pixel(14 * 32 + 6, 12 * 32 + 6), darker(backWall));
  f.Editor.ChangePlane(2);
  f.Tick();
  EXPECT_EQ(frame.Pixel(10 * 32 + 6, 8 * 32 + 6), darker(mainWall));
  EXPECT_EQ(frame.Pixel(14 * 32 + 6, 12 * 32 + 6), backWall);

  // The preview plays the level as it is: every plane, nothing dimmed.
  f.Editor.Planes.SetShown(0, false);
  f.Editor.Play().TogglePreview();
  f.Tick();
  EXPECT_EQ(frame.Pixel(10 * 32 + 6, 8 * 32 + 6), mainWall);
  EXPECT_EQ(frame.Pixel(14 * 32 + 6, 12 * 32 + 6), backWall);
}

TEST_F(PlaneView, DeletingOnTheWrongPlaneNamesThePlaneThatHoldsTheObject) {
  f.Editor.ChangePlane(2);
  f.Editor.DeleteAt(10 * 32 + 5, 8 * 32 + 5);
  EXPECT_EQ(f.Dialogs.Messages(), std::vector<std::string>{"В матрице нет объекта на данном плане. Смените ось Z!"});
  EXPECT_EQ(f.Editor.Document.LastResult, "Не удалено: здесь объект, стоящий на плане «основной план»");
  EXPECT_GE(Design().Cells[10][8].ObjectNumber, 0);
}

}  // namespace
}  // namespace kestrilo

namespace kestrilo {
namespace {

TEST_F(PlaneView, AnUndoOnAnotherPlaneLeavesTheOverviewOnTheCurrentPlane) {
  const auto overview = [&] {
    const TSurface& map = f.OverviewSurface;
    return std::vector<uint16_t>(map.Pixels(), map.Pixels() + map.Width() * map.Height());
  };
  f.Editor.ChangePlane(2);
  f.ClickAt(14 * 32, 12 * 32, "Стена");
  f.Editor.ChangePlane(0);
  const std::vector<uint16_t> mainPlane = overview();
  f.Editor.Undo();  // the placement on plane 2
  EXPECT_EQ(Design().BackPlanes[14][12][1], -1);
  EXPECT_TRUE(overview() == mainPlane);
  f.Editor.Redo();
  EXPECT_TRUE(overview() == mainPlane);
}

}  // namespace
}  // namespace kestrilo
