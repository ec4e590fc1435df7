// Undo and redo of the level's and the library's changes: exact cells and
// files, sprites that match the design, the saved point, the menu texts.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

#include "EditorTestSupport.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "sprites/DXSpriteEngine.h"
#include "world/PlayerSprite.h"

namespace kestrilo {
namespace {

using editortest::TEditorFixture;

TSpriteEngine& RootOf(TEditorFixture& f) { return *f.Context.SpriteEngine->Engine(); }

// The living sprites the level's objects made: class, place and depth. The
// player and the portal are not part of the level.
std::multiset<std::tuple<std::string, double, double, int32_t>> LevelSprites(TEditorFixture& f) {
  std::multiset<std::tuple<std::string, double, double, int32_t>> out;
  TSpriteEngine& root = RootOf(f);
  for (int32_t i = 0; i < root.ChildCount(); ++i) {
    TSprite* s = root.Child(i);
    const std::string name = s->ClassName();
    if (s->IsDead || name == "TPlayerSprite" || name == "TDinamicPortal") continue;
    out.insert({name, static_cast<double>(s->X), static_cast<double>(s->Y), s->Z()});
  }
  return out;
}

std::string LevelBytes(TEditorFixture& f, const std::string& name) {
  return ReadWholeFile(f.Path(name)) + ReadWholeFile(f.Path(name.substr(0, name.size() - 4) + "mtb"));
}

void Save(TEditorFixture& f, const std::string& name) {
  f.Dialogs.FileAnswers.push_back(f.Path(name));
  ASSERT_TRUE(f.Editor.Files().SaveLevelAs());
}

class EditorUndo : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteSampleData();
    f.OpenObjects();
    f.Tick();
  }
  // A random edit: a placement of a random object on the main plane or back
  // plane 1 or 2, or an erase on the main plane.
  void RandomEdit(std::mt19937& random) {
    static const char* const kNames[] = {"Стена", "Плита", "Лифт", "Облака"};
    const int32_t x = static_cast<int32_t>(random() % 20) * 32 + 5;
    const int32_t y = static_cast<int32_t>(random() % 15) * 32 + 5;
    const uint32_t what = random() % 10;
    if (what < 3) {
      f.Editor.ChangePlane(0);
      f.Editor.DeleteAt(x, y);
      return;
    }
    f.Editor.ChangePlane(what < 8 ? 0 : static_cast<int32_t>(what - 7));
    // Drawn one by one: the order of a call's arguments is the compiler's.
    const int32_t keyCode = static_cast<int32_t>(random() % 4);
    const int32_t liftHeight = static_cast<int32_t>(random() % 5) - 2;
    const char* name = kNames[random() % 4];
    f.ClickAt(x, y, name, liftHeight, keyCode);
  }
  TEditorFixture f;
};

TEST_F(EditorUndo, APlacementUndoesAndRedoesWithItsSprite) {
  const auto emptyLevel = LevelSprites(f);
  f.ClickAt(64, 32, "Плита");
  ASSERT_EQ(f.Context.DesignedLevel().Cells[2][1].ObjectNumber, f.NumberOf("Плита"));
  EXPECT_EQ(f.Editor.UndoStack.undoText().toStdString(), "размещение «Плита»");
  f.Editor.Undo();
  EXPECT_EQ(f.Context.DesignedLevel().Cells[2][1].ObjectNumber, -1);
  EXPECT_EQ(f.Context.DesignedLevel().Cells[3][1].Kind, -1);
  EXPECT_EQ(f.Context.PlayedLevel->Cells[3][1].Kind, -1);
  EXPECT_EQ(LevelSprites(f), emptyLevel);
  f.Editor.Redo();
  EXPECT_EQ(f.Context.DesignedLevel().Cells[2][1].ObjectNumber, f.NumberOf("Плита"));
  EXPECT_EQ(f.Context.PlayedLevel->Cells[3][1].Kind, otWall);
  EXPECT_EQ(f.CountOf("TMyObject"), 1);
  EXPECT_TRUE(f.Dialogs.Messages().empty());
}

TEST_F(EditorUndo, PlacingOnAnAnchorReplacesTheObjectAndUndoBringsItBack) {
  f.ClickAt(64, 32, "Стена");
  const auto oneWall = LevelSprites(f);
  f.ClickAt(64, 32, "Плита");
  // The wall's sprite went with its anchor cell: the world shows the plate only.
  EXPECT_EQ(f.CountOf("TMyObject"), 1);
  f.Editor.Undo();
  EXPECT_EQ(LevelSprites(f), oneWall);
  EXPECT_EQ(f.Context.DesignedLevel().Cells[2][1].ObjectNumber, f.NumberOf("Стена"));
}

