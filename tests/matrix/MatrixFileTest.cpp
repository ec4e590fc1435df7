// The matrix file and the back-plane file: byte layouts, the name rule, the
// overwrite question, loading with progress, and the all-or-nothing rules
// of saving and loading.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "matrix/Matrix.h"
#include "matrix/MatrixFile.h"
#include "platform/Errors.h"
#include "tests/matrix/MatrixTestSupport.h"

namespace kestrilo {
namespace {

using testing::MakeCell;
using testing::NewMatrix;
using testing::ReadFile;
using testing::TRecordingBar;
using testing::TTempFolder;
using testing::WriteFile;

uint8_t Byte(const std::string& bytes, size_t at) { return static_cast<uint8_t>(bytes[at]); }

// A level with something in every part of both files.
std::unique_ptr<TMatrix> SampleLevel() {
  auto m = NewMatrix();
  m->PutObjectSized(MakeCell(0, 0x01020304, -128, 255), 0, 0, 32, 64);  // 2 x 1
  m->PutObjectSized(MakeCell(10, 77, 127, 1), 199 * 32, 149 * 32, 32, 32);
  m->PutBackObject(1, 5, 32, 0);
  m->PutBackObject(4, -7, 199 * 32, 149 * 32);
  m->PutBackObject(3, 0x7FFFFFFF, 64, 96);
  return m;
}

TEST(MatrixFile, ClearedMatrixSavesExactBytes) {
  TTempFolder dir;
  const std::string path = dir.Path("level.mtf");
  NewMatrix()->SaveToFile(path);

  const std::string cells = ReadFile(path);
  ASSERT_EQ(cells.size(), 360000u);
  for (size_t r = 0; r < 30000; ++r) {
    const size_t at = r * 12;
    ASSERT_EQ(Byte(cells, at), 0xFF) << r;
    for (size_t k = 4; k < 8; ++k) ASSERT_EQ(Byte(cells, at + k), 0xFF) << r;
    ASSERT_EQ(Byte(cells, at + 8), 0) << r;
    ASSERT_EQ(Byte(cells, at + 9), 0) << r;
  }
  const std::string planes = ReadFile(dir.Path("levelmtb"));
  ASSERT_EQ(planes.size(), 480000u);
  EXPECT_EQ(planes, std::string(480000, '\xFF'));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("level.mtb")));
}

TEST(MatrixFile, RecordsLieColumnMajorLittleEndian) {
  const auto m = SampleLevel();
  const std::string cells = TMatrixFile::EncodeCells(*m);
  // Cell (0, 0): kind 0, number 0x01020304, lift -128, key 255.
  EXPECT_EQ(Byte(cells, 0), 0x00);
  EXPECT_EQ(Byte(cells, 4), 0x04);
  EXPECT_EQ(Byte(cells, 5), 0x03);
  EXPECT_EQ(Byte(cells, 6), 0x02);
  EXPECT_EQ(Byte(cells, 7), 0x01);
  EXPECT_EQ(Byte(cells, 8), 0x80);
  EXPECT_EQ(Byte(cells, 9), 0xFF);
  // Cell (1, 0), the second column of the footprint, starts at (1 * 150 + 0) * 12.
  EXPECT_EQ(Byte(cells, 150 * 12), 0x00);
  EXPECT_EQ(Byte(cells, 150 * 12 + 4), 0xFF);
  // Cell (0, 1) right after cell (0, 0) is empty.
  EXPECT_EQ(Byte(cells, 12), 0xFF);
  // Cell (199, 149) is the last record.
  const size_t last = (199 * 150 + 149) * 12;
  EXPECT_EQ(Byte(cells, last), 10);
  EXPECT_EQ(Byte(cells, last + 4), 77);
  EXPECT_EQ(Byte(cells, last + 8), 127);
  EXPECT_EQ(Byte(cells, last + 9), 1);

  const std::string planes = TMatrixFile::EncodeBackPlanes(*m);
  auto entryAt = [](int x, int y, int plane) { return static_cast<size_t>(((x * 150 + y) * 4 + plane - 1) * 4); };
  EXPECT_EQ(planes.substr(entryAt(1, 0, 1), 4), std::string("\x05\x00\x00\x00", 4));
  EXPECT_EQ(planes.substr(entryAt(199, 149, 4), 4), std::string("\xF9\xFF\xFF\xFF", 4));
  EXPECT_EQ(planes.substr(entryAt(2, 3, 3), 4), std::string("\xFF\xFF\xFF\x7F", 4));
  EXPECT_EQ(planes.substr(entryAt(2, 3, 2), 4), std::string(4, '\xFF'));
}

