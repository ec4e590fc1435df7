#include "library/MonsterRecord.h"

#include <algorithm>

#include "platform/BinaryIO.h"

namespace kestrilo {

namespace {

// Offsets of the fields inside the record.
constexpr size_t kCanJumpAt = 3;
constexpr size_t kMoveModeAt = 4;
constexpr size_t kWakeByDistanceAt = 5;
constexpr size_t kWakeDistanceAt = 6;
constexpr size_t kHunterAt = 40;
constexpr size_t kHealthMinAt = 42;
constexpr size_t kHealthMaxAt = 44;
constexpr size_t kDamageMinAt = 50;
constexpr size_t kDamageMaxAt = 52;
constexpr size_t kShotDelayAt = 54;
constexpr size_t kWalkSpeedAt = 56;
constexpr size_t kNameAt = 58;
constexpr size_t kShotPictureAt = 79;
constexpr size_t kAnimSpeedAt = 112;
constexpr size_t kFrameRangesAt = 122;

// A length-prefixed string field of `maxLength` characters; a length byte
// beyond the field is clamped so nothing outside the field is taken.
std::string ReadShortString(TByteReader& record, size_t at, size_t maxLength) {
  record.Seek(at);
  const size_t length = std::min<size_t>(record.U8(), maxLength);
  return std::string(record.Bytes(length));
}

void PutShortString(std::string& bytes, size_t at, const std::string& text, size_t maxLength) {
  const size_t length = std::min(text.size(), maxLength);
  bytes[at] = static_cast<char>(length);
  std::copy_n(text.begin(), length, bytes.begin() + static_cast<std::ptrdiff_t>(at + 1));
}

template <typename Put>
void PutAt(std::string& bytes, size_t at, Put&& put) {
  TByteWriter w;
  put(w);
  std::copy(w.Data().begin(), w.Data().end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

TMonsterRecord TMonsterRecord::ReadFrom(TByteReader& reader) {
  TByteReader record(reader.Bytes(kSize));
  TMonsterRecord r;
  record.Seek(kCanJumpAt);
  r.CanJump = record.U8() != 0;
  r.MoveMode = record.U8();
  r.WakeByDistance = record.U8() != 0;
  r.WakeDistance = record.U16();
  record.Seek(kHunterAt);
  r.Hunter = record.U8() != 0;
  record.Seek(kHealthMinAt);
  r.HealthMin = record.U16();
  r.HealthMax = record.U16();
  record.Seek(kDamageMinAt);
  r.DamageMin = record.U16();
  r.DamageMax = record.U16();
  r.ShotDelay = record.U16();
  r.WalkSpeed = record.U16();
  r.Name = ReadShortString(record, kNameAt, kMaxNameLength);
  r.ShotPicture = ReadShortString(record, kShotPictureAt, kMaxShotPictureLength);
  record.Seek(kAnimSpeedAt);
  r.AnimSpeed = record.F64();
  record.Seek(kFrameRangesAt);
  for (TMonsterFrameRange& range : r.FrameRanges) {
    range.First = record.U16();
    range.Last = record.U16();
  }
  return r;
}

void TMonsterRecord::WriteTo(TByteWriter& writer) const {
  std::string bytes(kSize, '\0');
  WriteOver(bytes);
  writer.Bytes(bytes);
}

void TMonsterRecord::WriteOver(std::string& bytes) const {
  if (bytes.size() != kSize) throw EWriteError("Stream write error");
  const auto putFlag = [&](size_t at, bool value) {
    if ((bytes[at] != 0) != value) bytes[at] = value ? 1 : 0;
  };
  const auto putString = [&](size_t at, const std::string& text, size_t maxLength) {
    TByteReader stored(bytes);
    if (ReadShortString(stored, at, maxLength) != text.substr(0, maxLength)) PutShortString(bytes, at, text, maxLength);
  };
  putFlag(kCanJumpAt, CanJump);
  bytes[kMoveModeAt] = static_cast<char>(MoveMode);
  putFlag(kWakeByDistanceAt, WakeByDistance);
  PutAt(bytes, kWakeDistanceAt, [&](TByteWriter& w) { w.U16(WakeDistance); });
  putFlag(kHunterAt, Hunter);
  PutAt(bytes, kHealthMinAt, [&](TByteWriter& w) {
    w.U16(HealthMin);
    w.U16(HealthMax);
  });
  PutAt(bytes, kDamageMinAt, [&](TByteWriter& w) {
    w.U16(DamageMin);
    w.U16(DamageMax);
    w.U16(ShotDelay);
    w.U16(WalkSpeed);
  });
  putString(kNameAt, Name, kMaxNameLength);
  putString(kShotPictureAt, ShotPicture, kMaxShotPictureLength);
  PutAt(bytes, kAnimSpeedAt, [&](TByteWriter& w) { w.F64(AnimSpeed); });
  PutAt(bytes, kFrameRangesAt, [&](TByteWriter& w) {
    for (const TMonsterFrameRange& range : FrameRanges) {
      w.U16(range.First);
      w.U16(range.Last);
    }
  });
}

TMonsterRecord TMonsterRecord::FromBytes(std::string_view bytes) {
  TByteReader reader(bytes);
  return ReadFrom(reader);
}

std::string TMonsterRecord::ToBytes() const {
  TByteWriter writer;
  WriteTo(writer);
  return std::move(writer.Data());
}

}  // namespace kestrilo
