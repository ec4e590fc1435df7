#include "library/BitmapCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include "library/ArgbRowReader.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"
#include "platform/Surface.h"

namespace kestrilo {
namespace {

constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitfields = 3;

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kRgbMasksHeaderSize = 52;
constexpr uint32_t kRgbaMasksHeaderSize = 56;
constexpr uint32_t kV4HeaderSize = 108;
constexpr uint32_t kV5HeaderSize = 124;
// OS/2 2.x headers are any size in this range except the Windows sizes 40, 52 and 56.
constexpr uint32_t kSmallestOs2Header = 16;
constexpr uint32_t kLargestOs2Header = 64;

// The largest picture decoded: 64 M pixels, 256 MB of 32-bit output (the same
// ceiling Qt's own image reader applies).
constexpr uint64_t kMaxPixels = uint64_t{64} * 1024 * 1024;
// Run-length data rarely stands for more than about 128 pixels per byte; a
// header claiming far more is corrupt, and believing it would allocate huge
// images from a few bytes.
constexpr uint64_t kMaxRlePixelsPerByte = 1024;
// Pixels per metre beyond this (about 25 400 dots per inch) mean a damaged header.
constexpr int64_t kMaxDensity = 1000000;

// Reads little-endian fields at absolute offsets, failing with the caller's
// message instead of reading past the end.
class TFieldReader {
 public:
  TFieldReader(std::string_view bytes, const char* failMessage) : bytes_(bytes), failMessage_(failMessage) {}

  uint64_t Size() const { return bytes_.size(); }
  const char* FailMessage() const { return failMessage_; }

  [[noreturn]] void Fail() const { throw EInvalidGraphic(failMessage_); }
  void Require(bool condition) const {
    if (!condition) Fail();
  }

  uint8_t U8(uint64_t at) const {
    Need(at, 1);
    return static_cast<uint8_t>(bytes_[at]);
  }
  uint16_t U16(uint64_t at) const {
    Need(at, 2);
    return static_cast<uint16_t>(Byte(at) | (Byte(at + 1) << 8));
  }
  uint32_t U32(uint64_t at) const {
    Need(at, 4);
    return Byte(at) | (Byte(at + 1) << 8) | (Byte(at + 2) << 16) | (Byte(at + 3) << 24);
  }
  int32_t I32(uint64_t at) const { return static_cast<int32_t>(U32(at)); }

  std::string_view Slice(uint64_t at, uint64_t count) const {
    Need(at, count);
    return bytes_.substr(at, count);
  }

 private:
  void Need(uint64_t at, uint64_t count) const { Require(at <= bytes_.size() && count <= bytes_.size() - at); }
  uint32_t Byte(uint64_t at) const { return static_cast<uint8_t>(bytes_[at]); }

  std::string_view bytes_;
  const char* failMessage_;
};

enum class THeaderForm { Core, Os2, Windows };

// The fields of an info header that decoding needs, whichever header form held them.
struct TInfoHeader {
  uint32_t Size = 0;
  THeaderForm Form = THeaderForm::Windows;
  int64_t Width = 0;
  int64_t Height = 0;  // rows, always positive
  bool TopDown = false;
  uint16_t Planes = 1;
  uint16_t BitCount = 0;
  uint32_t Compression = kCompressionRgb;
  uint32_t SizeImage = 0;
  int32_t XDensity = 0;
  int32_t YDensity = 0;
  uint32_t ColorsUsed = 0;
  // Red, green, blue, alpha; only meaningful with bit fields.
  std::array<uint32_t, 4> Masks{};
  // The three masks that follow a 40-byte header with bit fields.
  uint32_t TrailingMaskBytes = 0;

  bool Indexed() const { return BitCount <= 8; }
  bool RunLengthCoded() const { return Compression == kCompressionRle8 || Compression == kCompressionRle4; }
  uint32_t ColourEntrySize() const { return Form == THeaderForm::Core ? 3 : 4; }
  uint64_t ColoursStart(uint64_t headerAt) const { return headerAt + Size + TrailingMaskBytes; }
};

bool IsWindowsHeaderSize(uint32_t size) {
  return size == kInfoHeaderSize || size == kRgbMasksHeaderSize || size == kRgbaMasksHeaderSize ||
         size == kV4HeaderSize || size == kV5HeaderSize;
}

// Which header sizes a reader takes: a .bmp file knows every form, the packed
// form of the graphics file only the core and the 40-byte header.
enum class THeaderSet { AllForms, PackedForms };

class TInfoHeaderReader {
 public:
  explicit TInfoHeaderReader(const TFieldReader& in) : in_(in) {}

