#include "library/GraphicsFile.h"

#include <limits>

#include "library/Colors.h"
#include "library/ComponentStream.h"
#include "library/PictureCollection.h"
#include "library/ReadAllowance.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"

namespace kestrilo {
namespace {

constexpr uint8_t kResourceMark = 0xFF;
constexpr uint16_t kRawDataType = 10;
constexpr uint16_t kMemoryFlags = 0x1030;
constexpr std::string_view kSignature = "TPF0";
constexpr std::string_view kComponentClass = "TPictureCollectionComponent";
constexpr std::string_view kListProperty = "List";
// A stored integer with this value means "keep the default" and is never written.
constexpr int32_t kNotStored = std::numeric_limits<int32_t>::min();
// What an item costs before it holds a picture: the object, the allocator's
// share and its place in the collection's lists.
constexpr uint64_t kItemMemory = sizeof(TPictureCollectionItem) + 64;

[[noreturn]] void PropertyDoesNotExist(std::string_view className, std::string_view property) {
  throw EFilerError("Error reading " + std::string(className) + "." + cp1251::EscapeControls(cp1251::ToUtf8(property)) +
                    ": Property does not exist");
}

void WriteIntegerProperty(TComponentStreamWriter& writer, std::string_view name, int32_t value) {
  if (value == kNotStored) return;
  writer.WritePropName(name);
  writer.WriteInteger(value);
}

void WriteColorProperty(TComponentStreamWriter& writer, std::string_view name, uint32_t color) {
  // Named colours go by name; clScrollBar shares its value with the "not
  // stored" mark, so writing it by name is what keeps it across a save.
  writer.WritePropName(name);
  if (auto ident = ColorToIdent(color))
    writer.WriteIdent(*ident);
  else
    writer.WriteInteger(static_cast<int32_t>(color));
}

void WriteItem(TByteWriter& out, TComponentStreamWriter& writer, const TPictureCollectionItem& item) {
  writer.WriteTag(TValueTag::vaList);
  if (!item.Name().empty()) {
    writer.WritePropName("Name");
    writer.WriteString(item.Name());
  }
  WriteIntegerProperty(writer, "PatternHeight", item.PatternHeight);
  WriteIntegerProperty(writer, "PatternWidth", item.PatternWidth);
  if (item.Picture.HasGraphic()) {
    writer.WritePropName("Picture.Data");
    // Straight into the file's buffer: a picture is often most of the file.
    writer.BeginBinary(static_cast<uint32_t>(item.Picture.DataSize()));
    item.Picture.WriteData(out);
  }
  if (item.SkipHeight != 0) WriteIntegerProperty(writer, "SkipHeight", item.SkipHeight);
  if (item.SkipWidth != 0) WriteIntegerProperty(writer, "SkipWidth", item.SkipWidth);
  writer.WritePropName("SystemMemory");
  writer.WriteBoolean(item.SystemMemory);
  writer.WritePropName("Transparent");
  writer.WriteBoolean(item.Transparent);
  WriteColorProperty(writer, "TransparentColor", item.TransparentColor());
  writer.WriteTag(TValueTag::vaNull);
}

uint32_t ReadColor(TComponentStreamReader& reader) {
  if (reader.NextIsInteger()) return static_cast<uint32_t>(reader.ReadInteger());
  const std::string ident = reader.ReadIdent();
  const auto color = IdentToColor(ident);
  if (!color) TComponentStreamReader::InvalidValue();
  return *color;
}

}  // namespace

std::string TGraphicsFile::Write(const TPictureCollection& collection) {
  TByteWriter out;
  // Room for the whole file at once: the pictures are most of it, and a
  // buffer grown by doubling would hold up to three times them as it moved.
  uint64_t estimate = 256;
  for (int32_t i = 0; i < collection.Count(); ++i) {
    const TPictureCollectionItem& item = *collection.Items(i);
    estimate += 256 + item.Name().size() + (item.Picture.HasGraphic() ? item.Picture.DataSize() : 0);
  }
  out.Data().reserve(estimate);
  out.U8(kResourceMark);
  out.U16(kRawDataType);
  out.Bytes(kResourceName);
  out.U8(0);
  out.U16(kMemoryFlags);
  // The stream's length goes in front of it once the stream is written.
  const size_t lengthAt = out.Data().size();
  out.U32(0);
  WriteStream(collection, out);
  const auto length = static_cast<uint32_t>(out.Data().size() - lengthAt - 4);
  for (int byte = 0; byte < 4; ++byte) out.Data()[lengthAt + byte] = static_cast<char>(length >> (8 * byte));
  return std::move(out.Data());
}

void TGraphicsFile::WriteStream(const TPictureCollection& collection, TByteWriter& out) {
  TComponentStreamWriter writer(out);
  out.Bytes(kSignature);
  writer.WriteShortString(kComponentClass);
  writer.WriteShortString("");  // the component has no name
  writer.WritePropName(kListProperty);
  writer.WriteTag(TValueTag::vaCollection);
  for (int32_t i = 0; i < collection.Count(); ++i) WriteItem(out, writer, *collection.Items(i));
  writer.WriteTag(TValueTag::vaNull);  // end of the collection
  writer.WriteTag(TValueTag::vaNull);  // end of the component's properties
  writer.WriteTag(TValueTag::vaNull);  // end of its (empty) children
}

void TGraphicsFile::Read(TByteStreamReader& in, TPictureCollection& collection, const TReadOptions& options) {
  collection.Clear();
  ReadHeader(in);
  if (in.Bytes(kSignature.size()) != kSignature) throw EFilerError(kInvalidStreamFormat);
  TComponentStreamReader reader(in);
  reader.ReadShortString();  // class name
  reader.ReadShortString();  // component name
  TReadAllowance allowance(in.Size());
  ReadComponentProperties(reader, collection, options, allowance);
  // The component's children: none are stored, only the end of their list.
  if (!reader.EndOfList()) throw EFilerError(kInvalidStreamFormat);
}

void TGraphicsFile::ReadHeader(TByteStreamReader& in) {
  if (in.U8() != kResourceMark || in.U16() != kRawDataType) throw EFilerError(kInvalidStreamFormat);
  // The name, flags and stated length are not needed: the stream follows the
  // name's terminating zero, its flags and its length.
  size_t nameLength = 0;
  while (in.U8() != 0) ++nameLength;
  in.Seek(nameLength + 10);
}

std::string TGraphicsFile::WhatIsWrong(TByteStreamReader& in) {
  if (!in.FileFailure().empty()) return in.FileFailure();
  const size_t failedAt = in.Position();
  if (in.Size() == 0) return "empty file";
  const std::string notAGraphicsFile = "not a graphics file";
  try {
    in.Seek(0);
    if (in.U8() != kResourceMark || in.U16() != kRawDataType) return notAGraphicsFile;
    while (in.U8() != 0) {}
    in.U16();  // the memory flags
    const uint64_t statedLength = in.U32();
    const uint64_t statedSize = in.Position() + statedLength;
    if (in.Size() < statedSize) return TruncatedReason(in.Size(), statedSize);
    if (in.Bytes(kSignature.size()) != kSignature) return notAGraphicsFile;
  } catch (const EReadError&) {
    return in.FileFailure().empty() ? "truncated in its header" : in.FileFailure();
  }
  return "damaged at byte " + std::to_string(failedAt);
}

void TGraphicsFile::ReadComponentProperties(TComponentStreamReader& reader, TPictureCollection& collection,
                                            const TReadOptions& options, TReadAllowance& allowance) {
  while (!reader.EndOfList()) {
    const std::string name = reader.ReadPropName();
    if (!cp1251::SameText(name, kListProperty)) PropertyDoesNotExist(kComponentClass, name);
    if (reader.ReadTag() != TValueTag::vaCollection) TComponentStreamReader::InvalidValue();
    ReadItems(reader, collection, options, allowance);
  }
}

void TGraphicsFile::ReadItems(TComponentStreamReader& reader, TPictureCollection& collection,
                              const TReadOptions& options, TReadAllowance& allowance) {
  while (!reader.EndOfList()) {
    if (reader.NextIsInteger()) reader.ReadInteger();  // an item's position, not needed
    allowance.Take(kItemMemory);
    TPictureCollectionItem* item = collection.Add();
    if (reader.ReadTag() != TValueTag::vaList) TComponentStreamReader::InvalidValue();
    while (!reader.EndOfList()) ReadItemProperty(reader, *item, options, allowance);
    if (options.ItemRead) options.ItemRead(*item);
  }
}

void TGraphicsFile::ReadItemProperty(TComponentStreamReader& reader, TPictureCollectionItem& item,
                                     const TReadOptions& options, TReadAllowance& allowance) {
  const std::string name = reader.ReadPropName();
  if (cp1251::SameText(name, "Name")) {
    item.SetName(reader.ReadString());
  } else if (cp1251::SameText(name, "PatternHeight")) {
    item.PatternHeight = reader.ReadInteger();
  } else if (cp1251::SameText(name, "PatternWidth")) {
    item.PatternWidth = reader.ReadInteger();
  } else if (cp1251::SameText(name, "Picture.Data")) {
    const TSharedBytes payload = reader.ReadBinary();
    allowance.Take(payload.size() + TPicture::DecodedSizeOf(payload, options.DecodeFor));
    item.Picture.ReadData(payload, options.DecodeFor);
  } else if (cp1251::SameText(name, "SkipHeight")) {
    item.SkipHeight = reader.ReadInteger();
  } else if (cp1251::SameText(name, "SkipWidth")) {
    item.SkipWidth = reader.ReadInteger();
  } else if (cp1251::SameText(name, "SystemMemory")) {
    item.SystemMemory = reader.ReadBoolean();
  } else if (cp1251::SameText(name, "Transparent")) {
    item.Transparent = reader.ReadBoolean();
  } else if (cp1251::SameText(name, "TransparentColor")) {
    item.SetTransparentColor(ReadColor(reader));
  } else {
    PropertyDoesNotExist(item.ClassName(), name);
  }
}

}  // namespace kestrilo
