#include "library/ComponentStream.h"

#include <limits>

#include "platform/Errors.h"

namespace kestrilo {

void TComponentStreamWriter::WriteShortString(std::string_view text) {
  // A length byte cannot say more; longer names would corrupt what follows.
  if (text.size() > 255) throw EWriteError("Stream write error");
  out_.U8(static_cast<uint8_t>(text.size()));
  out_.Bytes(text);
}

void TComponentStreamWriter::WriteInteger(int32_t value) {
  if (value >= std::numeric_limits<int8_t>::min() && value <= std::numeric_limits<int8_t>::max()) {
    WriteTag(TValueTag::vaInt8);
    out_.I8(static_cast<int8_t>(value));
  } else if (value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max()) {
    WriteTag(TValueTag::vaInt16);
    out_.I16(static_cast<int16_t>(value));
  } else {
    WriteTag(TValueTag::vaInt32);
    out_.I32(value);
  }
}

void TComponentStreamWriter::WriteString(std::string_view text) {
  if (text.size() < 256) {
    WriteTag(TValueTag::vaString);
    WriteShortString(text);
  } else {
    WriteTag(TValueTag::vaLString);
    out_.U32(static_cast<uint32_t>(text.size()));
    out_.Bytes(text);
  }
}

void TComponentStreamWriter::WriteIdent(std::string_view ident) {
  WriteTag(TValueTag::vaIdent);
  WriteShortString(ident);
}

void TComponentStreamWriter::WriteBinary(std::string_view bytes) {
  BeginBinary(static_cast<uint32_t>(bytes.size()));
  out_.Bytes(bytes);
}

void TComponentStreamWriter::BeginBinary(uint32_t length) {
  WriteTag(TValueTag::vaBinary);
  out_.U32(length);
}

void TComponentStreamReader::InvalidValue() { throw EReadError("Invalid property value"); }

TValueTag TComponentStreamReader::PeekTag() { return static_cast<TValueTag>(in_.PeekU8()); }

bool TComponentStreamReader::EndOfList() {
  if (PeekTag() != TValueTag::vaNull) return false;
  ReadTag();
  return true;
}

void TComponentStreamReader::ReadListEnd() {
  if (ReadTag() != TValueTag::vaNull) InvalidValue();
}

std::string TComponentStreamReader::ReadShortString() {
  const uint8_t length = in_.U8();
  return std::string(in_.Bytes(length));
}

bool TComponentStreamReader::NextIsInteger() {
  const TValueTag tag = PeekTag();
  return tag == TValueTag::vaInt8 || tag == TValueTag::vaInt16 || tag == TValueTag::vaInt32;
}

int32_t TComponentStreamReader::ReadInteger() {
  switch (ReadTag()) {
    case TValueTag::vaInt8: return in_.I8();
    case TValueTag::vaInt16: return in_.I16();
    case TValueTag::vaInt32: return in_.I32();
    default: InvalidValue();
  }
}

std::string TComponentStreamReader::ReadString() {
  switch (ReadTag()) {
    case TValueTag::vaString: return ReadShortString();
    case TValueTag::vaLString: {
      const uint32_t length = in_.U32();
      return std::string(in_.Bytes(length));  // checked against what is left before copying
    }
    default: InvalidValue();
  }
}

std::string TComponentStreamReader::ReadIdent() {
  if (ReadTag() != TValueTag::vaIdent) InvalidValue();
  return ReadShortString();
}

bool TComponentStreamReader::ReadBoolean() {
  switch (ReadTag()) {
    case TValueTag::vaFalse: return false;
    case TValueTag::vaTrue: return true;
    default: InvalidValue();
  }
}

TSharedBytes TComponentStreamReader::ReadBinary() {
  if (ReadTag() != TValueTag::vaBinary) InvalidValue();
  const uint32_t length = in_.U32();
  return in_.SharedBytes(length);
}

}  // namespace kestrilo