  TInfoHeader Read(uint64_t at, THeaderSet accepted) const {
    TInfoHeader h;
    h.Size = in_.U32(at);
    if (h.Size == kCoreHeaderSize) {
      ReadCore(at, h);
    } else if (accepted == THeaderSet::PackedForms) {
      in_.Require(h.Size == kInfoHeaderSize);
      ReadWindows(at, h);
    } else if (IsWindowsHeaderSize(h.Size)) {
      ReadWindows(at, h);
    } else {
      in_.Require(h.Size >= kSmallestOs2Header && h.Size <= kLargestOs2Header);
      ReadOs2(at, h);
    }
    in_.Slice(at, h.Size);  // the whole header must be present
    Validate(h);
    return h;
  }

 private:
  void ReadCore(uint64_t at, TInfoHeader& h) const {
    h.Form = THeaderForm::Core;
    h.Width = in_.U16(at + 4);
    h.Height = in_.U16(at + 6);
    h.Planes = in_.U16(at + 8);
    h.BitCount = in_.U16(at + 10);
  }

  void ReadCommon(uint64_t at, TInfoHeader& h) const {
    h.Width = in_.I32(at + 4);
    const int32_t height = in_.I32(at + 8);
    in_.Require(height != INT32_MIN);
    h.TopDown = height < 0;
    h.Height = height < 0 ? -int64_t{height} : int64_t{height};
    h.Planes = in_.U16(at + 12);
    h.BitCount = in_.U16(at + 14);
  }

  void ReadWindows(uint64_t at, TInfoHeader& h) const {
    h.Form = THeaderForm::Windows;
    ReadCommon(at, h);
    h.Compression = in_.U32(at + 16);
    h.SizeImage = in_.U32(at + 20);
    h.XDensity = in_.I32(at + 24);
    h.YDensity = in_.I32(at + 28);
    h.ColorsUsed = in_.U32(at + 32);
    if (h.Compression != kCompressionBitfields) return;
    // The colour masks follow a 40-byte header, and are part of the larger ones.
    for (int i = 0; i < 3; ++i) h.Masks[i] = in_.U32(at + kInfoHeaderSize + 4 * i);
    if (h.Size == kInfoHeaderSize)
      h.TrailingMaskBytes = 12;
    else if (h.Size >= kRgbaMasksHeaderSize)
      h.Masks[3] = in_.U32(at + kRgbMasksHeaderSize);
  }

  // OS/2 2.x: the fields of the 40-byte header as far as the header reaches,
  // the rest zero. Its compressions 3 and 4 are Huffman and RLE24, not read here.
  void ReadOs2(uint64_t at, TInfoHeader& h) const {
    h.Form = THeaderForm::Os2;
    ReadCommon(at, h);
    auto field = [&](uint32_t offset) { return offset + 4 <= h.Size ? in_.U32(at + offset) : 0u; };
    h.Compression = field(16);
    h.SizeImage = field(20);
    h.XDensity = static_cast<int32_t>(field(24));
    h.YDensity = static_cast<int32_t>(field(28));
    h.ColorsUsed = field(32);
    in_.Require(h.Compression <= kCompressionRle4);
  }

  void Validate(const TInfoHeader& h) const {
    in_.Require(h.Planes == 1);
    in_.Require(h.Width > 0 && h.Height > 0);
    in_.Require(static_cast<uint64_t>(h.Width) * static_cast<uint64_t>(h.Height) <= kMaxPixels);
    const uint16_t bpp = h.BitCount;
    in_.Require(bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32);
    in_.Require(std::abs(int64_t{h.XDensity}) <= kMaxDensity && std::abs(int64_t{h.YDensity}) <= kMaxDensity);
    switch (h.Compression) {
      case kCompressionRgb: break;
      case kCompressionRle8: in_.Require(bpp == 8 && !h.TopDown); break;
      case kCompressionRle4: in_.Require(bpp == 4 && !h.TopDown); break;
      case kCompressionBitfields:
        in_.Require(bpp == 16 || bpp == 32);
        ValidateMasks(h.Masks, bpp);
        break;
      default: in_.Fail();
    }
  }

