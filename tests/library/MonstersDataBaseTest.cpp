// The 184-byte monster record and the monster database.
#include <gtest/gtest.h>

#include <cstring>

#include "LibraryDbTestSupport.h"
#include "library/MonsterRecord.h"
#include "library/MonstersDataBase.h"
#include "platform/Cp1251.h"

namespace kestrilo {
namespace {

using testing::TScratchFolder;
using testing::WriteBytes;

void PutU16(std::string& bytes, size_t at, uint16_t v) {
  bytes[at] = static_cast<char>(v & 0xFF);
  bytes[at + 1] = static_cast<char>(v >> 8);
}

void PutString(std::string& bytes, size_t at, const std::string& s) {
  bytes[at] = static_cast<char>(s.size());
  std::memcpy(bytes.data() + at + 1, s.data(), s.size());
}

// A record image built by hand from the table of offsets, with every
// meaningless byte set to 0xEE so that a reader looking in the wrong place shows.
std::string HandMadeMonster(const std::string& name) {
  std::string b(184, static_cast<char>(0xEE));
  b[3] = 1;
  b[4] = 2;
  b[5] = 1;
  PutU16(b, 6, 0x0A0B);
  b[40] = 1;
  PutU16(b, 42, 10);
  PutU16(b, 44, 20);
  PutU16(b, 50, 3);
  PutU16(b, 52, 7);
  PutU16(b, 54, 99);
  PutU16(b, 56, 0x1234);
  PutString(b, 58, name);
  PutString(b, 79, W1251("Сопля"));
  const double speed = 12.5;
  std::memcpy(b.data() + 112, &speed, 8);
  for (int i = 0; i < 8; ++i) {
    PutU16(b, 122 + 4 * i, static_cast<uint16_t>(i * 10));
    PutU16(b, 124 + 4 * i, static_cast<uint16_t>(i * 10 + 3));
  }
  return b;
}

TEST(MonsterRecordLayout, ReadsEveryFieldFromItsOffset) {
  const TMonsterRecord r = TMonsterRecord::FromBytes(HandMadeMonster(W1251("Жук")));
  EXPECT_TRUE(r.CanJump);
  EXPECT_EQ(r.MoveMode, 2);
  EXPECT_TRUE(r.WakeByDistance);
  EXPECT_EQ(r.WakeDistance, 0x0A0B);
  EXPECT_TRUE(r.Hunter);
  EXPECT_EQ(r.HealthMin, 10);
  EXPECT_EQ(r.HealthMax, 20);
  EXPECT_EQ(r.DamageMin, 3);
  EXPECT_EQ(r.DamageMax, 7);
  EXPECT_EQ(r.ShotDelay, 99);
  EXPECT_EQ(r.WalkSpeed, 0x1234);
  EXPECT_EQ(cp1251::ToUtf8(r.Name), "Жук");
  EXPECT_EQ(cp1251::ToUtf8(r.ShotPicture), "Сопля");
  EXPECT_EQ(r.AnimSpeed, 12.5);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(r.FrameRanges[i].First, i * 10) << "state " << i + 1;
    EXPECT_EQ(r.FrameRanges[i].Last, i * 10 + 3) << "state " << i + 1;
  }
}

TEST(MonsterRecordLayout, WritesEveryFieldAtItsOffsetAndZerosElsewhere) {
  const std::string original = HandMadeMonster("Bug");
  const std::string written = TMonsterRecord::FromBytes(original).ToBytes();
  ASSERT_EQ(written.size(), 184u);
  // Meaningful bytes come back as they were.
  for (size_t at : {3u,  4u,  5u,  6u,  7u,  40u, 42u, 43u, 44u,  45u,  50u,  53u,
                    54u, 56u, 57u, 58u, 59u, 61u, 79u, 80u, 112u, 119u, 122u, 153u}) {
    EXPECT_EQ(written[at], original[at]) << "offset " << at;
  }
  // Meaningless bytes (and string bytes past a length) are zeros.
  for (size_t at : {0u, 1u, 2u, 8u, 39u, 41u, 46u, 49u, 62u, 78u, 86u, 111u, 120u, 121u, 154u, 183u}) {
    EXPECT_EQ(written[at], 0) << "offset " << at;
  }
}

TEST(MonsterRecordLayout, StringLengthsBeyondTheirFieldsAreClamped) {
  std::string b = HandMadeMonster("x");
  b[58] = static_cast<char>(200);
  std::memset(b.data() + 59, 'n', 20);
  b[79] = static_cast<char>(33);
  std::memset(b.data() + 80, 's', 32);
  const TMonsterRecord r = TMonsterRecord::FromBytes(b);
  EXPECT_EQ(r.Name, std::string(20, 'n'));
  EXPECT_EQ(r.ShotPicture, std::string(32, 's'));
  EXPECT_EQ(r.AnimSpeed, 12.5);  // the fields after the strings are untouched
}

TEST(MonsterRecordLayout, LongStringsAreWrittenCut) {
  TMonsterRecord r;
  r.Name = std::string(25, 'n');
  r.ShotPicture = std::string(40, 's');
  const TMonsterRecord back = TMonsterRecord::FromBytes(r.ToBytes());
  EXPECT_EQ(back.Name, std::string(20, 'n'));
  EXPECT_EQ(back.ShotPicture, std::string(32, 's'));
}

TEST(MonsterRecordLayout, ShortInputIsAReadError) {
  EXPECT_THROW(TMonsterRecord::FromBytes(std::string(183, '\0')), EReadError);
}

class MonstersDataBaseTest : public ::testing::Test {
 protected:
  std::string WriteMonsterFile(const std::string& fileName, const std::string& bytes) {
    const std::string path = folder.Path(fileName);
    WriteBytes(path, bytes);
    return path;
  }
  TScratchFolder folder;
  TMonstersDataBase db;
};

TEST_F(MonstersDataBaseTest, FileOf368BytesGivesTwoRecords) {
  db.LoadFromFile(WriteMonsterFile("1.mon", HandMadeMonster("A") + HandMadeMonster("B")));
  ASSERT_EQ(db.Count(), 2);
  EXPECT_EQ(db.GetRecord(0).Name, "A");
  EXPECT_EQ(db.GetRecord(1).Name, "B");
}

TEST_F(MonstersDataBaseTest, TrailingPartShorterThanARecordIsIgnored) {
  const std::string bytes = HandMadeMonster("A") + HandMadeMonster("B") + std::string(32, 'x');
  ASSERT_EQ(bytes.size(), 400u);
  db.LoadFromFile(WriteMonsterFile("1.mon", bytes));
  EXPECT_EQ(db.Count(), 2);
}

TEST_F(MonstersDataBaseTest, MissingFileChangesNothingAndSaysNothing) {
  db.LoadFromFile(folder.Path("absent.mon"));
  EXPECT_EQ(db.Count(), 0);
  db.LoadFromFile(WriteMonsterFile("1.mon", HandMadeMonster("A")));
  db.LoadFromFile(folder.Path("absent.mon"));
  ASSERT_EQ(db.Count(), 1);
  EXPECT_EQ(db.GetRecord(0).Name, "A");
}

TEST_F(MonstersDataBaseTest, EachLoadReplacesTheTable) {
  db.LoadFromFile(WriteMonsterFile("a.mon", HandMadeMonster("A") + HandMadeMonster("B")));
  db.LoadFromFile(WriteMonsterFile("b.mon", HandMadeMonster("C")));
  ASSERT_EQ(db.Count(), 1);
  EXPECT_EQ(db.GetRecord(0).Name, "C");
  db.LoadFromFile(WriteMonsterFile("empty.mon", ""));
  EXPECT_EQ(db.Count(), 0);
}

TEST_F(MonstersDataBaseTest, IndexOfNameIsExactAndFallsBackToTheFirst) {
  db.LoadFromFile(WriteMonsterFile(
      "1.mon", HandMadeMonster(W1251("Жук")) + HandMadeMonster(W1251("Паук")) + HandMadeMonster(W1251("Паук"))));
  EXPECT_EQ(db.IndexOfName(W1251("Паук")), 1);  // only the second and third have it; the first of them wins
  EXPECT_EQ(db.IndexOfName(W1251("Жук")), 0);
  EXPECT_EQ(db.IndexOfName(W1251("Слон")), 0);
  EXPECT_EQ(db.IndexOfName(W1251("паук")), 0);  // letter case matters
  EXPECT_EQ(db.IndexOfName(W1251("ПАУК")), 0);
  EXPECT_EQ(db.IndexOfName(""), 0);
}

TEST_F(MonstersDataBaseTest, GetRecordOutsideTheTableIsAListError) {
  try {
    db.GetRecord(0);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (0)");
  }
  db.LoadFromFile(WriteMonsterFile("1.mon", HandMadeMonster("A")));
  EXPECT_THROW(db.GetRecord(1), EListError);
  EXPECT_THROW(db.GetRecord(-1), EListError);
}

}  // namespace
}  // namespace kestrilo
