#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "editor/DataFolderChoice.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"
#include "support/BitmapFile.h"

using namespace kestrilo;

namespace {

struct TLayouts {
  QTemporaryDir Root;
  std::string Folder(const char* relative) const {
    QDir().mkpath(Root.filePath(relative));
    return Root.filePath(relative).toStdString() + "/";
  }
  std::string File(const char* relative) const { return Root.filePath(relative).toStdString(); }
};

}  // namespace

TEST(DataFolderChoice, ABuildTreeEditorKeepsDataBesideItself) {
  TLayouts t;
  const std::string build = t.Folder("build");
  t.Folder("build/Data");
  const TDataFolderChoice choice = ChooseDataFolder({build, t.Folder("home/Kestrilo")});
  EXPECT_FALSE(choice.Installed);
  EXPECT_EQ(choice.DataFolder, build + "Data/");

  // Also before the build has written Data/, and with the separator missing.
  const TDataFolderChoice fresh = ChooseDataFolder({t.File("fresh"), t.Folder("home/Kestrilo")});
  EXPECT_FALSE(fresh.Installed);
  EXPECT_EQ(fresh.DataFolder, t.File("fresh") + "/Data/");
}

TEST(DataFolderChoice, AnInstalledEditorUsesTheUsersFolderFilledAtItsFirstStart) {
  TLayouts t;
  const std::string bin = t.Folder("usr/bin");
  t.Folder("usr/share/kestrilo/Data");
  testsupport::WriteFile(t.File("usr/share/kestrilo/Data/test.obj"), "objects");
  testsupport::WriteFile(t.File("usr/share/kestrilo/Data/matrix1.mtf"), "level");
  QFile::setPermissions(QString::fromStdString(t.File("usr/share/kestrilo/Data/test.obj")), QFile::ReadOwner);
  const std::string home = t.File("home/.local/share/Kestrilo");

  const TDataFolderChoice choice = ChooseDataFolder({bin, home});
  EXPECT_TRUE(choice.Installed);
  EXPECT_EQ(choice.DataFolder, home + "/Data/");
  EXPECT_EQ(choice.SampleDataFolder, t.File("usr/share/kestrilo/Data") + "/");
  EXPECT_FALSE(FileExists(choice.DataFolder + "test.obj"));  // choosing writes nothing

  PrepareDataFolder(choice);
  EXPECT_EQ(ReadWholeFile(choice.DataFolder + "test.obj"), "objects");
  EXPECT_EQ(ReadWholeFile(choice.DataFolder + "matrix1.mtf"), "level");
  // The copy is the designer's to change, even of a read-only installed file.
  EXPECT_TRUE(QFile::permissions(QString::fromStdString(choice.DataFolder + "test.obj")) & QFile::WriteOwner);
  // No half-made folder is left beside it.
  EXPECT_EQ(QDir(QString::fromStdString(home)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"Data"});

  // Later starts leave the designer's files as they are, even a deleted one.
  testsupport::WriteFile(choice.DataFolder + "matrix1.mtf", "edited");
  QFile::remove(QString::fromStdString(choice.DataFolder + "test.obj"));
  PrepareDataFolder(choice);
  EXPECT_EQ(ReadWholeFile(choice.DataFolder + "matrix1.mtf"), "edited");
  EXPECT_FALSE(FileExists(choice.DataFolder + "test.obj"));
  EXPECT_EQ(ReadWholeFile(t.File("usr/share/kestrilo/Data/matrix1.mtf")), "level");  // nothing written under the prefix
}

TEST(DataFolderChoice, DataBesideTheEditorWinsOverAnInstalledSampleAndNoUserFolderMeansTheBuildLayout) {
  TLayouts t;
  const std::string bin = t.Folder("prefix/bin");
  t.Folder("prefix/share/kestrilo/Data");
  t.Folder("prefix/bin/Data");
  EXPECT_FALSE(ChooseDataFolder({bin, t.File("home")}).Installed);
  QDir(QString::fromStdString(bin + "Data")).removeRecursively();
  EXPECT_TRUE(ChooseDataFolder({bin, t.File("home")}).Installed);
  EXPECT_FALSE(ChooseDataFolder({bin, ""}).Installed);
  // The build layout changes nothing on disk.
  const TDataFolderChoice build = ChooseDataFolder({t.Folder("build"), t.File("home")});
  PrepareDataFolder(build);
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(build.DataFolder)));
}

TEST(DataFolderChoice, AFailedCopyIsReportedAndLeavesNoDataFolder) {
  TLayouts t;
  const std::string bin = t.Folder("usr/bin");
  t.Folder("usr/share/kestrilo/Data");
  testsupport::WriteFile(t.File("usr/share/kestrilo/Data/test.obj"), "objects");
  // A plain file where the user's application-data folder should be.
  testsupport::WriteFile(t.File("home"), "in the way");
  const TDataFolderChoice choice = ChooseDataFolder({bin, t.File("home") + "/Kestrilo"});
  ASSERT_TRUE(choice.Installed);
  EXPECT_THROW(PrepareDataFolder(choice), EKestriloError);
  EXPECT_EQ(ReadWholeFile(t.File("home")), "in the way");

  // A sample file that cannot be read: the partial copy is removed again.
  const std::string home = t.File("home2");
  testsupport::WriteFile(t.File("usr/share/kestrilo/Data/locked.dxg"), "pictures");
  QFile::setPermissions(QString::fromStdString(t.File("usr/share/kestrilo/Data/locked.dxg")), {});
  const TDataFolderChoice locked = ChooseDataFolder({bin, home});
  // Run with rights that read any file, the copy succeeds and there is nothing more to see.
  if (QFile(QString::fromStdString(t.File("usr/share/kestrilo/Data/locked.dxg"))).open(QIODevice::ReadOnly)) return;
  EXPECT_THROW(PrepareDataFolder(locked), EKestriloError);
  EXPECT_TRUE(
      QDir(QString::fromStdString(home)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}