TEST(MatrixFile, PaddingIsWrittenAndReadAsHeld) {
  auto m = NewMatrix();
  m->Cells[5][6].Padding1[0] = 0x11;
  m->Cells[5][6].Padding2[1] = 0x22;
  const std::string cells = TMatrixFile::EncodeCells(*m);
  const size_t at = (5 * 150 + 6) * 12;
  EXPECT_EQ(Byte(cells, at + 1), 0x11);
  EXPECT_EQ(Byte(cells, at + 11), 0x22);
  auto back = NewMatrix();
  TMatrixFile::DecodeCells(cells, *back, nullptr);
  EXPECT_EQ(back->Cells[5][6].Padding1[0], 0x11);
  EXPECT_EQ(back->Cells[5][6].Padding2[1], 0x22);
}

TEST(MatrixFile, SaveAndLoadRoundTrip) {
  TTempFolder dir;
  const auto level = SampleLevel();
  level->SaveToFile(dir.Path("round.mtf"));
  auto loaded = NewMatrix();
  ASSERT_TRUE(loaded->LoadFromFile(dir.Path("round.mtf"), nullptr, nullptr));
  EXPECT_TRUE(testing::SameLevel(*level, *loaded));
}

TEST(MatrixFile, LoadKeepsTheOrigin) {
  TTempFolder dir;
  SampleLevel()->SaveToFile(dir.Path("a.mtf"));
  auto m = NewMatrix();
  m->SetOrigin(7, 8);
  ASSERT_TRUE(m->LoadFromFile(dir.Path("a.mtf"), nullptr, nullptr));
  EXPECT_EQ(m->GetOriginX(), 7);
  EXPECT_EQ(m->GetOriginY(), 8);
}

TEST(MatrixFile, BackPlaneFileNameRule) {
  EXPECT_EQ(TMatrixFile::BackPlaneFileName("/levels/level1.mtf"), "/levels/level1mtb");
  EXPECT_EQ(TMatrixFile::BackPlaneFileName("/levels/level1"), "/levels/level1mtb");
  EXPECT_EQ(TMatrixFile::BackPlaneFileName("/lev.els/level1"), "/lev.els/level1mtb");
  EXPECT_EQ(TMatrixFile::BackPlaneFileName("/levels/a.b.mtf"), "/levels/a.bmtb");
  EXPECT_EQ(TMatrixFile::BackPlaneFileName("level."), "levelmtb");
  EXPECT_EQ(TMatrixFile::BackPlaneFileName(".mtf"), "mtb");
  EXPECT_EQ(TMatrixFile::BackPlaneFileName(""), "mtb");
  EXPECT_EQ(TMatrixFile::BackPlaneFileName("D:\\Levels\\level1.mtf"), "D:\\Levels\\level1mtb");
  EXPECT_EQ(TMatrixFile::BackPlaneFileName("D:\\Levels\\level1"), "D:\\Levels\\level1mtb");
  EXPECT_EQ(TMatrixFile::BackPlaneFileName("D:level1"), "D:level1mtb");
  EXPECT_EQ(TMatrixFile::BackPlaneFileName("D:\\Lev.els\\level1"), "D:\\Lev.els\\level1mtb");
}

TEST(MatrixFile, SaveReplacesBothFilesOfAnExistingPair) {
  TTempFolder dir;
  const std::string path = dir.Path("over.mtf");
  WriteFile(path, "old matrix");
  WriteFile(dir.Path("overmtb"), "old planes");
  SampleLevel()->SaveToFile(path);
  EXPECT_EQ(ReadFile(path).size(), 360000u);
  EXPECT_EQ(ReadFile(dir.Path("overmtb")).size(), 480000u);
}

// Lets a file grow no larger than `limit` bytes while it lives, as a full
// disk would; writing past it fails instead of killing the process.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t limit) {
    oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit lowered = old_;
    lowered.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~TFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  sighandler_t oldHandler_;
};

TEST(MatrixFile, SaveFailingHalfWayLeavesTheOldPair) {
  TTempFolder dir;
  const std::string path = dir.Path("pair.mtf");
  WriteFile(path, "old matrix");
  WriteFile(dir.Path("pairmtb"), "old planes");
  {
    // The 360,000-byte matrix file fits; the 480,000-byte back-plane file does not.
    TFileSizeLimit limit(400000);
    EXPECT_THROW(SampleLevel()->SaveToFile(path), EKestriloError);
  }
  EXPECT_EQ(ReadFile(path), "old matrix");
  EXPECT_EQ(ReadFile(dir.Path("pairmtb")), "old planes");
  // No temporary file is left behind.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path(""))) ++files;
  EXPECT_EQ(files, 2);
}

TEST(MatrixFile, SaveRefusesAFolderWhereTheBackPlaneFileGoes) {
  TTempFolder dir;
  const std::string path = dir.Path("dir.mtf");
  WriteFile(path, "old matrix");
  std::filesystem::create_directory(dir.Path("dirmtb"));
  try {
    SampleLevel()->SaveToFile(path);
    FAIL() << "expected EFCreateError";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + dir.Path("dirmtb"));
  }
  EXPECT_EQ(ReadFile(path), "old matrix");
}

