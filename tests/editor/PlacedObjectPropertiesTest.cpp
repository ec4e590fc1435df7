// The properties of a placed object through the editor: choosing it, each
// kind of change as one undo step with the level marked unsaved, each refusal
// changing nothing, and a run of changes undone to the loaded files byte for byte.
#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"
#include "sprites/DXSpriteEngine.h"
#include "world/Lift.h"

namespace kestrilo {
namespace {

using editortest::TEditorFixture;

class PlacedObjectProperties : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteSampleData();
    f.OpenObjects();
    f.Tick();
    f.Editor.ChangePlane(0);
    f.ClickAt(64, 64, "Лифт", 2);  // cells (2, 2) and (3, 2)
    f.ClickAt(64, 96, "Стена");    // (2, 3): in the way of anything taller at (2, 2)
    f.Editor.ChangePlane(1);
    f.ClickAt(64, 64, "Облака");  // plane 1 at (2, 2) is taken
    f.Dialogs.FileAnswers.push_back(f.Path("loaded.mtf"));
    ASSERT_TRUE(f.Editor.Files().SaveLevel());
    f.Editor.Files().LoadLevelFrom(f.Path("loaded.mtf"));
    f.Tick();
    ASSERT_FALSE(f.Editor.Document.LevelModified());
  }
  std::string LevelBytes(const std::string& name) const {
    return ReadWholeFile(f.Path(name + ".mtf")) + ReadWholeFile(f.Path(name + "mtb"));
  }
  TLift* Lift() {
    TSpriteEngine& root = *f.Context.SpriteEngine->Engine();
    for (int32_t i = 0; i < root.ChildCount(); ++i)
      if (auto* lift = dynamic_cast<TLift*>(root.Child(i)); lift && !lift->IsDead) return lift;
    return nullptr;
  }
  TEditorFixture f;
  TPlacedObjectProperties& properties = f.Editor.Properties;
};

TEST_F(PlacedObjectProperties, EachChangeIsOneUndoStepAndEachRefusalChangesNothing) {
  ASSERT_FALSE(properties.ChooseAt(9, 9, 0));
  EXPECT_FALSE(properties.Sheet());
  EXPECT_FALSE(properties.SetLiftHeight(1).Done());  // nothing chosen
  ASSERT_TRUE(properties.ChooseAt(3, 2, 0));         // a footprint cell chooses its object
  const std::optional<TPlacedObjectSheet> sheet = properties.Sheet();
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->Name, "Лифт");
  EXPECT_EQ(sheet->TypeName, "Лифт");
  EXPECT_EQ(sheet->Column, 2);
  EXPECT_EQ(sheet->Footprint, (TFootprintSize{2, 1}));
  EXPECT_EQ(sheet->LiftHeight, 2);
  EXPECT_TRUE(sheet->HasLiftHeight);
  EXPECT_FALSE(sheet->HasKeyCode);

  struct TStep {
    std::function<TObjectEditResult()> Change;
    const char* Refusal;
  };
  const TStep steps[] = {
      {[&] { return properties.SetLiftHeight(-128); }, ""},
      {[&] { return properties.SetLiftHeight(128); }, "Высота лифта должна быть от -128 до 127"},
      {[&] { return properties.SetKeyCode(4); }, "Код ключа есть только у ключей и дверей"},
      {[&] { return properties.MoveToPlane(1); }, "На плане 1 место занято другим объектом"},
      {[&] { return properties.MoveToPlane(3); }, ""},
      {[&] { return properties.SetLiftHeight(1); },
       "Объекты задних планов не хранят высоту лифта и код ключа: их ставят на план 0"},
      {[&] { return properties.MoveToPlane(0); }, ""},
      {[&] { return properties.ChangeObject("Игрок"); },
       "Объект «Игрок» не помещается: его клетки заняты другими объектами"},
      {[&] { return properties.ChangeObject("Плита"); }, ""},
  };
  int expectedSteps = f.Editor.UndoStack.count();
  for (const TStep& step : steps) {
    const TObjectEditResult result = step.Change();
    SCOPED_TRACE(step.Refusal);
    EXPECT_EQ(result.Refusal, step.Refusal);
    if (result.Done()) ++expectedSteps;
    EXPECT_EQ(f.Editor.UndoStack.count(), expectedSteps);
    EXPECT_EQ(f.Editor.Document.LevelModified(), expectedSteps > 0);
  }
  // The choice went along to plane 3 and back; the object is now the plate.
  EXPECT_EQ(properties.Sheet()->Name, "Плита");
  EXPECT_EQ(properties.Sheet()->Plane, 0);
  EXPECT_EQ(f.Context.DesignedLevel().Cells[2][2].Kind, otWall);
  // A back plane keeps no lift height: the trip there and back left none.
  EXPECT_EQ(f.Context.DesignedLevel().Cells[3][2].LiftHeight, 0);

  // Every step undone gives back the level as loaded, file for file.
  while (f.Editor.UndoStack.canUndo()) f.Editor.Undo();
  EXPECT_FALSE(f.Editor.Document.LevelModified());
  f.Dialogs.FileAnswers.push_back(f.Path("undone.mtf"));
  ASSERT_TRUE(f.Editor.Files().SaveLevelAs());
  EXPECT_TRUE(LevelBytes("undone") == LevelBytes("loaded"));
}

TEST_F(PlacedObjectProperties, TheWorldFollowsAChangeAndItsUndo) {
  ASSERT_TRUE(properties.ChooseAt(2, 2, 0));
  ASSERT_TRUE(properties.SetLiftHeight(-5).Done());
  f.Tick();
  ASSERT_NE(Lift(), nullptr);
  EXPECT_EQ(Lift()->Travel, -5);
  f.Editor.Undo();
  f.Tick();
  ASSERT_NE(Lift(), nullptr);
  EXPECT_EQ(Lift()->Travel, 2);
  EXPECT_EQ(f.Editor.Document.LastResult, "Отменено: высота лифта «Лифт»");

  // A move undone and redone: the choice follows the object across planes.
  ASSERT_TRUE(properties.MoveToPlane(4).Done());
  f.Editor.Undo();
  EXPECT_EQ(properties.Sheet()->Plane, 0);
  f.Editor.Redo();
  EXPECT_EQ(properties.Sheet()->Plane, 4);
}

}  // namespace
}  // namespace kestrilo
