#include "library/Picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "library/BitmapCodec.h"
#include "library/PictureImport.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"

namespace kestrilo {
namespace {

// The extension of the file name part, without its dot ("" when there is none).
std::string ExtensionOf(const std::string& path) {
  const size_t cut = path.find_last_of("/\\:");
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (cut != std::string::npos && dot < cut)) return {};
  return path.substr(dot + 1);
}

// A .dib file may carry the 14-byte file header of a .bmp; the picture keeps
// the packed form, which is what the graphics file stores for this kind.
std::string PackedDibOf(std::string fileBytes) {
  if (fileBytes.size() >= 14 && fileBytes[0] == 'B' && fileBytes[1] == 'M') return fileBytes.substr(14);
  return fileBytes;
}

QImage DecodeIcon(std::string_view bytes) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  QImage image = reader.read();
  if (image.isNull()) throw EInvalidGraphic(kIconNotValid);
  return image.convertToFormat(QImage::Format_ARGB32);
}

// The size of the image the icon reader would pick, from its directory.
TPictureSize IconSize(std::string_view bytes) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  const QSize size = QImageReader(&buffer, "ico").size();
  if (!size.isValid()) return {};
  return {static_cast<uint64_t>(size.width()), static_cast<uint64_t>(size.height())};
}

// The size a picture kind's held bytes state in their headers; 0 x 0 when
// they cannot be read (decoding then refuses them) and for metafiles, which
// are never decoded.
TPictureSize StatedSizeOf(const std::string& kind, std::string_view bytes) {
  if (kind == TPicture::kBitmap) return BitmapSize(bytes);
  if (kind == TPicture::kDib) return DibSize(bytes);
  if (kind == TPicture::kIcon) return IconSize(bytes);
  return {};
}

}  // namespace

std::string TPicture::KindOfFile(const std::string& path) {
  const std::string extension = ExtensionOf(path);
  const std::string lower = cp1251::ToLower(extension);
  if (lower == "bmp") return kBitmap;
  if (lower == "dib") return kDib;
  if (lower == "ico") return kIcon;
  if (lower == "wmf" || lower == "emf") return kMetafile;
  // Any other picture Qt reads is taken in as a bitmap.
  if (TPictureImport::Reads(lower)) return kBitmap;
  throw EInvalidGraphic("Unknown picture file extension (." + cp1251::EscapeControls(extension) + ")");
}

std::optional<uint32_t> TPicture::LoadFromFile(const std::string& path) {
  try {
    const std::string kind = KindOfFile(path);
    if (kind == kBitmap && !cp1251::SameText(ExtensionOf(path), "bmp")) {
      TImportedPicture imported = TPictureImport::FromFile(path);
      LoadFromData(kind, std::move(imported.BitmapFile));
      return imported.ColorKey;
    }
    std::string bytes = ReadWholeFile(path);
    if (kind == kDib) bytes = PackedDibOf(std::move(bytes));
    // Held as they are, but decoded to be drawn: the same ceiling as for the
    // pictures taken in, before anything is decoded.
    const TPictureSize size = StatedSizeOf(kind, bytes);
    TPictureImport::CheckFits(path, size.Width, size.Height);
    LoadFromData(kind, std::move(bytes));
    return std::nullopt;
  } catch (const EKestriloError& error) {
    RaiseNamingFile(error, path);
  }
}

QImage TPicture::Decode(const std::string& kind, std::string_view bytes) {
  // A graphic of a kind with no data is an empty graphic of that kind.
  if (bytes.empty()) return QImage();
  if (kind == kBitmap) return DecodeBitmap(bytes);
  if (kind == kDib) return DecodeDib(bytes);
  if (kind == kIcon) return DecodeIcon(bytes);
  // Metafiles are kept for saving but never drawn.
  return QImage();
}

void TPicture::LoadFromData(const std::string& kind, std::string bytes) {
  LoadFromData(kind, TSharedBytes(std::move(bytes)));
}