  // Each colour needs a mask of adjacent bits inside the pixel, and no two
  // channels may share a bit; alpha is optional.
  void ValidateMasks(const std::array<uint32_t, 4>& masks, uint16_t bpp) const {
    const uint32_t pixelBits = bpp == 32 ? 0xFFFFFFFFu : 0xFFFFu;
    uint32_t used = 0;
    for (size_t i = 0; i < masks.size(); ++i) {
      const uint32_t mask = masks[i];
      if (mask == 0) {
        in_.Require(i == 3);
        continue;
      }
      const uint32_t shifted = mask >> std::countr_zero(mask);
      in_.Require((shifted & (shifted + 1)) == 0);
      in_.Require((mask & ~pixelBits) == 0 && (mask & used) == 0);
      used |= mask;
    }
  }

  const TFieldReader& in_;
};

// One channel of a bit-field pixel, widened to 8 bits by rounding.
class TChannel {
 public:
  TChannel() = default;
  explicit TChannel(uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    shift_ = std::countr_zero(mask);
    max_ = mask >> shift_;
  }
  bool Present() const { return mask_ != 0; }
  int Value(uint32_t pixel) const {
    const uint64_t v = (pixel & mask_) >> shift_;
    return static_cast<int>((v * 255 + max_ / 2) / max_);
  }

 private:
  uint32_t mask_ = 0;
  int shift_ = 0;
  uint64_t max_ = 1;
};

class TPixelChannels {
 public:
  explicit TPixelChannels(const std::array<uint32_t, 4>& masks)
      : red_(masks[0]), green_(masks[1]), blue_(masks[2]), alpha_(masks[3]) {}
  bool HasAlpha() const { return alpha_.Present(); }
  QRgb Colour(uint32_t pixel) const {
    const int alpha = alpha_.Present() ? alpha_.Value(pixel) : 255;
    return qRgba(red_.Value(pixel), green_.Value(pixel), blue_.Value(pixel), alpha);
  }

 private:
  TChannel red_, green_, blue_, alpha_;
};

// The masks a pixel format implies when the header gives none.
std::array<uint32_t, 4> EffectiveMasks(const TInfoHeader& h) {
  if (h.Compression == kCompressionBitfields) return h.Masks;
  if (h.BitCount == 16) return {0x7C00, 0x03E0, 0x001F, 0};
  return {0xFF0000, 0x00FF00, 0x0000FF, 0};  // 24 and 32 bits; the fourth byte is unused
}

// Where the colour table lies and how many entries it has.
struct TColourTableSpan {
  uint64_t Start = 0;
  uint64_t Count = 0;
  uint32_t EntrySize = 4;
  uint64_t End() const { return Start + Count * EntrySize; }
};

// The colours of an indexed picture; an index beyond them makes the picture invalid.
class TPalette {
 public:
  TPalette(const TFieldReader& in, const TInfoHeader& h, const TColourTableSpan& table) : in_(in) {
    if (!h.Indexed()) return;
    const uint64_t used = std::min<uint64_t>(table.Count, uint64_t{1} << h.BitCount);
    in_.Require(used > 0);
    colours_.reserve(used);
    for (uint64_t i = 0; i < used; ++i) {
      const uint64_t at = table.Start + i * table.EntrySize;
      colours_.push_back(qRgb(in_.U8(at + 2), in_.U8(at + 1), in_.U8(at)));
    }
  }
  QRgb Colour(uint32_t index) const {
    in_.Require(index < colours_.size());
    return colours_[index];
  }

 private:
  const TFieldReader& in_;
  std::vector<QRgb> colours_;
};

// Converts one stored row of an uncompressed picture to 32-bit pixels.
class TRowConverter {
 public:
  TRowConverter(const TInfoHeader& h, const TPalette& palette)
      : bitCount_(h.BitCount), palette_(palette), channels_(EffectiveMasks(h)) {}

