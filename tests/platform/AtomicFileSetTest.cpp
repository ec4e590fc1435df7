// Saving sets of files so that a load never sees old and new files mixed: a
// save killed between its renames, renames that cannot be done, journals that
// are not the set's own, the journal's bytes and one-file saves. Failed calls
// of whole saves are tried with the level's and the library's files.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/AtomicFileSet.h"
#include "platform/Errors.h"
#include "tests/support/FailingFileSystem.h"

namespace kestrilo {
namespace {

using testsupport::FolderEntries;
using testsupport::TFailingFileSystem;

class AtomicFileSetTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder.Root() + "/" + name; }
  std::string Read(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  void Write(const std::string& path, const std::string& bytes) const {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<std::string> Targets() const { return {Path("a.dat"), Path("b.dat")}; }
  void SavePair(const std::string& first, const std::string& second, TFileSystem& files = PosixFileSystem()) {
    TAtomicFileSet set(files);
    set.Add(Path("a.dat"), first);
    set.Add(Path("b.dat"), second);
    set.Commit();
  }
  // What a load sees: the bytes at the paths it is told to read.
  std::string Seen(TFileSystem& files = PosixFileSystem()) {
    const std::vector<std::string> paths = TSaveLeftovers(Targets(), files).ResolveForLoad();
    return Read(paths[0]) + "|" + Read(paths[1]);
  }
  // The state a save stopped after its commit leaves: the journal, and the
  // new files still under their temporary names.
  void LeaveCommittedSave(const std::string& first, const std::string& second) {
    Write(TSaveLeftovers::TemporaryPath(Path("a.dat")), first);
    Write(TSaveLeftovers::TemporaryPath(Path("b.dat")), second);
    Write(TSaveLeftovers::JournalPath(Path("a.dat")), TSaveLeftovers::EncodeJournal(Targets()));
  }

  testsupport::TSyncFreeFolder folder;
};

TEST_F(AtomicFileSetTest, ASaveKilledBetweenItsRenamesIsFinishedByTheNextSave) {
  SavePair("old a", "old b");
  LeaveCommittedSave("new a", "new b");
  // The first rename was done before the kill.
  std::rename(TSaveLeftovers::TemporaryPath(Path("a.dat")).c_str(), Path("a.dat").c_str());
  TFailingFileSystem readOnly;
  readOnly.MakeReadOnly();
  EXPECT_EQ(Seen(readOnly), "new a|new b");

  SavePair("third a", "third b");
  EXPECT_EQ(FolderEntries(folder.Root()), (std::vector<std::string>{"a.dat", "b.dat"}));
  EXPECT_EQ(Read(Path("a.dat")) + "|" + Read(Path("b.dat")), "third a|third b");
}

TEST_F(AtomicFileSetTest, ARenameThatCannotBeDoneIsReadFromItsTemporaryFile) {
  SavePair("old a", "old b");
  // As with an immutable second file: the save commits, renames the first
  // file, and cannot replace the second.
  TFailingFileSystem stuck;
  stuck.FailRenamesOnto(Path("b.dat"), EPERM);
  try {
    SavePair("new a", "new b", stuck);
    FAIL() << "expected EFCreateError";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + Path("b.dat") + ": Operation not permitted");
  }
  EXPECT_EQ(Read(Path("b.dat")), "old b");
  EXPECT_EQ(Seen(stuck), "new a|new b");
  // While the set cannot be finished, a new save must not overwrite the
  // temporary file that holds the only copy of the new second file.
  EXPECT_THROW(SavePair("third a", "third b", stuck), EFCreateError);
  EXPECT_EQ(Seen(stuck), "new a|new b");
  // Once the file can be replaced again, the next load finishes the set.
  EXPECT_EQ(Seen(), "new a|new b");
  EXPECT_EQ(FolderEntries(folder.Root()), (std::vector<std::string>{"a.dat", "b.dat"}));
}

TEST_F(AtomicFileSetTest, WithoutLeftoversALoadReadsTheFilesAndWritesNothing) {
  SavePair("old a", "old b");
  TFailingFileSystem counting;
  EXPECT_EQ(TSaveLeftovers(Targets(), counting).ResolveForLoad(), Targets());
  // It examines the names a save may leave (the journal's temporary, the
  // journal, the two temporaries) and changes nothing.
  EXPECT_EQ(counting.Changes(), 0);
  EXPECT_EQ(counting.Calls(), 4);
}

// Each call of a load that finishes or clears what a save left fails in turn,
// for a save stopped at each stage. Whatever the failing load did, the next
// load sees the set whole: new once the save had committed, old before. A
// name that cannot be examined stops the load before anything is touched.
TEST_F(AtomicFileSetTest, ALoadFailingAtAnyCallLeavesTheSetWholeForTheNextLoad) {
  auto renameIntoPlace = [&](const std::string& name) {
    std::rename(TSaveLeftovers::TemporaryPath(Path(name)).c_str(), Path(name).c_str());
  };
  struct TStoppedSave {
    const char* Stage;
    std::function<void()> Leave;
    const char* Whole;
  };
  const std::vector<TStoppedSave> stages = {
      {"before its commit",
       [&] {
         Write(TSaveLeftovers::TemporaryPath(Path("a.dat")), "new a");
         Write(TSaveLeftovers::TemporaryPath(Path("b.dat")), "new");
         Write(TSaveLeftovers::JournalTemporaryPath(Path("a.dat")), TSaveLeftovers::EncodeJournal(Targets()));
       },
       "old a|old b"},
      {"after its commit", [&] { LeaveCommittedSave("new a", "new b"); }, "new a|new b"},
      {"after one rename", [&] { LeaveCommittedSave("new a", "new b"), renameIntoPlace("a.dat"); }, "new a|new b"},
      {"after both renames",
       [&] { LeaveCommittedSave("new a", "new b"), renameIntoPlace("a.dat"), renameIntoPlace("b.dat"); },
       "new a|new b"},
  };
  const std::string root = folder.Root();
  int faultedLoads = 0;
  for (const TStoppedSave& stage : stages) {
    for (const int error : {EIO, EACCES, ENOMEM}) {
      bool clean = false;
      for (int k = 1; !clean; ++k) {
        SCOPED_TRACE(std::string(stage.Stage) + ", call " + std::to_string(k) + ": " + std::strerror(error));
        ASSERT_LT(k, 30);
        for (const std::string& name : FolderEntries(root)) std::remove(Path(name).c_str());
        SavePair("old a", "old b");
        stage.Leave();
        const std::vector<std::string> before = FolderEntries(root);
        TFailingFileSystem failing;
        failing.FailCall(k, error);
        try {
          EXPECT_EQ(Seen(failing), stage.Whole);
        } catch (const EFOpenError& e) {
          const std::string reason = std::string(": ") + std::strerror(error);
          EXPECT_TRUE(e.what() == "Cannot open file " + Path("a.dat") + reason ||
                      e.what() == "Cannot open file " + Path("b.dat") + reason)
              << e.what();
          EXPECT_EQ(FolderEntries(root), before);
        }
        clean = failing.Failures() == 0;
        faultedLoads += clean ? 0 : 1;
        EXPECT_EQ(Seen(), stage.Whole);
        EXPECT_EQ(FolderEntries(root), (std::vector<std::string>{"a.dat", "b.dat"}));
      }
    }
  }
  RecordProperty("FaultedLoads", faultedLoads);
}

TEST_F(AtomicFileSetTest, AJournalThatNamesOtherFilesIsRefusedAndNothingIsTouched) {
  SavePair("old a", "old b");
  Write(TSaveLeftovers::TemporaryPath(Path("a.dat")), "new a");
  const std::string journal = TSaveLeftovers::JournalPath(Path("a.dat"));
  Write(journal, TSaveLeftovers::EncodeJournal({Path("a.dat"), Path("c.dat")}));
  try {
    Seen();
    FAIL() << "expected EFOpenError";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + journal + ": Invalid stream format");
  }
  EXPECT_EQ(Read(Path("a.dat")), "old a");
  EXPECT_EQ(FolderEntries(folder.Root()).size(), 4u);
}

