// Finding, marking and replacing placed objects through the editor, and
// going to a step of the history: the order and wrapping of the search, the
// scope of the level against the selection, the placements a replacement
// leaves at the level's edge or against another object, and the replacement
// as one undo step that undoes to the saved files byte for byte.
#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "editor/UndoHistory.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"

namespace kestrilo {
namespace {

using editortest::TEditorFixture;

QString Name(const char* utf8) { return QString::fromUtf8(utf8); }

class FindAndReplace : public ::testing::Test {
 protected:
  // Walls ("Стена", 1 by 1) on the main plane at (1, 1), (1, 5), (6, 6) with
  // a lift (2 by 1) right of it at (7, 6), and at the right edge (199, 10);
  // one more wall on back plane 1 at (3, 3). Saved and loaded as "loaded".
  void SetUp() override {
    f.WriteSampleData();
    f.OpenObjects();
    f.Tick();
    f.Editor.ChangePlane(0);
    for (const auto& [column, row] : {std::pair{1, 1}, {1, 5}, {6, 6}}) PlaceAt(column, row, "Стена");
    PlaceAt(7, 6, "Лифт");
    PlaceAt(199, 10, "Стена");
    f.Editor.ChangePlane(1);
    PlaceAt(3, 3, "Стена");
    f.Editor.ChangePlane(0);
    f.Dialogs.FileAnswers.push_back(f.Path("loaded.mtf"));
    ASSERT_TRUE(f.Editor.Files().SaveLevel());
    f.Editor.Files().LoadLevelFrom(f.Path("loaded.mtf"));
    f.Tick();
    ASSERT_FALSE(f.Editor.Document.LevelModified());
  }
  void PlaceAt(int32_t column, int32_t row, const char* name) {
    f.Editor.CenterViewOn(column, row);
    const TMatrix& level = *f.Context.PlayedLevel;
    f.ClickAt((column - level.GetOriginX()) * 32, (row - level.GetOriginY()) * 32, name);
  }
  std::string SavedAs(const std::string& name) {
    f.Dialogs.FileAnswers.push_back(f.Path(name + ".mtf"));
    EXPECT_TRUE(f.Editor.Files().SaveLevelAs());
    return ReadWholeFile(f.Path(name + ".mtf")) + ReadWholeFile(f.Path(name + "mtb"));
  }
  int32_t MainNumber(int32_t column, int32_t row) const {
    return f.Context.DesignedLevel().Cells[column][row].ObjectNumber;
  }
  TEditorFixture f;
  TFindAndReplace& find = f.Editor.Find();
};

TEST_F(FindAndReplace, NextAndPreviousWalkInOrderAndWrapAtBothEnds) {
  struct TStep {
    bool Forward;
    const char* Name;
    TPlacedAnchor At;
    int32_t Position;
    bool Wrapped;
  };
  const TStep steps[] = {
      {true, "Стена", {0, 1, 1}, 1, false},
      {true, "Стена", {0, 1, 5}, 2, false},
      {false, "Стена", {0, 1, 1}, 1, false},
      {false, "Стена", {1, 3, 3}, 5, true},
      {false, "Стена", {0, 199, 10}, 4, false},
      {true, "Стена", {1, 3, 3}, 5, false},
      {true, "Стена", {0, 1, 1}, 1, true},
      // Another name starts afresh, from the end for a step back.
      {false, "Лифт", {0, 7, 6}, 1, false},
      {true, "Стена", {0, 1, 1}, 1, false},
  };
  for (const TStep& step : steps) {
    SCOPED_TRACE(std::string(step.Forward ? "next " : "previous ") + step.Name + " " + std::to_string(step.Position));
    const TFoundPlacement found = step.Forward ? find.FindNext(Name(step.Name), TSearchScope::Level)
                                               : find.FindPrevious(Name(step.Name), TSearchScope::Level);
    ASSERT_TRUE(found.At);
    EXPECT_EQ(*found.At, step.At);
    EXPECT_EQ(found.Position, step.Position);
    EXPECT_EQ(found.Wrapped, step.Wrapped);
    // The view is on the placement and its cell is marked; the status says where.
    EXPECT_EQ(f.Editor.MarkedCell(), (TCellPoint{step.At.Column, step.At.Row}));
    const TMatrix& level = *f.Context.PlayedLevel;
    EXPECT_EQ((TCellPoint{level.GetOriginX(), level.GetOriginY()}),
              TViewport::CentredOrigin(step.At.Column, step.At.Row, f.Editor.ColumnsShown(), f.Editor.RowsShown()));
    EXPECT_EQ(f.Editor.Document.LastResult, found.Message);
  }
  EXPECT_EQ(find.FindNext(Name("Стена"), TSearchScope::Level).Message, "«Стена»: 2 из 5, план 0, столбец 1, строка 5");
  // A placement taken away between steps is passed over.
  f.Editor.CenterViewOn(0, 0);
  f.Editor.DeleteAt(6 * 32, 6 * 32);
  EXPECT_EQ(*find.FindNext(Name("Стена"), TSearchScope::Level).At, (TPlacedAnchor{0, 199, 10}));

  // Nothing to find: said, and the view stays.
  const TFoundPlacement none = find.FindNext(Name("Плита"), TSearchScope::Level);
  EXPECT_FALSE(none.At);
  EXPECT_EQ(none.Message, "«Плита» в уровне не найден");
  EXPECT_EQ(find.FindNext(Name("Нечто"), TSearchScope::Level).Message, "В библиотеке нет объекта «Нечто»");
}

TEST_F(FindAndReplace, TheSelectionLimitsFindingAndMarkingToItsCellsAndPlanes) {
  struct TCase {
    const char* What;
    TCellRegion Region;  // empty: nothing selected
    bool AllPlanes;
    int32_t Plane;
    std::vector<TPlacedAnchor> Found;
  };
  const TCase cases[] = {
      {"the current plane", {0, 0, 6, 6}, false, 0, {{0, 1, 1}, {0, 1, 5}, {0, 6, 6}}},
      {"all planes", {0, 0, 6, 6}, true, 0, {{0, 1, 1}, {0, 1, 5}, {0, 6, 6}, {1, 3, 3}}},
      {"a back plane", {0, 0, 6, 6}, false, 1, {{1, 3, 3}}},
      {"one cell", {199, 10, 199, 10}, false, 0, {{0, 199, 10}}},
      {"nothing selected", {}, true, 0, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    f.Editor.ChangePlane(c.Plane);
    f.Editor.Selection.Select(c.Region);
    f.Editor.Selection.AllPlanes = c.AllPlanes;
    EXPECT_EQ(find.Placements(Name("Стена"), TSearchScope::Selection), c.Found);
    const std::string marked = find.MarkAll(Name("Стена"), TSearchScope::Selection);
    EXPECT_EQ(find.MarkedRegions().size(), c.Found.size());
    if (c.Found.empty()) {
      EXPECT_EQ(marked, "Ничего не выделено: выделите клетки Shift и левой кнопкой");
      EXPECT_FALSE(find.FindNext(Name("Стена"), TSearchScope::Selection).At);
    } else {
      EXPECT_EQ(marked, "Отмечено размещений «Стена»: " + std::to_string(c.Found.size()));
      EXPECT_EQ(*find.FindNext(Name("Стена"), TSearchScope::Selection).At, c.Found.front());
    }
  }
  // The whole level whatever is selected; a mark is the placement's footprint.
  EXPECT_EQ(find.Placements(Name("Стена"), TSearchScope::Level).size(), 5u);
  find.MarkAll(Name("Лифт"), TSearchScope::Level);
  EXPECT_EQ(find.MarkedRegions(), (std::vector<TCellRegion>{{7, 6, 8, 6}}));
  find.ClearMarks();
  EXPECT_TRUE(find.MarkedRegions().empty());
}

TEST_F(FindAndReplace, ReplacingInTheLevelLeavesEdgeAndBlockedPlacementsAndUndoesByteForByte) {
  const std::string loaded = SavedAs("before");
  find.MarkAll(Name("Стена"), TSearchScope::Level);
  const int steps = f.Editor.UndoStack.count();
  const TReplacement result = find.Replace(Name("Стена"), Name("Плита"), TSearchScope::Level);
  EXPECT_TRUE(result.Refusal.empty());
  EXPECT_EQ(result.Replaced, 3);     // (1, 1), (1, 5) and the back plane's
  EXPECT_EQ(result.LeftAtEdge, 1);   // (199, 10): the plate would cross the edge
  EXPECT_EQ(result.LeftBlocked, 1);  // (6, 6): the lift holds (7, 6)
  EXPECT_EQ(f.Editor.UndoStack.count(), steps + 1);
  EXPECT_EQ(f.Editor.UndoStack.undoText().toStdString(), "замена «Стена» на «Плита»");
  EXPECT_TRUE(f.Editor.Document.LevelModified());
  EXPECT_EQ(f.Editor.Document.LastResult,
            "Заменено объектов: 3; оставлено у края уровня: 1; оставлено, так как клетки заняты: 1");
  const int32_t plate = f.NumberOf("Плита"), wall = f.NumberOf("Стена");
  EXPECT_EQ(MainNumber(1, 1), plate);
  EXPECT_EQ(f.Context.DesignedLevel().Cells[2][1].Kind, otWall);  // the plate's second cell
  EXPECT_EQ(MainNumber(6, 6), wall);
  EXPECT_EQ(MainNumber(199, 10), wall);
  EXPECT_EQ(f.Context.DesignedLevel().BackPlanes[3][3][0], plate);
  // The marks follow the level: the walls left are what stays marked.
  EXPECT_EQ(find.MarkedRegions(), (std::vector<TCellRegion>{{6, 6, 6, 6}, {199, 10, 199, 10}}));

  f.Editor.Undo();
  EXPECT_FALSE(f.Editor.Document.LevelModified());
  EXPECT_EQ(find.MarkedRegions().size(), 5u);
  EXPECT_TRUE(SavedAs("undone") == loaded);
  f.Editor.Redo();
  EXPECT_TRUE(f.Editor.Document.LevelModified());
  EXPECT_EQ(MainNumber(1, 1), plate);
  const std::string redone = SavedAs("redone");
  EXPECT_FALSE(redone == loaded);
  f.Editor.Undo();
  EXPECT_TRUE(SavedAs("undone again") == loaded);
}

TEST_F(FindAndReplace, ReplacingInTheSelectionTouchesOnlyItAndRefusalsChangeNothing) {
  f.Editor.Selection.Select({0, 0, 3, 3});
  f.Editor.Selection.AllPlanes = false;
  EXPECT_EQ(find.Replace(Name("Стена"), Name("Плита"), TSearchScope::Selection).Replaced, 1);
  EXPECT_EQ(MainNumber(1, 1), f.NumberOf("Плита"));
  EXPECT_EQ(MainNumber(1, 5), f.NumberOf("Стена"));
  EXPECT_EQ(f.Context.DesignedLevel().BackPlanes[3][3][0], f.NumberOf("Стена"));
  f.Editor.Selection.AllPlanes = true;
  EXPECT_EQ(find.Replace(Name("Стена"), Name("Облака"), TSearchScope::Selection).Replaced, 1);
  EXPECT_EQ(f.Context.DesignedLevel().BackPlanes[3][3][0], f.NumberOf("Облака"));
  const int steps = f.Editor.UndoStack.count();

  struct TRefused {
    const char* From;
    const char* To;
    bool Selected;
    std::string Message;
  };
  const TRefused refusals[] = {
      {"Нечто", "Плита", false, "В библиотеке нет объекта «Нечто»"},
      {"Стена", "Нечто", false, "В библиотеке нет объекта «Нечто»"},
      {"Стена", "Плита", true, "Ничего не выделено: выделите клетки Shift и левой кнопкой"},
  };
  for (const TRefused& refused : refusals) {
    SCOPED_TRACE(refused.Message);
    f.Editor.ClearSelection();
    const TReplacement result = find.Replace(Name(refused.From), Name(refused.To),
                                             refused.Selected ? TSearchScope::Selection : TSearchScope::Level);
    EXPECT_EQ(result.Refusal, refused.Message);
    EXPECT_EQ(f.Editor.Document.LastResult, refused.Message);
  }
  // Nothing left to replace: counted, but no step.
  f.Editor.Selection.Select({6, 6, 6, 6});
  f.Editor.Selection.AllPlanes = false;
  EXPECT_EQ(find.Replace(Name("Стена"), Name("Плита"), TSearchScope::Selection).LeftBlocked, 1);
  EXPECT_EQ(f.Editor.Document.LastResult, "Заменено объектов: 0; оставлено, так как клетки заняты: 1");
  EXPECT_EQ(f.Editor.UndoStack.count(), steps);
}

TEST_F(FindAndReplace, GoingToAHistoryStepUndoesAndRedoesTheStepsBetween) {
  const std::string loaded = SavedAs("before");
  const int redrawsBefore = f.OverviewRedraws;
  PlaceAt(10, 1, "Стена");
  PlaceAt(11, 1, "Стена");
  find.Replace(Name("Стена"), Name("Облака"), TSearchScope::Level);
  const std::string after = SavedAs("after");
  ASSERT_EQ(f.Editor.UndoStack.count(), 3);

  GoToHistoryStep(f.Editor, 0);
  EXPECT_EQ(f.Editor.UndoStack.index(), 0);
  EXPECT_TRUE(f.Editor.Document.LevelModified());  // saved with all three steps
  EXPECT_EQ(f.Editor.Document.LastResult, "Отменено шагов: 3; последний: размещение «Стена»");
  EXPECT_GT(f.OverviewRedraws, redrawsBefore);
  EXPECT_TRUE(SavedAs("back") == loaded);

  GoToHistoryStep(f.Editor, 1);
  EXPECT_EQ(MainNumber(10, 1), f.NumberOf("Стена"));
  EXPECT_EQ(MainNumber(11, 1), -1);
  EXPECT_TRUE(f.Editor.Document.LevelModified());
  EXPECT_EQ(f.Editor.Document.LastResult, "Повторено: размещение «Стена»");
  GoToHistoryStep(f.Editor, 3);
  EXPECT_TRUE(SavedAs("forth") == after);
  // Out of range or where it is: nothing happens.
  for (const int index : {-1, 4, 3}) GoToHistoryStep(f.Editor, index);
  EXPECT_EQ(f.Editor.UndoStack.index(), 3);
}

}  // namespace
}  // namespace kestrilo