  void Convert(const uint8_t* src, QRgb* dst, int width) const {
    switch (bitCount_) {
      case 1:
      case 2:
      case 4:
      case 8: ConvertIndexed(src, dst, width); break;
      case 16:
        for (int x = 0; x < width; ++x) dst[x] = channels_.Colour(src[2 * x] | (src[2 * x + 1] << 8));
        break;
      case 24:
        for (int x = 0; x < width; ++x) dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
        break;
      default:
        for (int x = 0; x < width; ++x) {
          const uint8_t* p = src + 4 * x;
          dst[x] = channels_.Colour(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24));
        }
    }
  }

 private:
  void ConvertIndexed(const uint8_t* src, QRgb* dst, int width) const {
    const int perByte = 8 / bitCount_;
    const unsigned valueMask = (1u << bitCount_) - 1;
    for (int x = 0; x < width; ++x) {
      const int shift = 8 - bitCount_ * (x % perByte + 1);
      dst[x] = palette_.Colour((src[x / perByte] >> shift) & valueMask);
    }
  }

  uint16_t bitCount_;
  const TPalette& palette_;
  TPixelChannels channels_;
};

// Expands RLE8 and RLE4 data into a bottom-up picture. Pixels the data skips
// (by a delta, an early end of line or of bitmap) keep colour index 0.
// Common writers code a row's padding too (a 37-pixel RLE8 row as 40 pixels),
// so pixels that fall past the width but within the row's stored length,
// rounded to 4 bytes, are dropped. A run that goes further, a pixel below the
// last row, or data that ends before the end-of-bitmap mark makes the picture
// invalid.
class TRleExpander {
 public:
  TRleExpander(const TFieldReader& in, std::string_view data, int bitsPerIndex, const TPalette& palette, QImage& image)
      : in_(in),
        data_(data),
        bitsPerIndex_(bitsPerIndex),
        palette_(palette),
        width_(image.width()),
        paddedWidth_(PaddedWidth(image.width(), bitsPerIndex)),
        height_(image.height()),
        image_(image) {}

  void Expand() {
    image_.fill(palette_.Colour(0));
    while (true) {
      const uint8_t count = Next();
      const uint8_t value = Next();
      if (count > 0) {
        Run(count, value);
      } else if (value == 0) {
        // Extra line ends below the last row are harmless; only pixels there are not.
        x_ = 0;
        y_ = std::min(y_ + 1, height_);
      } else if (value == 1) {
        return;
      } else if (value == 2) {
        x_ += Next();
        y_ += Next();
        in_.Require(x_ <= paddedWidth_ && y_ <= height_);
      } else {
        Literal(value);
      }
    }
  }

 private:
  // Pixels in a row as stored: its bits rounded up to whole 32-bit words.
  static int PaddedWidth(int width, int bitsPerIndex) {
    const int64_t words = (int64_t{width} * bitsPerIndex + 31) / 32;
    return static_cast<int>(words * 32 / bitsPerIndex);
  }

  uint8_t Next() {
    in_.Require(pos_ < data_.size());
    return static_cast<uint8_t>(data_[pos_++]);
  }

  void Put(uint32_t index) {
    in_.Require(x_ < paddedWidth_ && y_ < height_);
    const QRgb colour = palette_.Colour(index);  // a padding pixel's index must be valid all the same
    if (x_ < width_) reinterpret_cast<QRgb*>(image_.scanLine(height_ - 1 - y_))[x_] = colour;
    ++x_;
  }

  // An encoded run: RLE4 alternates the two nibbles of the value, high first.
  void Run(int count, uint8_t value) {
    for (int i = 0; i < count; ++i) {
      if (bitsPerIndex_ == 8)
        Put(value);
      else
        Put(i % 2 == 0 ? value >> 4 : value & 0x0F);
    }
  }