TEST_F(EditorUndo, RandomEditsUndoneAndRedoneGiveTheSameFilesAndTheSameWorld) {
  std::mt19937 random(20261207);
  for (int i = 0; i < 40; ++i) RandomEdit(random);
  Save(f, "original.mtf");
  const int steps = 300;
  const int before = f.Editor.UndoStack.index();
  for (int i = 0; i < steps; ++i) RandomEdit(random);
  const int made = f.Editor.UndoStack.index() - before;
  ASSERT_GT(made, steps / 2);
  Save(f, "edited.mtf");
  const auto editedWorld = LevelSprites(f);

  for (int i = 0; i < made; ++i) f.Editor.Undo();
  Save(f, "undone.mtf");
  EXPECT_EQ(LevelBytes(f, "undone.mtf"), LevelBytes(f, "original.mtf"));
  for (int i = 0; i < made; ++i) f.Editor.Redo();
  Save(f, "redone.mtf");
  EXPECT_EQ(LevelBytes(f, "redone.mtf"), LevelBytes(f, "edited.mtf"));
  EXPECT_EQ(LevelSprites(f), editedWorld);

  // The world after all that is the world a load of the saved level builds.
  f.Tick();
  const auto afterRedo = LevelSprites(f);
  f.Dialogs.FileAnswers.push_back(f.Path("edited.mtf"));
  f.Editor.Files().LoadLevel();
  EXPECT_EQ(LevelSprites(f), afterRedo);
}

TEST_F(EditorUndo, TheSavedPointIsRemembered) {
  EXPECT_FALSE(f.Editor.Document.LevelModified());
  f.ClickAt(64, 32, "Стена");
  EXPECT_TRUE(f.Editor.Document.LevelModified());
  Save(f, "saved.mtf");
  EXPECT_FALSE(f.Editor.Document.LevelModified());
  f.Editor.Undo();
  EXPECT_TRUE(f.Editor.Document.LevelModified());  // undone past the save
  f.Editor.Redo();
  EXPECT_FALSE(f.Editor.Document.LevelModified());  // back at it
  f.Editor.Undo();
  f.ClickAt(96, 32, "Стена");  // the saved state can no longer be reached
  f.Editor.Undo();
  EXPECT_TRUE(f.Editor.Document.LevelModified());
  EXPECT_FALSE(f.Editor.Document.LibraryModified());
  EXPECT_NE(f.Editor.StatusText().find("saved.mtf *"), std::string::npos);
}

TEST_F(EditorUndo, LibraryAdditionsAndDeletionsUndoToTheSameFiles) {
  const std::string objects = ReadWholeFile(f.Path("Data/test.obj"));
  const std::string graphics = ReadWholeFile(f.Path("Data/test.dxg"));
  // An addition from the new-object dialog.
  testsupport::WriteFile(f.Path("new.bmp"), testsupport::SolidBitmap(32, 32, 0x00FF00));
  f.NewObject.Entry.Record.Name = W1251("Куст");
  f.NewObject.Entry.Record.ObjType = otWall;
  f.NewObject.Entry.PictureFileName = f.Path("new.bmp");
  f.Editor.AddObject();
  ASSERT_EQ(f.Context.ObjectDataBase->Records.size(), 6u);
  EXPECT_TRUE(f.Editor.Document.LibraryModified());
  // A deletion of an entry in the middle.
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrYes);
  f.Editor.DeleteObject(W1251("Игрок"), otPlayer);
  ASSERT_EQ(f.Context.ObjectDataBase->Records.size(), 5u);
  EXPECT_EQ(f.Editor.UndoStack.undoText().toStdString(), "удаление объекта «Игрок» из библиотеки");

  f.Editor.Undo();
  f.Editor.Undo();
  EXPECT_FALSE(f.Editor.Document.LibraryModified());
  f.Dialogs.MessageAnswers.push_back(TModalResult::mrYes);  // overwrite
  f.Editor.Files().SaveObjectsFile();
  EXPECT_EQ(ReadWholeFile(f.Path("Data/test.obj")), objects);
  EXPECT_EQ(ReadWholeFile(f.Path("Data/test.dxg")), graphics);

  f.Editor.Redo();
  f.Editor.Redo();
  EXPECT_EQ(f.Context.ObjectDataBase->Records.size(), 5u);
  EXPECT_EQ(f.Context.ObjectDataBase->FindByName(W1251("Игрок")).ObjType, otEmpty);
  // The added object's picture is cut again, so the object is drawn where it is placed.
  const int32_t added = f.Context.ObjectDataBase->Images->IndexOf(W1251("Куст"));
  ASSERT_GE(added, 0);
  EXPECT_TRUE(f.Context.ObjectDataBase->Images->Items(added)->Prepared());
}

TEST_F(EditorUndo, TenThousandStepsAreKept) {
  for (int i = 0; i < 10000; ++i) f.ClickAt((i % 20) * 32, ((i / 20) % 15) * 32, "Стена");
  EXPECT_EQ(f.Editor.UndoStack.count(), 10000);
  for (int i = 0; i < 10000; ++i) f.Editor.Undo();
  EXPECT_FALSE(f.Editor.UndoStack.canUndo());
  EXPECT_FALSE(f.Editor.Document.LevelModified());
  for (int32_t x = 0; x < 20; ++x) EXPECT_EQ(f.Context.DesignedLevel().Cells[x][0].Kind, -1);
}

}  // namespace
}  // namespace kestrilo
