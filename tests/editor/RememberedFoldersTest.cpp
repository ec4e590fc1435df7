#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include "editor/RememberedFolders.h"
#include "platform/ScriptedDialogService.h"

using namespace kestrilo;

namespace {

TFileDialogRequest Request(const char* filter, const char* defaultExt, const char* initialDir) {
  TFileDialogRequest request;
  request.Filter = filter;
  request.DefaultExt = defaultExt;
  request.InitialDir = initialDir;
  return request;
}

}  // namespace

TEST(RememberedFolders, TheKindOfFileComesFromTheDefaultExtensionOrTheFilter) {
  EXPECT_EQ(FileKindOfRequest(Request("Файлы матрицы (*.mtf)|*.mtf", "*.mtf", "")), "mtf");
  EXPECT_EQ(FileKindOfRequest(Request("Записи (*.replay)|*.replay", "*.REPLAY", "")), "replay");
  EXPECT_EQ(FileKindOfRequest(Request("All (*.wmf;*.emf;*.bmp)|*.wmf;*.emf;*.bmp", "", "")), "wmf");
  EXPECT_EQ(FileKindOfRequest(Request("Everything|*", "", "")), "");
}

TEST(RememberedFolders, EachKindStartsWhereItWasLastChosenAndOnlyAChoiceCounts) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath("levels"));
  ASSERT_TRUE(QDir(dir.path()).mkpath("pictures"));
  const std::string levels = dir.filePath("levels").toStdString();
  const std::string pictures = dir.filePath("pictures").toStdString();
  QSettings settings(dir.filePath("kestrilo.ini"), QSettings::IniFormat);
  TRememberedFolders folders(settings);
  TScriptedDialogService inner;
  TFolderRememberingDialogService dialogs(inner, folders);

  const TFileDialogRequest level = Request("Файлы матрицы (*.mtf)|*.mtf", "*.mtf", "/program/");
  const TFileDialogRequest picture = Request("All (*.bmp)|*.bmp", "", "");
  // Nothing remembered yet: the command's own folder; a cancel remembers nothing.
  EXPECT_EQ(dialogs.OpenFile(level), std::nullopt);
  EXPECT_EQ(inner.Asked.back().Request.InitialDir, "/program/");
  EXPECT_EQ(folders.FolderFor("mtf"), "");

  inner.FileAnswers = {levels + "/one.mtf"};
  EXPECT_EQ(dialogs.SaveFile(level), levels + "/one.mtf");
  inner.FileAnswers = {pictures + "/wall.bmp"};
  dialogs.OpenFile(picture);

  dialogs.OpenFile(level);
  EXPECT_EQ(inner.Asked.back().Request.InitialDir, levels);
  EXPECT_EQ(inner.Asked.back().Request.Filter, level.Filter);  // the rest of the request is untouched
  dialogs.OpenFile(picture);
  EXPECT_EQ(inner.Asked.back().Request.InitialDir, pictures);

  // Kept in the settings file for the next run.
  QSettings reopened(dir.filePath("kestrilo.ini"), QSettings::IniFormat);
  EXPECT_EQ(TRememberedFolders(reopened).FolderFor("mtf"), levels);

  // A folder that is gone is not offered.
  ASSERT_TRUE(QDir(QString::fromStdString(pictures)).removeRecursively());
  dialogs.OpenFile(picture);
  EXPECT_EQ(inner.Asked.back().Request.InitialDir, "");
}

TEST(RememberedFolders, AnInstalledEditorStartsANewKindInItsDataFolderAndPassesTheRestThrough) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath("kestrilo.ini"), QSettings::IniFormat);
  TRememberedFolders folders(settings);
  TScriptedDialogService inner;
  TFolderRememberingDialogService dialogs(inner, folders, "/home/designer/.local/share/Kestrilo/Data/");
  dialogs.OpenFile(Request("Файлы матрицы (*.mtf)|*.mtf", "*.mtf", "/usr/bin/"));
  EXPECT_EQ(inner.Asked.back().Request.InitialDir, "/home/designer/.local/share/Kestrilo/Data/");

  inner.MessageAnswers = {TModalResult::mrYes};
  EXPECT_EQ(dialogs.MessageBox("Правда выйти ?", "Подтвердите выход!", TMsgButtons::YesNo), TModalResult::mrYes);
  dialogs.ShowMessage("Запись удалена!");
  inner.ColorAnswers = {0x00FF00u};
  EXPECT_EQ(dialogs.ChooseColor(0), 0x00FF00u);
  EXPECT_EQ(inner.Messages(), std::vector<std::string>{"Запись удалена!"});
  EXPECT_EQ(inner.Asked[1].Caption, "Подтвердите выход!");
}