  // An absolute run of single indices, padded to a 16-bit boundary.
  void Literal(int count) {
    const size_t bytes = bitsPerIndex_ == 8 ? count : (count + 1) / 2;
    uint8_t current = 0;
    for (int i = 0; i < count; ++i) {
      if (bitsPerIndex_ == 8) {
        Put(Next());
      } else {
        if (i % 2 == 0) current = Next();
        Put(i % 2 == 0 ? current >> 4 : current & 0x0F);
      }
    }
    if (bytes % 2 == 1) Next();
  }

  const TFieldReader& in_;
  std::string_view data_;
  size_t pos_ = 0;
  int bitsPerIndex_;
  const TPalette& palette_;
  const int width_;
  const int paddedWidth_;
  const int height_;
  QImage& image_;
  int x_ = 0;
  int y_ = 0;
};

uint64_t RowStride(const TInfoHeader& h) { return (static_cast<uint64_t>(h.Width) * h.BitCount + 31) / 32 * 4; }

// Turns a validated header, its colour table and its pixel data into an image,
// or straight into a 5-6-5 surface for frame cutting. Both forms go through
// the same checks in the same order, so a picture one refuses the other
// refuses with the same message.
class TPixelDecoder {
 public:
  TPixelDecoder(const TFieldReader& in, const TInfoHeader& header, const TColourTableSpan& table)
      : in_(in), header_(header), palette_(in, header, table) {}

  QImage Decode(uint64_t pixelsAt) const {
    const uint64_t available = Available(pixelsAt);
    return header_.RunLengthCoded() ? DecodeRunLength(pixelsAt, available) : DecodeRows(pixelsAt, available);
  }

  TSurface DecodeToSurface(uint64_t pixelsAt) const {
    const uint64_t available = Available(pixelsAt);
    // Run-length data can jump about the picture; it is expanded whole first.
    if (header_.RunLengthCoded()) {
      const QImage image = DecodeRunLength(pixelsAt, available);
      return TSurface::FromImage(image, TRect{0, 0, image.width(), image.height()});
    }
    const uint64_t stride = RequireRows(available);
    TSurface surface = NewSurface();
    const int width = surface.Width(), height = surface.Height();
    const TRowConverter converter(header_, palette_);
    std::vector<QRgb> row(header_.BitCount == 24 ? 0 : static_cast<size_t>(width));
    for (int r = 0; r < height; ++r) {
      const uint8_t* src = Row(pixelsAt, r, stride);
      uint16_t* dst = surface.Line(header_.TopDown ? r : height - 1 - r);
      if (header_.BitCount == 24) {
        PackBgr24Row(src, dst, width);
      } else {
        converter.Convert(src, row.data(), width);
        PackRgb32Row(row.data(), dst, width);
      }
    }
    return surface;
  }

 private:
  uint64_t Available(uint64_t pixelsAt) const {
    const uint64_t available = in_.Size() - std::min(in_.Size(), pixelsAt);
    in_.Require(pixelsAt <= in_.Size() && header_.SizeImage <= available);
    return available;
  }

  // The stored row length, once the rows are known to fit in what is left.
  uint64_t RequireRows(uint64_t available) const {
    const uint64_t stride = RowStride(header_);
    in_.Require(stride * static_cast<uint64_t>(header_.Height) <= available);
    return stride;
  }

  const uint8_t* Row(uint64_t pixelsAt, int row, uint64_t stride) const {
    return reinterpret_cast<const uint8_t*>(in_.Slice(pixelsAt + row * stride, stride).data());
  }

  QImage NewImage(QImage::Format format) const {
    QImage image(static_cast<int>(header_.Width), static_cast<int>(header_.Height), format);
    in_.Require(!image.isNull());
    return image;
  }

  // Memory that cannot be had refuses the picture, as it does for an image.
  TSurface NewSurface() const {
    try {
      return TSurface::Unfilled(static_cast<int32_t>(header_.Width), static_cast<int32_t>(header_.Height));
    } catch (const std::bad_alloc&) {
      in_.Fail();
    }
  }

