// The object record: one entry of the object library, 48 bytes, the same in
// memory and in the objects file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrilo {

class TByteReader;
class TByteWriter;

// Object type codes. The index of the main window's type list is the code.
enum TObjectType : uint8_t {
  otWall = 0,
  otLift = 1,
  otKey = 2,
  otDoor = 3,
  otBackground = 4,
  otMonster = 5,
  otMedKit = 6,
  otAmmo = 7,
  otTrap = 8,
  otPlayer = 9,
  otDynamic = 10,
  otEmpty = 255,
};

// Byte layout (little-endian):
//   0 ObjType u8 | 1..3 padding | 4 Number i32 | 8 name length u8 | 9..33 name
//   34 LiftHeight i8 | 35 KeyCode u8 | 36 Health i8 | 37 ConstantEffect bool
//   38 WeaponValue u8 | 39 Animated bool | 40 AnimSpeed f64
struct TObjectRecord {
  static constexpr size_t kSize = 48;
  static constexpr size_t kMaxNameLength = 25;

  uint8_t ObjType = otWall;  // a TObjectType code as the file stores it
  int32_t Number = 0;
  std::string Name;  // Windows-1251 bytes; only the first 25 are stored
  int8_t LiftHeight = 0;
  uint8_t KeyCode = 0;
  int8_t Health = 0;
  bool ConstantEffect = false;
  uint8_t WeaponValue = 0;
  bool Animated = false;
  double AnimSpeed = 0.0;

  // The stored type byte as a type code, for switches over the types; a byte
  // that names no type falls to their default.
  TObjectType Type() const { return static_cast<TObjectType>(ObjType); }

  // Reads one record from the next 48 bytes ("Stream read error" when fewer are
  // left). A name length above 25 is taken as 25 so no byte past the name field is read.
  static TObjectRecord ReadFrom(TByteReader& reader);
  // Exactly 48 bytes; padding and unused name bytes are written as zeros.
  void WriteTo(TByteWriter& writer) const;

  static TObjectRecord FromBytes(std::string_view bytes);
  std::string ToBytes() const;

  bool operator==(const TObjectRecord&) const = default;
};

// The empty record: type 255, number -1, name "пустая", everything else 0.
TObjectRecord MakeEmptyObjectRecord();

}  // namespace kestrilo