TEST(MatrixFile, MissingMatrixFileIsReportedAndChangesNothing) {
  TTempFolder dir;
  auto m = SampleLevel();
  TRecordingBar main, planes;
  const TLoadOutcome read = m->LoadFromFile(dir.Path("none.mtf"), &main, &planes);
  EXPECT_FALSE(read);
  EXPECT_EQ(read.Message, "Нет файла с таким именем! " + dir.Path("none.mtf"));
  EXPECT_TRUE(testing::SameLevel(*m, *SampleLevel()));
  EXPECT_TRUE(main.Positions.empty());
  EXPECT_TRUE(planes.Positions.empty());
}

TEST(MatrixFile, MissingBackPlaneFileLeavesTheMatrixUnchanged) {
  TTempFolder dir;
  NewMatrix()->SaveToFile(dir.Path("half.mtf"));
  std::filesystem::remove(dir.Path("halfmtb"));
  auto m = SampleLevel();
  try {
    m->LoadFromFile(dir.Path("half.mtf"), nullptr, nullptr);
    FAIL() << "expected EFOpenError";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + dir.Path("halfmtb") + ": No such file or directory");
  }
  EXPECT_TRUE(testing::SameLevel(*m, *SampleLevel()));
}

TEST(MatrixFile, ShortFilesLeaveTheMatrixUnchanged) {
  TTempFolder dir;
  const std::string path = dir.Path("short.mtf");
  const std::string cells = TMatrixFile::EncodeCells(*NewMatrix());
  const std::string planes = TMatrixFile::EncodeBackPlanes(*NewMatrix());
  for (int which = 0; which < 2; ++which) {
    WriteFile(path, which == 0 ? cells.substr(0, 359999) : cells);
    WriteFile(dir.Path("shortmtb"), which == 1 ? planes.substr(0, 479999) : planes);
    auto m = SampleLevel();
    TRecordingBar main;
    try {
      m->LoadFromFile(path, &main, nullptr);
      FAIL() << "expected EReadError";
    } catch (const EReadError& e) {
      EXPECT_EQ(std::string(e.what()),
                which == 0 ? "Stream read error: " + path + ": truncated: 359999 of 360000 bytes"
                           : "Stream read error: " + dir.Path("shortmtb") + ": truncated: 479999 of 480000 bytes");
    }
    EXPECT_TRUE(testing::SameLevel(*m, *SampleLevel())) << which;
    EXPECT_TRUE(main.Positions.empty());
  }
  // An empty matrix file is short too.
  WriteFile(path, "");
  auto m = SampleLevel();
  EXPECT_THROW(m->LoadFromFile(path, nullptr, nullptr), EReadError);
  EXPECT_TRUE(testing::SameLevel(*m, *SampleLevel()));
}

TEST(MatrixFile, LongerFilesAreAcceptedAndTheRestIgnored) {
  TTempFolder dir;
  const auto level = SampleLevel();
  WriteFile(dir.Path("long.mtf"), TMatrixFile::EncodeCells(*level) + std::string(100, '\x01'));
  WriteFile(dir.Path("longmtb"), TMatrixFile::EncodeBackPlanes(*level) + "tail");
  auto m = NewMatrix();
  ASSERT_TRUE(m->LoadFromFile(dir.Path("long.mtf"), nullptr, nullptr));
  EXPECT_TRUE(testing::SameLevel(*m, *level));
}

TEST(MatrixFile, AFolderIsNotAMatrixFile) {
  TTempFolder dir;
  std::filesystem::create_directory(dir.Path("folder.mtf"));
  const TLoadOutcome read = NewMatrix()->LoadFromFile(dir.Path("folder.mtf"), nullptr, nullptr);
  EXPECT_FALSE(read);
  EXPECT_EQ(read.Message, "Нет файла с таким именем! " + dir.Path("folder.mtf") + ": Is a directory");
}

TEST(MatrixFile, ProgressBarsMoveAsRecordsAreRead) {
  TTempFolder dir;
  SampleLevel()->SaveToFile(dir.Path("bars.mtf"));
  TRecordingBar main, planes;
  auto m = NewMatrix();
  ASSERT_TRUE(m->LoadFromFile(dir.Path("bars.mtf"), &main, &planes));
  // n div 300 for n = 1..30,000: every value 0..100 once, in order.
  ASSERT_EQ(main.Positions.size(), 101u);
  for (int32_t i = 0; i <= 100; ++i) EXPECT_EQ(main.Positions[i], i);
  // m div 1186 for m = 1..120,000: 0..101 (the bar shows 101 as full).
  ASSERT_EQ(planes.Positions.size(), 102u);
  for (int32_t i = 0; i <= 101; ++i) EXPECT_EQ(planes.Positions[i], i);
}

}  // namespace
}  // namespace kestrilo