TEST_F(AtomicFileSetTest, TheJournalNamesTheFilesWithoutTheirFolder) {
  const std::string bytes = TSaveLeftovers::EncodeJournal({"/some/where/a.dat", "/some/where/bmtb"});
  EXPECT_EQ(bytes, std::string("Kestrilo save journal 1\n") + std::string("\x05\0\0\0", 4) + "a.dat" +
                       std::string("\x04\0\0\0", 4) + "bmtb");
}

TEST_F(AtomicFileSetTest, FilesOfOneSetMustShareAFolder) {
  TAtomicFileSet set;
  set.Add(Path("a.dat"), "a");
  EXPECT_THROW(set.Add("/elsewhere/b.dat", "b"), std::logic_error);
}

TEST_F(AtomicFileSetTest, AOneFileSaveLeavesNoJournalAndClearsAKilledSavesTemporary) {
  Write(Path("one.dat"), "old");
  Write(TSaveLeftovers::TemporaryPath(Path("one.dat")), "killed half");
  TFailingFileSystem counting;
  WriteFileAtomic(Path("one.dat"), "new", counting);
  // Examining the journal's temporary, the journal and the temporary; removal
  // of the leftover, create, write, sync, close, rename, folder sync.
  EXPECT_EQ(counting.Calls(), 10);
  EXPECT_EQ(Read(Path("one.dat")), "new");
  EXPECT_EQ(FolderEntries(folder.Root()), (std::vector<std::string>{"one.dat"}));
}

}  // namespace
}  // namespace kestrilo
