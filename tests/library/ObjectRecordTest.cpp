// Byte layout of the 48-byte object record.
#include <gtest/gtest.h>

#include <cstring>

#include "library/ObjectRecord.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"

namespace kestrilo {
namespace {

uint8_t ByteAt(const std::string& bytes, size_t at) { return static_cast<uint8_t>(bytes.at(at)); }

TObjectRecord SampleRecord() {
  TObjectRecord r;
  r.ObjType = otDoor;
  r.Number = 0x01020304;
  r.Name = W1251("Дверь");
  r.LiftHeight = -5;
  r.KeyCode = 200;
  r.Health = -128;
  r.ConstantEffect = true;
  r.WeaponValue = 244;
  r.Animated = true;
  r.AnimSpeed = 0.1;
  return r;
}

TEST(ObjectRecordLayout, EveryFieldAtItsOffset) {
  const std::string bytes = SampleRecord().ToBytes();
  ASSERT_EQ(bytes.size(), 48u);
  EXPECT_EQ(ByteAt(bytes, 0), 3);
  EXPECT_EQ(ByteAt(bytes, 1), 0);
  EXPECT_EQ(ByteAt(bytes, 2), 0);
  EXPECT_EQ(ByteAt(bytes, 3), 0);
  EXPECT_EQ(ByteAt(bytes, 4), 0x04);  // little-endian number
  EXPECT_EQ(ByteAt(bytes, 5), 0x03);
  EXPECT_EQ(ByteAt(bytes, 6), 0x02);
  EXPECT_EQ(ByteAt(bytes, 7), 0x01);
  EXPECT_EQ(ByteAt(bytes, 8), 5);  // name length
  EXPECT_EQ(bytes.substr(9, 5), W1251("Дверь"));
  EXPECT_EQ(ByteAt(bytes, 9), 0xC4);  // 'Д' in Windows-1251
  for (size_t i = 14; i < 34; ++i) EXPECT_EQ(ByteAt(bytes, i), 0) << "name byte " << i;
  EXPECT_EQ(ByteAt(bytes, 34), 0xFB);  // -5
  EXPECT_EQ(ByteAt(bytes, 35), 200);
  EXPECT_EQ(ByteAt(bytes, 36), 0x80);  // -128
  EXPECT_EQ(ByteAt(bytes, 37), 1);
  EXPECT_EQ(ByteAt(bytes, 38), 244);
  EXPECT_EQ(ByteAt(bytes, 39), 1);
  double speed = 0;
  std::memcpy(&speed, bytes.data() + 40, 8);
  EXPECT_EQ(speed, 0.1);
  EXPECT_EQ(ByteAt(bytes, 40), 0x9A);  // 0.1 = 0x3FB999999999999A, low byte first
  EXPECT_EQ(ByteAt(bytes, 47), 0x3F);
}

TEST(ObjectRecordLayout, ReadsBackWhatItWrites) {
  const TObjectRecord r = SampleRecord();
  EXPECT_EQ(TObjectRecord::FromBytes(r.ToBytes()), r);
}

TEST(ObjectRecordLayout, IgnoresPaddingAndBytesPastTheName) {
  std::string bytes = SampleRecord().ToBytes();
  bytes[1] = 'x';
  bytes[3] = 'y';
  bytes[20] = 'z';
  EXPECT_EQ(TObjectRecord::FromBytes(bytes), SampleRecord());
}

TEST(ObjectRecordLayout, NameLengthBeyondTheFieldIsClamped) {
  std::string bytes = SampleRecord().ToBytes();
  bytes[8] = static_cast<char>(255);
  for (size_t i = 9; i < 34; ++i) bytes[i] = 'a';
  const TObjectRecord r = TObjectRecord::FromBytes(bytes);
  EXPECT_EQ(r.Name, std::string(25, 'a'));
  // The fields after the name are still read from their own offsets.
  EXPECT_EQ(r.LiftHeight, -5);
  EXPECT_EQ(r.KeyCode, 200);
}

TEST(ObjectRecordLayout, LongNameIsWrittenAsItsFirst25Bytes) {
  TObjectRecord r;
  r.Name = std::string(30, 'b');
  const std::string bytes = r.ToBytes();
  ASSERT_EQ(bytes.size(), 48u);
  EXPECT_EQ(ByteAt(bytes, 8), 25);
  EXPECT_EQ(TObjectRecord::FromBytes(bytes).Name, std::string(25, 'b'));
}

TEST(ObjectRecordLayout, AnyNonZeroByteIsTrue) {
  std::string bytes = TObjectRecord().ToBytes();
  bytes[37] = 2;
  bytes[39] = static_cast<char>(0xFF);
  const TObjectRecord r = TObjectRecord::FromBytes(bytes);
  EXPECT_TRUE(r.ConstantEffect);
  EXPECT_TRUE(r.Animated);
}

TEST(ObjectRecordLayout, ShortInputIsAReadError) {
  const std::string bytes = SampleRecord().ToBytes().substr(0, 47);
  try {
    TObjectRecord::FromBytes(bytes);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
}

TEST(ObjectRecordLayout, ReadingConsumesExactlyOneRecord) {
  TByteWriter w;
  TObjectRecord a = SampleRecord();
  TObjectRecord b;
  b.Number = 7;
  b.Name = "B";
  a.WriteTo(w);
  b.WriteTo(w);
  TByteReader reader(w.Data());
  EXPECT_EQ(TObjectRecord::ReadFrom(reader), a);
  EXPECT_EQ(reader.Position(), 48u);
  EXPECT_EQ(TObjectRecord::ReadFrom(reader), b);
  EXPECT_TRUE(reader.AtEnd());
}

TEST(ObjectRecordLayout, EmptyRecord) {
  const TObjectRecord e = MakeEmptyObjectRecord();
  EXPECT_EQ(e.ObjType, 255);
  EXPECT_EQ(e.Number, -1);
  EXPECT_EQ(cp1251::ToUtf8(e.Name), "пустая");
  EXPECT_EQ(e.LiftHeight, 0);
  EXPECT_EQ(e.Health, 0);
  EXPECT_FALSE(e.Animated);
  EXPECT_EQ(e.AnimSpeed, 0.0);
}

}  // namespace
}  // namespace kestrilo
