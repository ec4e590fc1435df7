// Recovery copies under faults, through the editor's own start-up: an
// autosave that replaces earlier copies, failed at each of its calls or killed
// there, leaves the next start a copy to restore, the earlier or the new one;
// copies that cannot be read are told about once and set aside; the newest of
// two level copies wins; the question names the level and when each copy was
// written.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "matrix/MatrixFile.h"
#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "support/FailingFileSystem.h"

namespace kestrilo {
namespace {

using editortest::TEditorFixture;
using testsupport::FolderEntries;
using testsupport::TFailingFileSystem;
using testsupport::TSyncFreeFolder;

// Every byte of both level files, padding included, compared at once.
bool SameLevel(const TMatrix& a, const TMatrix& b) {
  return std::memcmp(&a.Cells, &b.Cells, sizeof a.Cells) == 0 &&
         std::memcmp(&a.BackPlanes, &b.BackPlanes, sizeof a.BackPlanes) == 0;
}

std::string LibraryBytes(TObjectDataBase& library) {
  return TObjectDataBase::RecordsToBytes(library.Records) + library.Images->SaveToBytes();
}

// A level copy as earlier versions named it, after a hash of the level's path.
const char* const kOlderCopyName = "level-0123456789abcdef.mtf";

void WriteCopyUnderOlderName(const std::string& folder, const TMatrix& level, const std::string& levelFile) {
  const std::string copy = folder + "/" + kOlderCopyName;
  TAtomicFileSet set;
  set.Add(copy, TMatrixFile::EncodeCells(level));
  set.Add(TMatrixFile::BackPlaneFileName(copy), TMatrixFile::EncodeBackPlanes(level));
  set.Add(copy + ".path", levelFile);
  set.Commit();
}

void SetWritten(const std::string& path, const QDateTime& when) {
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

// What a start after a crash showed and restored, Да answered to its question.
struct TRestart {
  std::vector<std::string> Messages;
  std::vector<std::string> Questions;
  std::unique_ptr<TMatrix> Level;  // none when nothing was restored
  std::string LevelFile;
  std::string Library;
};

// The new editor reads the designer's own files from `dataFolder`.
TRestart StartAfterACrash(const std::string& folder, const std::string& dataFolder) {
  TEditorFixture next;
  next.Editor.DataFolder = dataFolder;
  next.Editor.Autosave().Recovery.Folder = folder;
  next.Dialogs.MessageAnswers.push_back(TModalResult::mrYes);
  next.Editor.Autosave().OfferRecovery();
  TRestart restart;
  restart.Messages = next.Dialogs.Messages();
  for (const auto& asked : next.Dialogs.Asked)
    if (asked.Kind == "message") restart.Questions.push_back(asked.Text);
  if (!restart.Questions.empty() && next.Context.ObjectsLoaded != 0) {
    restart.Level = std::make_unique<TMatrix>(next.Context.DesignedLevel());
    restart.LevelFile = next.Editor.Document.LevelFile;
    restart.Library = LibraryBytes(*next.Context.ObjectDataBase);
  }
  return restart;
}

class RecoveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteSampleData();
    f.OpenObjects();
    f.ClickAt(64, 32, "Стена");
    earlierLevel = f.Context.DesignedLevel();
    f.ClickAt(128, 64, "Плита");
    ASSERT_TRUE(earlierLibrary.LoadFromFile(f.Path("Data/test.obj")));
  }
  // The library gains an entry the earlier copy lacks.
  void ChangeTheLibrary() {
    testsupport::WriteFile(f.Path("new.bmp"), testsupport::SolidBitmap(32, 32));
    f.NewObject.Entry.Record.Name = W1251("Новая");
    f.NewObject.Entry.PictureFileName = f.Path("new.bmp");
    f.Editor.AddObject();
    ASSERT_TRUE(f.Editor.Document.LibraryModified());
  }

