#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>

#include "DesktopTestSupport.h"
#include "editor/RecentLevels.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"
#include "windows/RecentLevelsMenu.h"
#include "world/GameContext.h"

using namespace kestrilo;
using namespace kestrilo::editortest;

namespace {

struct TSettingsFile {
  QTemporaryDir Dir;
  QString File() const { return Dir.filePath("kestrilo.ini"); }
  std::string Path(const char* name) const { return Dir.filePath(name).toStdString(); }
};

}  // namespace

TEST(RecentLevels, NewestFirstWithoutRepeatsAtMostEightAndKeptInTheSettingsFile) {
  TSettingsFile s;
  {
    QSettings settings(s.File(), QSettings::IniFormat);
    TRecentLevels recent(settings);
    EXPECT_TRUE(recent.Paths().empty());
    for (int i = 1; i <= 10; ++i) recent.Add(s.Path(("level" + std::to_string(i) + ".mtf").c_str()));
    const std::vector<std::string> paths = recent.Paths();
    ASSERT_EQ(paths.size(), 8u);
    EXPECT_EQ(paths.front(), s.Path("level10.mtf"));
    EXPECT_EQ(paths.back(), s.Path("level3.mtf"));  // 1 and 2 fell off the end

    // Opening one again moves it to the top; it is not listed twice.
    recent.Add(s.Path("level5.mtf"));
    const std::vector<std::string> again = recent.Paths();
    ASSERT_EQ(again.size(), 8u);
    EXPECT_EQ(again.front(), s.Path("level5.mtf"));
    EXPECT_EQ(std::count(again.begin(), again.end(), s.Path("level5.mtf")), 1);
    EXPECT_EQ(again.back(), s.Path("level3.mtf"));

    recent.Remove(s.Path("level5.mtf"));
    EXPECT_EQ(recent.Paths().size(), 7u);
    EXPECT_EQ(recent.Paths().front(), s.Path("level10.mtf"));
  }
  // A later run reads the same list.
  QSettings reopened(s.File(), QSettings::IniFormat);
  EXPECT_EQ(TRecentLevels(reopened).Paths().size(), 7u);
  EXPECT_EQ(TRecentLevels(reopened).Paths().front(), s.Path("level10.mtf"));
}

TEST(RecentLevels, RelativePathsAreKeptAbsoluteAndBadEntriesAreSkipped) {
  TSettingsFile s;
  QSettings settings(s.File(), QSettings::IniFormat);
  TRecentLevels recent(settings);
  recent.Add("relative/level.mtf");
  ASSERT_EQ(recent.Paths().size(), 1u);
  EXPECT_EQ(recent.Paths()[0], QDir::current().absoluteFilePath("relative/level.mtf").toStdString());
  recent.Add("");
  EXPECT_EQ(recent.Paths().size(), 1u);

  // A hand-edited list with blanks and repeats.
  settings.setValue("RecentLevels", QStringList{"/a.mtf", "", "/a.mtf", "/b.mtf"});
  EXPECT_EQ(recent.Paths(), (std::vector<std::string>{"/a.mtf", "/b.mtf"}));
}

TEST(RecentLevelsMenu, LevelsReadOrSavedAreListedAndLoadedAgainFromTheFileMenu) {
  TDesktopFixture f;
  f.SaveLevel();
  TRecentLevels recent(*f.Settings);
  TForm1& form = f.Open();
  ConnectRecentLevels(form, recent);
  auto* menuObject = form.findChild<TRecentLevelsMenu*>();
  ASSERT_NE(menuObject, nullptr);
  QMenu* menu = menuObject->Menu();
  // In the File menu, before Выход.
  const QList<QAction*> items = form.N1->actions();
  const auto at = std::find(items.begin(), items.end(), menu->menuAction());
  ASSERT_NE(at, items.end());
  ASSERT_NE(at + 1, items.end());
  EXPECT_EQ(*(at + 1), form.N4);
  ASSERT_EQ(menu->actions().size(), 1);
  EXPECT_FALSE(menu->actions()[0]->isEnabled());  // empty list: one greyed line

  form.N2->trigger();
  // A cancelled load and a failed one are not listed.
  form.N8->trigger();
  f.Dialogs.FileAnswers = {f.Sample.Path("missing.mtf")};
  form.N8->trigger();
  EXPECT_TRUE(recent.Paths().empty());

  f.Dialogs.FileAnswers = {f.Level()};
  form.N8->trigger();
  ASSERT_EQ(recent.Paths().size(), 1u);
  EXPECT_EQ(recent.Paths()[0], f.Level());

  // Saving under another name lists that one first; declining to overwrite lists nothing.
  const std::string copy = f.Sample.Path("copy.mtf");
  f.Dialogs.FileAnswers = {copy};
  form.SaveLevelAsItem->trigger();
  ASSERT_EQ(recent.Paths().size(), 2u);
  EXPECT_EQ(recent.Paths()[0], copy);
  f.Dialogs.FileAnswers = {f.Level()};
  f.Dialogs.MessageAnswers = {TModalResult::mrCancel};
  form.SaveLevelAsItem->trigger();
  EXPECT_EQ(recent.Paths()[0], copy);

  menuObject->Rebuild();
  ASSERT_EQ(menu->actions().size(), 2);
  EXPECT_EQ(menu->actions()[0]->objectName(), "RecentLevel1");
  EXPECT_TRUE(menu->actions()[0]->text().endsWith("copy.mtf"));
  EXPECT_TRUE(menu->actions()[0]->text().startsWith("&1 "));

  // Choosing the second entry loads it as the menu command would, and moves it up.
  form.Context().PlayedLevel->Clear();
  const size_t asked = f.Dialogs.Asked.size();
  menu->actions()[1]->trigger();
  EXPECT_EQ(f.Dialogs.Asked.size(), asked);  // no dialog
  EXPECT_EQ(form.Context().PlayedLevel->Cells[0][14].ObjectNumber, 1);
  EXPECT_EQ(recent.Paths()[0], f.Level());
  EXPECT_EQ(form.Editor().LevelFile, f.Level());
}

TEST(RecentLevelsMenu, AnEntryWhoseFileIsGoneIsDroppedWithAMessage) {
  TDesktopFixture f;
  TRecentLevels recent(*f.Settings);
  const std::string gone = f.Sample.Path("gone.mtf");
  const std::string kept = f.Sample.Path("kept.mtf");
  recent.Add(kept);
  recent.Add(gone);
  TForm1& form = f.Open();
  ConnectRecentLevels(form, recent);
  auto* menuObject = form.findChild<TRecentLevelsMenu*>();
  ASSERT_NE(menuObject, nullptr);
  menuObject->Choose(0);
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_NE(f.Dialogs.Messages()[0].find(gone), std::string::npos);
  EXPECT_EQ(recent.Paths(), std::vector<std::string>{kept});
  EXPECT_EQ(menuObject->Menu()->actions().size(), 1);
  menuObject->Choose(5);  // out of range: nothing happens
  EXPECT_EQ(f.Dialogs.Messages().size(), 1u);
}
