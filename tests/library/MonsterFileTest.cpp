// The monster file as the monster editor keeps it: records with the bytes they
// were read from, written back byte for byte, and the list's changes.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <utility>

#include "library/MonsterFile.h"
#include "library/MonstersDataBase.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"
#include "tests/library/LibraryDbTestSupport.h"
#include "tests/support/FailingFileSystem.h"

namespace kestrilo {
namespace {

using testing::TScratchFolder;
using testing::WriteBytes;

// Any bytes at all: flags stored as 2 or 255, name lengths beyond the field,
// NaN speeds, and noise in every byte without meaning.
std::string NoiseRecords(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::string bytes(count * TMonsterRecord::kSize, '\0');
  for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
  return bytes;
}

// The byte positions where two equally long byte strings differ.
std::vector<size_t> Differences(const std::string& a, const std::string& b) {
  std::vector<size_t> at;
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) at.push_back(i);
  return at;
}

TEST(MonsterFileTest, EveryByteComesBackAsReadWhateverTheRecordsHold) {
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    const std::string bytes = NoiseRecords(3, seed);
    const TMonsterFile file = TMonsterFile::FromBytes(bytes);
    ASSERT_EQ(file.Count(), 3);
    ASSERT_EQ(file.ToBytes(), bytes) << "seed " << seed;
  }
}

TEST(MonsterFileTest, AChangedFieldRewritesOnlyItsOwnBytes) {
  const std::string bytes = NoiseRecords(2, 7);
  TMonsterFile file = TMonsterFile::FromBytes(bytes);

  TMonsterRecord second = file.Record(1);
  second.WalkSpeed = static_cast<uint16_t>(second.WalkSpeed + 1);
  file.SetRecord(1, second);
  for (size_t at : Differences(file.ToBytes(), bytes)) {
    EXPECT_GE(at, TMonsterRecord::kSize + 56);
    EXPECT_LE(at, TMonsterRecord::kSize + 57);
  }
  EXPECT_EQ(TMonsterFile::FromBytes(file.ToBytes()).Record(1).WalkSpeed, second.WalkSpeed);

  // A new name takes its length byte and its characters; the rest of the
  // 20-character field and every other byte stay as read.
  TMonsterRecord first = file.Record(0);
  first.Name = W1251("Жук");
  first.CanJump = !first.CanJump;
  file.SetRecord(0, first);
  const std::string written = file.ToBytes();
  for (size_t at : Differences(written.substr(0, TMonsterRecord::kSize), bytes.substr(0, TMonsterRecord::kSize)))
    EXPECT_TRUE(at == 3 || (at >= 58 && at <= 61)) << at;
  EXPECT_EQ(written[58], 3);
  EXPECT_EQ(written.substr(59, 3), W1251("Жук"));
  EXPECT_EQ(TMonsterFile::FromBytes(written).Record(0).Name, first.Name);
  EXPECT_EQ(TMonsterFile::FromBytes(written).Record(0).CanJump, first.CanJump);
}

TEST(MonsterFileTest, NewRecordsHaveZerosWhereNothingIsMeant) {
  TMonsterRecord record;
  record.Name = "A";
  record.HealthMax = 9;
  TMonsterFile file;
  EXPECT_EQ(file.Add(record), 0);
  EXPECT_EQ(file.ToBytes(), record.ToBytes());
  EXPECT_EQ(file.ToBytes().size(), TMonsterRecord::kSize);
}

TEST(MonsterFileTest, ATrailingPartIsNoRecordAndIsNotWrittenBack) {
  const std::string bytes = NoiseRecords(2, 3);
  const TMonsterFile file = TMonsterFile::FromBytes(bytes + std::string(32, 'x'));
  EXPECT_EQ(file.Count(), 2);
  EXPECT_EQ(file.ToBytes(), bytes);
  EXPECT_EQ(TMonsterFile::FromBytes(std::string(183, '\0')).Count(), 0);
}

TEST(MonsterFileTest, AddDuplicateDeleteAndMoveKeepEachRecordsOwnBytes) {
  const std::string bytes = NoiseRecords(3, 11);
  const auto recordBytes = [&](int i) {
    return bytes.substr(static_cast<size_t>(i) * TMonsterRecord::kSize, TMonsterRecord::kSize);
  };
  TMonsterFile file = TMonsterFile::FromBytes(bytes);

  EXPECT_EQ(file.Duplicate(0), 1);  // the copy follows its original
  ASSERT_EQ(file.Count(), 4);
  EXPECT_EQ(file.ToBytes(), recordBytes(0) + recordBytes(0) + recordBytes(1) + recordBytes(2));

  file.Move(0, 3);  // first to last
  EXPECT_EQ(file.ToBytes(), recordBytes(0) + recordBytes(1) + recordBytes(2) + recordBytes(0));
  file.Move(2, 1);  // one up
  EXPECT_EQ(file.ToBytes(), recordBytes(0) + recordBytes(2) + recordBytes(1) + recordBytes(0));

  const TMonsterFileEntry removed = file.Remove(1);
  EXPECT_EQ(removed.ToBytes(), recordBytes(2));
  EXPECT_EQ(file.ToBytes(), recordBytes(0) + recordBytes(1) + recordBytes(0));
  file.Insert(3, removed);  // at the end
  EXPECT_EQ(file.ToBytes(), recordBytes(0) + recordBytes(1) + recordBytes(0) + recordBytes(2));

  TMonsterRecord added;
  added.Name = "New";
  EXPECT_EQ(file.Add(added), 4);
  EXPECT_EQ(file.Record(4).Name, "New");
}