  // For each call k of an autosave over the earlier copies written by
  // `writeEarlier`: call k fails, alone or with every later one as when the
  // program is killed there; then the program ends without another call and
  // a new one starts. It must restore the earlier copy or the new one, never
  // nothing, and the new one once the autosave went through.
  // Failed calls and kills run as tests of their own, each well within a
  // test's time.
  void FailEachCallOfAnAutosave(const std::function<void(TRecovery&, const std::string&)>& writeEarlier,
                                bool libraryToo, bool killed) {
    const TMatrix& newLevel = f.Context.DesignedLevel();
    const std::string newLibrary = LibraryBytes(*f.Context.ObjectDataBase);
    const std::string ownLibrary = LibraryBytes(earlierLibrary);
    // The earlier copies are written once and copied into each fresh folder.
    TSyncFreeFolder earlier;
    f.Editor.Autosave().Recovery.Folder = earlier.Root();
    writeEarlier(f.Editor.Autosave().Recovery, earlier.Root());
    {
      int earlierSeen = 0, newSeen = 0;
      bool autosaved = false;
      for (int k = 1; !autosaved; ++k) {
        SCOPED_TRACE("call " + std::to_string(k) + (killed ? ", killed there" : " failed"));
        ASSERT_LT(k, 100);
        TSyncFreeFolder folder;
        std::filesystem::copy(earlier.Root(), folder.Root(), std::filesystem::copy_options::recursive);
        TRecovery& recovery = f.Editor.Autosave().Recovery;
        recovery.Folder = folder.Root();
        recovery.StartRun();
        TFailingFileSystem failing;
        failing.FailCall(k, EIO, killed);
        recovery.UseFileSystem(failing);
        f.Editor.Autosave().AutosaveNow();
        recovery.UseFileSystem(PosixFileSystem());
        autosaved = failing.Failures() == 0;
        ++(killed ? kills : faults);

        const TRestart restart = StartAfterACrash(folder.Root(), f.Path("Data/"));
        EXPECT_TRUE(restart.Messages.empty()) << restart.Messages.front();
        ASSERT_EQ(restart.Questions.size(), 1u);
        ASSERT_TRUE(restart.Level);
        const bool levelIsNew = SameLevel(*restart.Level, newLevel);
        EXPECT_TRUE(levelIsNew || SameLevel(*restart.Level, earlierLevel));
        if (libraryToo) {
          EXPECT_TRUE(restart.Library == newLibrary || restart.Library == ownLibrary);
        }
        if (autosaved) {
          EXPECT_TRUE(levelIsNew);
          EXPECT_TRUE(!libraryToo || restart.Library == newLibrary);
        }
        (levelIsNew ? newSeen : earlierSeen) += 1;
      }
      EXPECT_GT(earlierSeen, 0);
      EXPECT_GT(newSeen, 1);
    }
    RecordProperty("FaultedAutosaves", faults);
    RecordProperty("KilledAutosaves", kills);
  }

  TEditorFixture f;
  TMatrix earlierLevel;
  TPictureCollection earlierPictures;
  TObjectDataBase earlierLibrary{&earlierPictures};
  int faults = 0, kills = 0;
};

class RecoveryFailedOrKilledTest : public RecoveryTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RecoveryFailedOrKilledTest, AnAutosaveOverAnEarlierCopyLeavesACopy) {
  FailEachCallOfAnAutosave([&](TRecovery& recovery, const std::string&) { recovery.WriteLevel(earlierLevel, ""); },
                           false, GetParam());
}

TEST_P(RecoveryFailedOrKilledTest, AnAutosaveOverACopyOfAnotherLevelUnderAnOlderNameLeavesOneOfThem) {
  FailEachCallOfAnAutosave(
      [&](TRecovery&, const std::string& folder) {
        WriteCopyUnderOlderName(folder, earlierLevel, "/elsewhere/old.mtf");
      },
      false, GetParam());
}

TEST_P(RecoveryFailedOrKilledTest, AnAutosaveOfTheLevelAndTheLibraryLeavesCopiesOfBoth) {
  ChangeTheLibrary();
  FailEachCallOfAnAutosave(
      [&](TRecovery& recovery, const std::string&) {
        recovery.WriteLibrary(earlierLibrary);
        recovery.WriteLevel(earlierLevel, "");
      },
      true, GetParam());
}

