// The monster record: the behaviour settings of one kind of monster, 184
// bytes, as they lie in the monster file. Bytes not listed carry no meaning.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrilo {

class TByteReader;
class TByteWriter;

// Frames of one animation state; plays downwards when Last < First.
struct TMonsterFrameRange {
  uint16_t First = 0;
  uint16_t Last = 0;
  bool operator==(const TMonsterFrameRange&) const = default;
};

// Byte layout (little-endian):
//   3 CanJump bool | 4 MoveMode u8 | 5 WakeByDistance bool | 6 WakeDistance u16
//   40 Hunter bool | 42 HealthMin u16 | 44 HealthMax u16 | 50 DamageMin u16
//   52 DamageMax u16 | 54 ShotDelay u16 | 56 WalkSpeed u16
//   58 Name (length byte + 20) | 79 ShotPicture (length byte + 32)
//   112 AnimSpeed f64 | 122 FrameRanges 8 x (u16 first, u16 last)
struct TMonsterRecord {
  static constexpr size_t kSize = 184;
  static constexpr size_t kMaxNameLength = 20;
  static constexpr size_t kMaxShotPictureLength = 32;
  static constexpr size_t kStateCount = 8;

  // MoveMode values; every value other than these two walks without falling.
  static constexpr uint8_t mmWalksAndFalls = 0;
  static constexpr uint8_t mmWalksWithoutFalling = 1;
  static constexpr uint8_t mmFliesAndBombs = 2;
  // The delay every monster shoots with in play, whatever its record holds;
  // new records are made with it.
  static constexpr uint16_t kPlayedShotDelay = 30;

  bool CanJump = false;
  uint8_t MoveMode = mmWalksAndFalls;
  bool WakeByDistance = false;
  uint16_t WakeDistance = 0;  // cells
  bool Hunter = false;
  uint16_t HealthMin = 0;
  uint16_t HealthMax = 0;  // exclusive
  uint16_t DamageMin = 0;
  uint16_t DamageMax = 0;  // exclusive
  uint16_t ShotDelay = 0;
  uint16_t WalkSpeed = 0;
  std::string Name;         // Windows-1251 bytes, at most 20 stored
  std::string ShotPicture;  // Windows-1251 bytes, at most 32 stored
  double AnimSpeed = 0.0;
  // State 1 (walking left) first; see the monster's states.
  std::array<TMonsterFrameRange, kStateCount> FrameRanges{};

  // Reads one record from the next 184 bytes ("Stream read error" when fewer
  // are left). Length bytes above a string's maximum are clamped to it.
  static TMonsterRecord ReadFrom(TByteReader& reader);
  // Exactly 184 bytes; bytes without meaning are zeros.
  void WriteTo(TByteWriter& writer) const;
  // Writes the fields into `bytes` (184 of them), leaving every byte without
  // meaning as it is, and also every field's bytes that already read back as
  // the field's value (a boolean stored as 2, the unused rest of a name), so
  // that a record written over the bytes it was read from changes none of them.
  void WriteOver(std::string& bytes) const;

  static TMonsterRecord FromBytes(std::string_view bytes);
  std::string ToBytes() const;

  bool operator==(const TMonsterRecord&) const = default;
};

}  // namespace kestrilo
