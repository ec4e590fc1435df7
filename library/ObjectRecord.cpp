#include "library/ObjectRecord.h"

#include <algorithm>

#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"

namespace kestrilo {

namespace {
constexpr size_t kNameFieldSize = 1 + TObjectRecord::kMaxNameLength;  // length byte + characters
}

TObjectRecord TObjectRecord::ReadFrom(TByteReader& reader) {
  // Take the whole record first so that a damaged length byte can never make
  // the reader run into the next record.
  TByteReader record(reader.Bytes(kSize));
  TObjectRecord r;
  r.ObjType = record.U8();
  record.Bytes(3);  // padding
  r.Number = record.I32();
  const std::string_view nameField = record.Bytes(kNameFieldSize);
  const size_t length = std::min<size_t>(static_cast<uint8_t>(nameField[0]), kMaxNameLength);
  r.Name.assign(nameField.substr(1, length));
  r.LiftHeight = record.I8();
  r.KeyCode = record.U8();
  r.Health = record.I8();
  r.ConstantEffect = record.U8() != 0;
  r.WeaponValue = record.U8();
  r.Animated = record.U8() != 0;
  r.AnimSpeed = record.F64();
  return r;
}

void TObjectRecord::WriteTo(TByteWriter& writer) const {
  writer.U8(ObjType);
  writer.U8(0);
  writer.U8(0);
  writer.U8(0);
  writer.I32(Number);
  const size_t length = std::min(Name.size(), kMaxNameLength);
  writer.U8(static_cast<uint8_t>(length));
  writer.Bytes(std::string_view(Name).substr(0, length));
  writer.Bytes(std::string(kMaxNameLength - length, '\0'));
  writer.I8(LiftHeight);
  writer.U8(KeyCode);
  writer.I8(Health);
  writer.U8(ConstantEffect ? 1 : 0);
  writer.U8(WeaponValue);
  writer.U8(Animated ? 1 : 0);
  writer.F64(AnimSpeed);
}

TObjectRecord TObjectRecord::FromBytes(std::string_view bytes) {
  TByteReader reader(bytes);
  return ReadFrom(reader);
}

std::string TObjectRecord::ToBytes() const {
  TByteWriter writer;
  WriteTo(writer);
  return std::move(writer.Data());
}

TObjectRecord MakeEmptyObjectRecord() {
  TObjectRecord r;
  r.ObjType = otEmpty;
  r.Number = -1;
  r.Name = W1251("пустая");
  return r;
}

}  // namespace kestrilo