  QImage DecodeRows(uint64_t pixelsAt, uint64_t available) const {
    const uint64_t stride = RequireRows(available);
    const bool alpha = header_.Compression == kCompressionBitfields && header_.Masks[3] != 0;
    QImage image = NewImage(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const TRowConverter converter(header_, palette_);
    const int height = image.height();
    for (int row = 0; row < height; ++row) {
      const uint8_t* src = Row(pixelsAt, row, stride);
      const int y = header_.TopDown ? row : height - 1 - row;
      converter.Convert(src, reinterpret_cast<QRgb*>(image.scanLine(y)), image.width());
    }
    return image;
  }

  QImage DecodeRunLength(uint64_t pixelsAt, uint64_t available) const {
    const uint64_t length = header_.SizeImage != 0 ? header_.SizeImage : available;
    const uint64_t pixels = static_cast<uint64_t>(header_.Width) * static_cast<uint64_t>(header_.Height);
    in_.Require(pixels <= length * kMaxRlePixelsPerByte);
    QImage image = NewImage(QImage::Format_RGB32);
    const int bitsPerIndex = header_.Compression == kCompressionRle8 ? 8 : 4;
    TRleExpander(in_, in_.Slice(pixelsAt, length), bitsPerIndex, palette_, image).Expand();
    return image;
  }

  const TFieldReader& in_;
  const TInfoHeader& header_;
  TPalette palette_;
};

// Entries the header declares: its colour count, or for indexed pictures with
// none given the full 2^bits (which a file may cut short, see below).
uint64_t DeclaredColourCount(const TInfoHeader& h) {
  if (h.Form != THeaderForm::Core && h.ColorsUsed != 0) return h.ColorsUsed;
  return h.Indexed() ? uint64_t{1} << h.BitCount : 0;
}

bool ColourCountImplied(const TInfoHeader& h) {
  return h.Indexed() && (h.Form == THeaderForm::Core || h.ColorsUsed == 0);
}

// What a whole .bmp file holds before its pixels: header, colour table and
// where the pixels start, all checked.
struct TFileLayout {
  TInfoHeader Header;
  TColourTableSpan Table;
  uint64_t PixelsAt = 0;
};

TFileLayout ReadFileLayout(const TFieldReader& in) {
  TFileLayout layout;
  in.Require(in.U8(0) == 'B' && in.U8(1) == 'M');
  // A file shorter than its header says has lost its end.
  in.Require(in.U32(2) <= in.Size());
  layout.PixelsAt = in.U32(10);
  const TInfoHeader& header = layout.Header = TInfoHeaderReader(in).Read(kFileHeaderSize, THeaderSet::AllForms);

  TColourTableSpan& table = layout.Table;
  table.Start = header.ColoursStart(kFileHeaderSize);
  table.EntrySize = header.ColourEntrySize();
  in.Require(layout.PixelsAt >= table.Start && layout.PixelsAt <= in.Size());
  const uint64_t room = (layout.PixelsAt - table.Start) / table.EntrySize;
  table.Count = DeclaredColourCount(header);
  // Writers of the older headers leave out unused colours and say so only
  // through the pixel offset; a count given outright must fit.
  if (ColourCountImplied(header))
    table.Count = std::min(table.Count, room);
  else
    in.Require(table.Count <= room);
  return layout;
}

// The same for a packed DIB, whose pixels follow its colour table.
TFileLayout ReadPackedLayout(const TFieldReader& in) {
  TFileLayout layout;
  const TInfoHeader& header = layout.Header = TInfoHeaderReader(in).Read(0, THeaderSet::PackedForms);

  TColourTableSpan& table = layout.Table;
  table.Start = header.ColoursStart(0);
  table.EntrySize = header.ColourEntrySize();
  table.Count = DeclaredColourCount(header);
  in.Require(table.Start <= in.Size() && table.Count <= (in.Size() - table.Start) / table.EntrySize);
  layout.PixelsAt = table.End();
  return layout;
}

}  // namespace

TPictureSize BitmapSize(std::string_view fileBytes) {
  try {
    const TInfoHeader header = ReadFileLayout(TFieldReader(fileBytes, kBitmapNotValid)).Header;
    return {static_cast<uint64_t>(header.Width), static_cast<uint64_t>(header.Height)};
  } catch (const EInvalidGraphic&) {
    return {};
  }
}

TPictureSize DibSize(std::string_view packedBytes) {
  try {
    const TInfoHeader header = ReadPackedLayout(TFieldReader(packedBytes, kDibInvalid)).Header;
    return {static_cast<uint64_t>(header.Width), static_cast<uint64_t>(header.Height)};
  } catch (const EInvalidGraphic&) {
    return {};
  }
}

uint64_t BitmapPixelCount(std::string_view fileBytes) { return BitmapSize(fileBytes).Pixels(); }
uint64_t DibPixelCount(std::string_view packedBytes) { return DibSize(packedBytes).Pixels(); }

uint64_t Bitmap24FileSize(uint64_t width, uint64_t height) {
  return kFileHeaderSize + kInfoHeaderSize + (width * 3 + 3) / 4 * 4 * height;
}

std::string EncodeBitmap24(const QImage& image, const TRowFilter& filter) {
  constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch
  const int32_t width = image.width(), height = image.height();
  const uint64_t fileBytes = Bitmap24FileSize(static_cast<uint64_t>(width), static_cast<uint64_t>(height));
  // The sizes are 32-bit fields; no picture Qt can hold in memory comes near.
  if (fileBytes > UINT32_MAX) throw EInvalidGraphic(kBitmapNotValid);
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
  const uint32_t pixelsAt = static_cast<uint32_t>(kFileHeaderSize) + kInfoHeaderSize;
  const uint32_t pixelBytes = static_cast<uint32_t>(fileBytes) - pixelsAt;

  TByteWriter out;
  out.Data().reserve(fileBytes);
  out.Bytes("BM");
  out.U32(static_cast<uint32_t>(fileBytes));
  out.U32(0);  // reserved
  out.U32(pixelsAt);
  out.U32(kInfoHeaderSize);
  out.I32(width);
  out.I32(height);  // positive: rows stored bottom-up
  out.U16(1);       // planes
  out.U16(24);      // bits per pixel
  out.U32(kCompressionRgb);
  out.U32(pixelBytes);
  out.I32(kPixelsPerMetre);
  out.I32(kPixelsPerMetre);
  out.U32(0);  // colours used
  out.U32(0);  // important colours
  // Straight (not premultiplied) colours, a band at a time; the alpha is dropped.
  TArgbRowReader rows(image);
  std::vector<QRgb> filtered(filter ? static_cast<size_t>(width) : 0);
  std::string row(rowBytes, '\0');
  for (int32_t y = height - 1; y >= 0; --y) {
    const QRgb* line = rows.Row(y);
    if (filter) {
      std::copy(line, line + width, filtered.begin());
      filter(filtered.data(), width);
      line = filtered.data();
    }
    for (int32_t x = 0; x < width; ++x) {
      row[3 * x] = static_cast<char>(qBlue(line[x]));
      row[3 * x + 1] = static_cast<char>(qGreen(line[x]));
      row[3 * x + 2] = static_cast<char>(qRed(line[x]));
    }
    out.Bytes(row);
  }
  return std::move(out.Data());
}

QImage DecodeBitmap(std::string_view fileBytes) {
  const TFieldReader in(fileBytes, kBitmapNotValid);
  const TFileLayout layout = ReadFileLayout(in);
  return TPixelDecoder(in, layout.Header, layout.Table).Decode(layout.PixelsAt);
}

TSurface DecodeBitmapToSurface(std::string_view fileBytes) {
  const TFieldReader in(fileBytes, kBitmapNotValid);
  const TFileLayout layout = ReadFileLayout(in);
  return TPixelDecoder(in, layout.Header, layout.Table).DecodeToSurface(layout.PixelsAt);
}

QImage DecodeDib(std::string_view packedBytes) {
  const TFieldReader in(packedBytes, kDibInvalid);
  const TFileLayout layout = ReadPackedLayout(in);
  return TPixelDecoder(in, layout.Header, layout.Table).Decode(layout.PixelsAt);
}

TSurface DecodeDibToSurface(std::string_view packedBytes) {
  const TFieldReader in(packedBytes, kDibInvalid);
  const TFileLayout layout = ReadPackedLayout(in);
  return TPixelDecoder(in, layout.Header, layout.Table).DecodeToSurface(layout.PixelsAt);
}

}  // namespace kestrilo