void TPicture::LoadFromData(const std::string& kind, TSharedBytes bytes, TDecodeFor target) {
  if (kind.empty()) {
    Clear();
    return;
  }
  if (kind != kBitmap && kind != kDib && kind != kIcon && kind != kMetafile)
    throw EFilerError("Class " + cp1251::EscapeControls(cp1251::ToUtf8(kind)) + " not found");
  // Decoding may throw: the picture stays as it was.
  if (target == TDecodeFor::Frames && DecodesToSurface(kind) && !bytes.empty()) {
    auto surface = std::make_shared<TSurface>(kind == kBitmap ? DecodeBitmapToSurface(bytes.View())
                                                              : DecodeDibToSurface(bytes.View()));
    kind_ = kind;
    data_ = std::move(bytes);
    width_ = surface->Width();
    height_ = surface->Height();
    image_ = QImage();
    surface_ = std::move(surface);
    return;
  }
  QImage image = Decode(kind, bytes.View());
  kind_ = kind;
  data_ = std::move(bytes);
  width_ = image.width();
  height_ = image.height();
  image_ = std::move(image);
  surface_.reset();
}

void TPicture::Clear() {
  kind_.clear();
  data_ = TSharedBytes();  // lets go of the buffer, not just the length
  width_ = height_ = 0;
  image_ = QImage();
  surface_.reset();
}

const QImage& TPicture::Image() const {
  // Decoded for frames: the bytes decoded before, so they decode again.
  if (image_.isNull() && !Empty()) image_ = Decode(kind_, data_.View());
  return image_;
}

TSurface TPicture::TakeSurface() {
  if (surface_) {
    const std::shared_ptr<TSurface> held = std::move(surface_);
    if (held.use_count() == 1) return std::move(*held);
    return *held;
  }
  // Decoded for frames and cut before: straight from the bytes again rather
  // than through an image that would then be kept.
  if (image_.isNull() && !Empty() && DecodesToSurface(kind_))
    return kind_ == kBitmap ? DecodeBitmapToSurface(data_.View()) : DecodeDibToSurface(data_.View());
  return TSurface::FromImage(Image(), TRect{0, 0, Width(), Height()});
}

void TPicture::WriteData(TByteWriter& writer) const {
  writer.U8(static_cast<uint8_t>(kind_.size()));
  writer.Bytes(kind_);
  // Only a bitmap states its length; the other kinds run to the end of the block.
  if (kind_ == kBitmap) writer.U32(static_cast<uint32_t>(data_.size()));
  writer.Bytes(data_.View());
}

uint64_t TPicture::DataSize() const { return 1 + kind_.size() + (kind_ == kBitmap ? 4 : 0) + data_.size(); }

void TPicture::ReadData(const TSharedBytes& payload, TDecodeFor target) {
  TByteReader reader(payload.View());
  const std::string kind(reader.Bytes(reader.U8()));
  const size_t length = kind == kBitmap ? reader.U32() : reader.Remaining();
  const size_t start = reader.Position();
  reader.Bytes(length);  // checked against what is left
  LoadFromData(kind, payload.Part(start, length), target);
}

void TPicture::ReadData(std::string_view payload) { ReadData(TSharedBytes(std::string(payload))); }

uint64_t TPicture::DecodedSizeOf(std::string_view payload, TDecodeFor target) {
  try {
    TByteReader reader(payload);
    const std::string kind(reader.Bytes(reader.U8()));
    const size_t length = kind == kBitmap ? reader.U32() : reader.Remaining();
    const std::string_view bytes = reader.Bytes(length);
    // A bitmap decoded for frames is a 5-6-5 surface; any other image 32 bits.
    const uint64_t bytesPerPixel = target == TDecodeFor::Frames && DecodesToSurface(kind) ? 2 : 4;
    return bytesPerPixel * StatedSizeOf(kind, bytes).Pixels();
  } catch (const EReadError&) {}
  return 0;
}

}  // namespace kestrilo