INSTANTIATE_TEST_SUITE_P(FailedOrKilled, RecoveryFailedOrKilledTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Killed" : "Failed"; });

// A copy that cannot be read is told about once, by its name and the reason,
// and its files are moved into a folder of their own; the other copy is still
// offered, and the next start says nothing more about the damaged one.
TEST_F(RecoveryTest, ADamagedCopyIsToldAboutOnceAndSetAsideWhole) {
  struct TDamage {
    const char* What;
    bool InTheLibrary;
    std::function<void(const std::string& folder)> Damage;
    std::string Copy;    // relative to the recovery folder
    std::string Reason;  // empty: not checked
    std::vector<std::string> SetAside;
  };
  const std::vector<TDamage> damages = {
      {"a short matrix file",
       false,
       [](const std::string& folder) { testsupport::WriteFile(folder + "/level-copy.mtf", std::string(1000, 'x')); },
       "level-copy.mtf",
       "Stream read error",
       {"level-copy.mtf", "level-copy.mtf.path", "level-copymtb"}},
      {"no path file",
       false,
       [](const std::string& folder) { QFile::remove(QString::fromStdString(folder + "/level-copy.mtf.path")); },
       "level-copy.mtf",
       "Cannot open file {folder}/level-copy.mtf.path",
       {"level-copy.mtf", "level-copymtb"}},
      {"a journal naming other files",
       false,
       [](const std::string& folder) {
         testsupport::WriteFile(folder + "/level-copy.mtf.kestrilo-journal",
                                TSaveLeftovers::EncodeJournal({folder + "/level-copy.mtf", folder + "/other"}));
       },
       "level-copy.mtf",
       "Cannot open file {folder}/level-copy.mtf.kestrilo-journal: Invalid stream format",
       {"level-copy.mtf", "level-copy.mtf.kestrilo-journal", "level-copy.mtf.path", "level-copymtb"}},
      {"a graphics file that is no graphics file",
       true,
       [](const std::string& folder) { testsupport::WriteFile(folder + "/library/test.dxg", "not pictures"); },
       "library/test.obj",
       "",
       {"test.dxg", "test.obj"}},
  };
  ChangeTheLibrary();
  for (const TDamage& damage : damages) {
    SCOPED_TRACE(damage.What);
    TSyncFreeFolder folder;
    const std::string root = folder.Root();
    auto inFolder = [&](std::string text) {
      if (const size_t at = text.find("{folder}"); at != std::string::npos) text.replace(at, 8, root);
      return text;
    };
    f.Editor.Autosave().Recovery.Folder = root;
    f.Editor.Autosave().Recovery.StartRun();
    f.Editor.Autosave().AutosaveNow();
    damage.Damage(root);

    const TRestart first = StartAfterACrash(root, f.Path("Data/"));
    ASSERT_EQ(first.Messages.size(), 1u);
    const std::string& told = first.Messages.front();
    EXPECT_NE(told.find(root + "/" + damage.Copy), std::string::npos) << told;
    EXPECT_NE(told.find(inFolder(damage.Reason)), std::string::npos) << told;
    EXPECT_NE(told.find(root + "/damaged/1"), std::string::npos) << told;
    EXPECT_EQ(FolderEntries(root + "/damaged/1"), damage.SetAside);
    // The other copy is offered and restored.
    ASSERT_EQ(first.Questions.size(), 1u);
    EXPECT_EQ(first.Questions.front().find("Уровень") != std::string::npos, damage.InTheLibrary);
    EXPECT_EQ(first.Questions.front().find("Библиотека") != std::string::npos, !damage.InTheLibrary);
    const bool restored = damage.InTheLibrary ? first.Level && SameLevel(*first.Level, f.Context.DesignedLevel())
                                              : first.Library == LibraryBytes(*f.Context.ObjectDataBase);
    EXPECT_TRUE(restored);

    const TRestart second = StartAfterACrash(root, f.Path("Data/"));
    EXPECT_TRUE(second.Messages.empty());
    EXPECT_EQ(second.Questions.size(), 1u);
    EXPECT_EQ(FolderEntries(root + "/damaged"), std::vector<std::string>{"1"});
  }
}

// Where the damaged copy cannot be moved, the start says so and keeps it.
TEST_F(RecoveryTest, ADamagedCopyThatCannotBeMovedIsToldAboutAndKept) {
  TSyncFreeFolder folder;
  const std::string root = folder.Root();
  f.Editor.Autosave().Recovery.Folder = root;
  f.Editor.Autosave().Recovery.StartRun();
  f.Editor.Autosave().AutosaveNow();
  testsupport::WriteFile(root + "/level-copy.mtf", std::string(1000, 'x'));
  testsupport::WriteFile(root + "/damaged", "a file where the folder would be");

  const TRestart restart = StartAfterACrash(root, f.Path("Data/"));
  ASSERT_EQ(restart.Messages.size(), 1u);
  const std::string copy = root + "/level-copy.mtf";
  EXPECT_EQ(restart.Messages.front(),
            "Копию несохранённой работы " + copy + " не удалось прочитать: Stream read error: " + copy +
                ": truncated: 1000 of 360000 bytes. Её файлы не удалось отложить: " + "Cannot open file " + root +
                "/damaged/1: Not a directory");
  EXPECT_TRUE(restart.Questions.empty());
  EXPECT_EQ(FolderEntries(root),
            (std::vector<std::string>{"damaged", "level-copy.mtf", "level-copy.mtf.path", "level-copymtb", "running"}));
}

// Copies of two levels are left by a kill between the commit of one and the
// removal of the other: the newer is offered, and the other goes with the
// next autosave's commit.
TEST_F(RecoveryTest, OfTwoLevelCopiesTheNewestIsRestoredAndTheOtherGoesWithTheNextCopy) {
  const QDateTime earlier(QDate(2021, 3, 4), QTime(12, 0), Qt::UTC);
  const QDateTime later = earlier.addSecs(60);
  for (const bool olderNameIsNewer : {true, false}) {
    SCOPED_TRACE(olderNameIsNewer ? "the copy under the older name is newer" : "the current copy is newer");
    TSyncFreeFolder folder;
    const std::string root = folder.Root();
    f.Editor.Autosave().Recovery.Folder = root;
    f.Editor.Autosave().Recovery.StartRun();
    f.Editor.Autosave().Recovery.WriteLevel(f.Context.DesignedLevel(), "/levels/current.mtf");
    WriteCopyUnderOlderName(root, earlierLevel, "/levels/older.mtf");
    SetWritten(root + "/level-copy.mtf", olderNameIsNewer ? earlier : later);
    SetWritten(root + "/" + kOlderCopyName, olderNameIsNewer ? later : earlier);

    const TRestart restart = StartAfterACrash(root, f.Path("Data/"));
    EXPECT_EQ(restart.LevelFile, olderNameIsNewer ? "/levels/older.mtf" : "/levels/current.mtf");
    ASSERT_TRUE(restart.Level);
    EXPECT_TRUE(SameLevel(*restart.Level, olderNameIsNewer ? earlierLevel : f.Context.DesignedLevel()));
    EXPECT_EQ(FolderEntries(root).size(), 7u);  // both copies, the marker

    f.Editor.Autosave().AutosaveNow();
    EXPECT_EQ(FolderEntries(root),
              (std::vector<std::string>{"level-copy.mtf", "level-copy.mtf.path", "level-copymtb", "running"}));
  }
}

// The question names the level by its file, or as new when it was never
// saved, and tells when each copy was written: the copy's own time, not the
// time of the start.
TEST_F(RecoveryTest, TheQuestionNamesTheLevelAndWhenEachCopyWasWritten) {
  ChangeTheLibrary();
  const QDateTime levelWritten(QDate(2021, 3, 4), QTime(12, 0), Qt::UTC);
  const QDateTime libraryWritten(QDate(2021, 3, 5), QTime(12, 0), Qt::UTC);
  for (const std::string& levelFile : {std::string("/levels/castle.mtf"), std::string()}) {
    TSyncFreeFolder folder;
    const std::string root = folder.Root();
    f.Editor.Autosave().Recovery.Folder = root;
    f.Editor.Autosave().Recovery.StartRun();
    f.Editor.Autosave().Recovery.WriteLevel(f.Context.DesignedLevel(), levelFile);
    f.Editor.Autosave().Recovery.WriteLibrary(*f.Context.ObjectDataBase);
    SetWritten(root + "/level-copy.mtf", levelWritten);
    SetWritten(root + "/library/test.obj", libraryWritten);

    const TRestart restart = StartAfterACrash(root, f.Path("Data/"));
    ASSERT_EQ(restart.Questions.size(), 1u);
    const std::string& question = restart.Questions.front();
    const std::string levelName = levelFile.empty() ? "новый уровень, ещё не сохранявшийся" : levelFile;
    const auto local = [](const QDateTime& when) {
      return when.toLocalTime().toString("dd.MM.yyyy HH:mm:ss").toStdString();
    };
    EXPECT_NE(question.find("Уровень: " + levelName + ", копия от " + local(levelWritten)), std::string::npos)
        << question;
    EXPECT_NE(question.find("Библиотека объектов: копия от " + local(libraryWritten)), std::string::npos) << question;
    EXPECT_EQ(restart.LevelFile, levelFile);
  }
}

}  // namespace
}  // namespace kestrilo
