// The level's two files under failing and killed saves: whichever system call
// fails, and wherever a save is killed, the next load sees the whole old level
// or the whole new one, and no temporary file outlives the next load or save.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "matrix/Matrix.h"
#include "matrix/MatrixFile.h"
#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"
#include "tests/matrix/MatrixTestSupport.h"
#include "tests/support/FailingFileSystem.h"

namespace kestrilo {
namespace {

using testing::MakeCell;
using testing::NewMatrix;
using testsupport::FolderEntries;
using testsupport::TFailingFileSystem;
using testsupport::TSyncFreeFolder;

// A level whose every cell and back-plane entry carries `mark`, so that bytes
// of two levels cannot pass for one.
std::unique_ptr<TMatrix> MarkedLevel(int32_t mark) {
  auto level = NewMatrix();
  for (int32_t x = 0; x < TMatrix::kColumns; ++x) {
    for (int32_t y = 0; y < TMatrix::kRows; ++y) {
      level->Cells[x][y] = MakeCell(static_cast<int8_t>(mark), mark * 1000000 + x * 1000 + y);
      level->BackPlanes[x][y] = {mark, -mark, x, y};
    }
  }
  return level;
}

// The level's two files as a save writes them.
struct TLevelBytes {
  std::string Cells;
  std::string Planes;
  explicit TLevelBytes(const TMatrix& level)
      : Cells(TMatrixFile::EncodeCells(level)), Planes(TMatrixFile::EncodeBackPlanes(level)) {}
};

// Every byte of both files, padding included, compared at once.
bool SameFileBytes(const TMatrix& a, const TMatrix& b) {
  static_assert(sizeof(TMatrixCell) == 12, "a cell is stored as it lies in memory");
  return std::memcmp(&a.Cells, &b.Cells, sizeof a.Cells) == 0 &&
         std::memcmp(&a.BackPlanes, &b.BackPlanes, sizeof a.BackPlanes) == 0;
}

enum class TSeen { Old, New, Mixed };

// Saves the pair; true once it is written (a failure throws).
bool Save(const TMatrix& level, const std::string& path, TFileSystem& files = PosixFileSystem()) {
  level.SaveToFile(path, files);
  return true;
}

class MatrixPairSave : public ::testing::Test {
 protected:
  std::string Folder() const { return folder->Root(); }
  std::string Path() const { return folder->Path("level.mtf"); }
  // The old pair, written as a save of it would have written it.
  void WriteOldPair() const {
    WriteFileAtomic(Path(), oldBytes.Cells);
    WriteFileAtomic(folder->Path("levelmtb"), oldBytes.Planes);
  }
  TSeen Load(TFileSystem& files = PosixFileSystem()) const {
    auto level = NewMatrix();
    EXPECT_TRUE(level->LoadFromFile(Path(), nullptr, nullptr, files));
    if (SameFileBytes(*level, *oldLevel)) return TSeen::Old;
    if (SameFileBytes(*level, *newLevel)) return TSeen::New;
    return TSeen::Mixed;
  }
  // The pair and nothing else lies in the folder, and it holds `expected`.
  void ExpectOnlyThePair(const TLevelBytes& expected) const {
    EXPECT_EQ(FolderEntries(Folder()), (std::vector<std::string>{"level.mtf", "levelmtb"}));
    EXPECT_TRUE(ReadWholeFile(Path()) == expected.Cells);
    EXPECT_TRUE(ReadWholeFile(folder->Path("levelmtb")) == expected.Planes);
  }

