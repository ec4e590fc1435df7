// A designer's way from a picture to a working monster, without leaving the
// editor: the picture becomes a monster object, the monster editor gives it
// a record, and the monster placed afterwards plays by that record.
#include <gtest/gtest.h>

#include <QSpinBox>

#include "library/MonsterFile.h"
#include "library/MonstersDataBase.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/SpriteEngine.h"
#include "tests/editor/EditorTestSupport.h"
#include "windows/MonsterEditorWindow.h"
#include "world/EnemyWalker.h"

namespace kestrilo {
namespace {

TEnemyWalker* OnlyWalker(editortest::TEditorFixture& f) {
  TEnemyWalker* found = nullptr;
  const TSpriteEngine& root = *f.Context.SpriteEngine->Engine();
  for (int32_t i = 0; i < root.ChildCount(); ++i)
    if (auto* walker = dynamic_cast<TEnemyWalker*>(root.Child(i))) {
      EXPECT_EQ(found, nullptr);
      found = walker;
    }
  return found;
}

TEST(MonsterEditorWorkflowTest, ANewMonsterMadeFromALibraryPictureWalksAsItsRecordSays) {
  editortest::TEditorFixture f;
  f.WriteSampleData();
  f.OpenObjects();
  // Объект → Добавить: a monster object from a picture file.
  editortest::WriteFile(f.Path("toad.bmp"), editortest::SolidBitmap(32, 32, 0x00FF00));
  f.NewObject.Entry.Record.ObjType = otMonster;
  f.NewObject.Entry.Record.Name = W1251("Жаба");
  f.NewObject.Entry.PictureFileName = f.Path("toad.bmp");
  f.Editor.AddObject();
  ASSERT_TRUE(f.Dialogs.Messages().empty()) << f.Dialogs.Messages().front();

  // Объект → Монстры...: a record for it, faster than the default, saved.
  const auto window = MakeMonsterEditor(f.Editor, f.Context, f.Dialogs, nullptr);
  window->AddMonster();
  ASSERT_EQ(window->File().Count(), 1);
  EXPECT_EQ(window->File().Record(0).Name, W1251("Жаба"));
  EXPECT_EQ(window->PreviewFrameCount(), 1);
  window->WalkSpeedField->setValue(5);
  ASSERT_TRUE(window->Save());
  EXPECT_EQ(TMonsterFile::Load(f.Path("Data/1.mon")).Record(0).WalkSpeed, 5);
  ASSERT_EQ(f.Context.MonstersDataBase->Count(), 1);  // monsters made from now on use it

  // A floor, the monster on it, and the preview on.
  for (int32_t x = 0; x < 320; x += 32) f.ClickAt(x, 160, "Стена");
  f.Editor.ChangePlane(1);  // on a back plane a monster blocks no cell
  f.ClickAt(160, 128, "Жаба");
  TEnemyWalker* toad = OnlyWalker(f);
  ASSERT_NE(toad, nullptr);
  EXPECT_EQ(toad->Record.WalkSpeed, 5);
  const double startX = toad->X;
  f.Editor.Play().TogglePreview();
  for (int i = 0; i < 10; ++i) f.Tick();
  EXPECT_NEAR(toad->X, startX - 10 * 1.6, 1e-6);  // 1.6 pixels a tick, walking left
}

TEST(MonsterEditorWorkflowTest, BeforeTheLibraryIsOpenSavingLeavesTheMonsterTableToTheOpenCommand) {
  editortest::TEditorFixture f;
  f.WriteSampleData();
  const auto window = MakeMonsterEditor(f.Editor, f.Context, f.Dialogs, nullptr);
  window->AddMonster();
  ASSERT_TRUE(window->Save());
  EXPECT_EQ(f.Context.MonstersDataBase->Count(), 0);
  f.OpenObjects();  // reads the saved file, as it always does
  EXPECT_EQ(f.Context.MonstersDataBase->Count(), 1);
}

}  // namespace
}  // namespace kestrilo
