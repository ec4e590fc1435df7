// The byte-coded component stream that graphics files carry: property names
// as length-prefixed strings, each followed by one tagged value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/BinaryIO.h"

namespace kestrilo {

enum class TValueTag : uint8_t {
  vaNull = 0x00,  // end of a list
  vaList = 0x01,
  vaInt8 = 0x02,
  vaInt16 = 0x03,
  vaInt32 = 0x04,
  vaString = 0x06,
  vaIdent = 0x07,
  vaFalse = 0x08,
  vaTrue = 0x09,
  vaBinary = 0x0A,
  vaLString = 0x0C,
  vaCollection = 0x0E,
};

class TComponentStreamWriter {
 public:
  explicit TComponentStreamWriter(TByteWriter& out) : out_(out) {}

  void WriteTag(TValueTag tag) { out_.U8(static_cast<uint8_t>(tag)); }
  // A length byte and the characters (names are at most 255 bytes).
  void WriteShortString(std::string_view text);
  void WritePropName(std::string_view name) { WriteShortString(name); }
  // The shortest of the three integer tags that holds the value.
  void WriteInteger(int32_t value);
  // Short strings under one tag, longer ones under the long-string tag.
  void WriteString(std::string_view text);
  void WriteIdent(std::string_view ident);
  void WriteBoolean(bool value) { WriteTag(value ? TValueTag::vaTrue : TValueTag::vaFalse); }
  void WriteBinary(std::string_view bytes);
  // The tag and length of a binary value of `length` bytes, which the caller
  // then writes to the same output, so that a large value is not first
  // gathered in a buffer of its own.
  void BeginBinary(uint32_t length);

 private:
  TByteWriter& out_;
};

// Every read is checked against what is left ("Stream read error"); a value of
// an unexpected kind is "Invalid property value".
class TComponentStreamReader {
 public:
  explicit TComponentStreamReader(TByteStreamReader& in) : in_(in) {}

  TValueTag ReadTag() { return static_cast<TValueTag>(in_.U8()); }
  TValueTag PeekTag();
  bool EndOfList();  // consumes the end tag when it is next
  void ReadListEnd();
  std::string ReadShortString();
  std::string ReadPropName() { return ReadShortString(); }
  int32_t ReadInteger();
  bool NextIsInteger();
  std::string ReadString();
  std::string ReadIdent();
  bool ReadBoolean();
  // The bytes of a byte block, in a buffer that outlives the stream.
  TSharedBytes ReadBinary();

  [[noreturn]] static void InvalidValue();

 private:
  TByteStreamReader& in_;
};

}  // namespace kestrilo