  std::unique_ptr<TSyncFreeFolder> folder = std::make_unique<TSyncFreeFolder>();
  std::unique_ptr<TMatrix> oldLevel = MarkedLevel(1);
  std::unique_ptr<TMatrix> newLevel = MarkedLevel(2);
  TLevelBytes oldBytes{*oldLevel};
  TLevelBytes newBytes{*newLevel};
};

// Fails call k of a save for k = 1, 2, ... until a save goes through, and
// checks what a load then sees, also one that can change nothing (a read-only
// folder), and what the next load or save leaves in the folder. Call k fails
// either alone (the next step is a load) or with every later call, as on a
// medium that died (the next step is a save).
TEST_F(MatrixPairSave, EveryFailedCallLeavesTheOldPairOrTheNewOne) {
  auto thirdLevel = MarkedLevel(3);
  const TLevelBytes thirdBytes(*thirdLevel);
  testsupport::SaveFailingEachCallInTurn(
      EIO,
      [&] {
        folder = std::make_unique<TSyncFreeFolder>();
        EXPECT_TRUE(folder->IsValid());
        WriteOldPair();
        return std::vector<std::string>{Path(), folder->Path("levelmtb")};
      },
      [&](TFileSystem& files) { return Save(*newLevel, Path(), files); },
      [&](bool succeeded, bool everyLaterCallFails) {
        TFailingFileSystem readOnly;
        readOnly.MakeReadOnly();
        const TSeen seen = Load(readOnly);
        EXPECT_NE(seen, TSeen::Mixed);
        if (succeeded) EXPECT_EQ(seen, TSeen::New);
        if (everyLaterCallFails) {
          EXPECT_TRUE(Save(*thirdLevel, Path()));
          ExpectOnlyThePair(thirdBytes);
        } else {
          EXPECT_EQ(Load(), seen);
          ExpectOnlyThePair(seen == TSeen::Old ? oldBytes : newBytes);
        }
        return seen == TSeen::New;
      });
}

TEST_F(MatrixPairSave, AFullDiskIsReportedWithTheFileAndTheReason) {
  WriteOldPair();
  TFailingFileSystem full;
  full.FailCall(10, ENOSPC);  // the write of the back-plane file, after four names examined
  try {
    Save(*newLevel, Path(), full);
    FAIL() << "expected EFCreateError";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + folder->Path("levelmtb") + ": No space left on device");
  }
  ExpectOnlyThePair(oldBytes);
}

TEST_F(MatrixPairSave, AnImmutableBackPlaneFileStillLoadsAsTheNewPair) {
  WriteOldPair();
  TFailingFileSystem immutable;
  immutable.FailRenamesOnto(folder->Path("levelmtb"), EPERM);
  EXPECT_THROW(Save(*newLevel, Path(), immutable), EFCreateError);
  EXPECT_TRUE(ReadWholeFile(folder->Path("levelmtb")) == oldBytes.Planes);
  EXPECT_EQ(Load(immutable), TSeen::New);
  EXPECT_EQ(Load(), TSeen::New);
  ExpectOnlyThePair(newBytes);
}

// A child process saves the two levels in turn, as fast as it can, and is
// killed at a random moment; the pair left behind must load whole. The child
// writes the levels' bytes encoded beforehand, as the level's save hands them
// over, so that the kills fall in the file work rather than in the encoding;
// their moments are spread over about three saves.
TEST_F(MatrixPairSave, SavesKilledAtRandomMomentsLeaveACompletePair) {
  const std::string planesPath = folder->Path("levelmtb");
  auto savePair = [&](const TLevelBytes& level) {
    TAtomicFileSet pair;
    pair.Add(Path(), level.Cells);
    pair.Add(planesPath, level.Planes);
    pair.Commit();
  };
  WriteOldPair();
  const auto started = std::chrono::steady_clock::now();
  savePair(newBytes);
  savePair(oldBytes);
  const auto saveTime = (std::chrono::steady_clock::now() - started) / 2;

  std::mt19937 random(20240611);
  std::uniform_int_distribution<int64_t> delayMicroseconds(
      0, 3 * std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count());
  TSeen onDisk = TSeen::Old;
  int changes = 0;
  int leftovers = 0;
  const int kKills = 150;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  int kill = 0;
  for (; kill < kKills && std::chrono::steady_clock::now() < deadline; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      const char go = 1;
      if (::write(ready[1], &go, 1) != 1) ::_exit(4);
      try {
        // The first save writes the level that is not on disk.
        for (int n = 0; n < 100000; ++n) savePair((n % 2 == 0) == (onDisk == TSeen::Old) ? newBytes : oldBytes);
      } catch (...) {
        ::_exit(3);
      }
      ::_exit(0);
    }
    ::close(ready[1]);
    char go = 0;
    EXPECT_EQ(::read(ready[0], &go, 1), 1);
    ::close(ready[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself: " << status;

    if (FolderEntries(Folder()).size() > 2) ++leftovers;
    const TSeen seen = Load();
    ASSERT_NE(seen, TSeen::Mixed);
    EXPECT_EQ(FolderEntries(Folder()), (std::vector<std::string>{"level.mtf", "levelmtb"}));
    if (seen != onDisk) ++changes;
    onDisk = seen;
  }
  // The kills fell both before and after commits.
  EXPECT_GT(changes, 0);
  EXPECT_LT(changes, kill);
  RecordProperty("Kills", kill);
  RecordProperty("LoadsThatFoundLeftovers", leftovers);
  RecordProperty("PairsThatChanged", changes);
}

}  // namespace
}  // namespace kestrilo