TEST(MonsterFileTest, IndicesOutsideTheListAreRefusedAndChangeNothing) {
  TMonsterFile file = TMonsterFile::FromBytes(NoiseRecords(2, 5));
  const std::string before = file.ToBytes();
  EXPECT_THROW(file.Entry(2), EListError);
  EXPECT_THROW(file.Entry(-1), EListError);
  EXPECT_THROW(file.SetRecord(2, TMonsterRecord{}), EListError);
  EXPECT_THROW(file.Duplicate(2), EListError);
  EXPECT_THROW(file.Remove(2), EListError);
  EXPECT_THROW(file.Move(0, 2), EListError);
  EXPECT_THROW(file.Move(-1, 0), EListError);
  EXPECT_THROW(file.Insert(3, TMonsterFileEntry{}), EListError);
  try {
    file.Remove(5);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (5)");
  }
  EXPECT_EQ(file.ToBytes(), before);
}

TEST(MonsterFileTest, TheRecordAMonsterTakesIsTheFirstWithItsNameOrElseTheFirst) {
  TMonsterFile file;
  EXPECT_EQ(file.RecordUsedFor("A"), -1);
  TMonsterRecord a, b;
  a.Name = "A";
  b.Name = "B";
  file.Add(a);
  file.Add(b);
  file.Add(b);
  EXPECT_EQ(file.FindName("B"), 1);
  EXPECT_EQ(file.RecordUsedFor("B"), 1);
  EXPECT_EQ(file.FindName("b"), -1);  // letter case counts
  EXPECT_EQ(file.RecordUsedFor("b"), 0);
}

TEST(MonsterFileTest, SavingReplacesTheFileWholeOrNotAtAll) {
  TScratchFolder folder;
  const std::string path = folder.Path("1.mon");
  EXPECT_EQ(TMonsterFile::Load(path).Count(), 0);  // a missing file is an empty list

  const std::string bytes = NoiseRecords(2, 9);
  WriteBytes(path, bytes);
  TMonsterFile file = TMonsterFile::Load(path);
  file.Remove(0);
  file.Save(path);
  EXPECT_EQ(ReadWholeFile(path), bytes.substr(TMonsterRecord::kSize));

  // A folder that does not exist: the error names the file, nothing is written.
  const std::string elsewhere = folder.Path("missing/1.mon");
  EXPECT_THROW(file.Save(elsewhere), EKestriloError);
  EXPECT_FALSE(FileExists(elsewhere));
  EXPECT_EQ(ReadWholeFile(path), bytes.substr(TMonsterRecord::kSize));
}

// A save killed at each of its calls (that call and every later one fail, as
// if the process had ended there) leaves the old file or the new one, and the
// next load, by the monster editor or by the editor, reads it whole and
// removes the temporary the save left.
TEST(MonsterFileTest, TheNextLoadRemovesTheTemporaryOfASaveKilledAtAnyCall) {
  auto fields = [](const std::vector<TMonsterRecord>& records) {
    std::string bytes;
    for (const TMonsterRecord& record : records) bytes += record.ToBytes();
    return bytes;
  };
  const std::string oldBytes = NoiseRecords(2, 3);
  TMonsterFile changed = TMonsterFile::FromBytes(oldBytes);
  changed.Remove(1);
  const std::string oldFields = fields(TMonsterFile::FromBytes(oldBytes).Records());
  const std::string newFields = fields(changed.Records());
  const std::vector<std::pair<const char*, std::function<std::vector<TMonsterRecord>(const std::string&)>>> loaders = {
      {"the monster editor", [](const std::string& path) { return TMonsterFile::Load(path).Records(); }},
      {"the editor",
       [](const std::string& path) {
         TMonstersDataBase monsters;
         monsters.LoadFromFile(path);
         return monsters.Records;
       }},
  };
  for (const auto& [loader, load] : loaders) {
    bool saved = false;
    for (int k = 1; !saved; ++k) {
      SCOPED_TRACE(std::string(loader) + ", killed at call " + std::to_string(k));
      ASSERT_LT(k, 30);
      testsupport::TSyncFreeFolder folder;
      const std::string path = folder.Path("1.mon");
      WriteBytes(path, oldBytes);
      testsupport::TFailingFileSystem killed;
      killed.FailCall(k, EIO, true);
      try {
        changed.Save(path, killed);
      } catch (const EFCreateError&) {}
      saved = killed.Failures() == 0;
      const std::string seen = fields(load(path));
      EXPECT_TRUE(seen == oldFields || seen == newFields);
      if (saved) {
        EXPECT_TRUE(seen == newFields);
      }
      EXPECT_EQ(testsupport::FolderEntries(folder.Root()), std::vector<std::string>{"1.mon"});
    }
  }
}

}  // namespace
}  // namespace kestrilo
