// A picture as a collection item holds it: the kind of graphic it was loaded
// as, the bytes exactly as they were loaded (so that saving writes them back
// unchanged, a run-length-compressed bitmap included) and the decoded image.
// The bytes are shared, not copied: a picture read from a graphics file keeps
// the very buffer its block was read into, and a copied picture shares it.
//
// A bitmap read for a picture list bound to a drawing area is decoded
// straight into the 5-6-5 surface its frames are cut from, which the first
// cut takes over; its full-colour image, which only the picture box and the
// tools show, is then decoded from the kept bytes when first asked for.
// Either way every pixel is decoded and checked when the picture is loaded.
#pragma once

#include <QImage>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/BinaryIO.h"
#include "platform/Surface.h"

namespace kestrilo {

class TPicture {
 public:
  // The kinds, named as the graphics file names them.
  static constexpr const char* kBitmap = "TBitmap";      // .bmp: a whole BMP file
  static constexpr const char* kDib = "TDIB";            // .dib: a packed DIB
  static constexpr const char* kIcon = "TIcon";          // .ico
  static constexpr const char* kMetafile = "TMetafile";  // .wmf, .emf

  // What decoding a bitmap or DIB makes: the full-colour image, or the
  // surface frames are cut from.
  enum class TDecodeFor { Image, Frames };

  // The kind for a file name's extension (matched ignoring case): the four
  // kinds above, and a bitmap for any other picture file Qt reads (PNG,
  // JPEG, GIF, ...); "Unknown picture file extension (.%s)" for the rest.
  static std::string KindOfFile(const std::string& path);

  // Loads a picture file; the kind comes from its extension. A common
  // picture file becomes a 24-bit bitmap (library/PictureImport.h); when it
  // has an alpha channel, the colour key its transparent pixels took is
  // returned, for the item to be drawn transparent with. On failure the
  // picture is unchanged, and the error names the file.
  std::optional<uint32_t> LoadFromFile(const std::string& path);
  // Makes a picture of the given kind from that kind's held bytes (a BMP
  // file, a packed DIB, an icon file or a metafile); "" clears it.
  void LoadFromData(const std::string& kind, std::string bytes);
  void LoadFromData(const std::string& kind, TSharedBytes bytes, TDecodeFor target = TDecodeFor::Image);
  void Clear();

  // "" when the picture holds no graphic.
  const std::string& Kind() const { return kind_; }
  bool HasGraphic() const { return !kind_.empty(); }
  const TSharedBytes& Data() const { return data_; }
  // The decoded image (made now from the kept bytes if the picture was
  // decoded for frames); null when the picture is empty.
  const QImage& Image() const;

  // A metafile is kept but not drawn, so it counts as empty.
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  int32_t Width() const { return Empty() ? 0 : width_; }
  int32_t Height() const { return Empty() ? 0 : height_; }

  // The whole picture in 5-6-5, for cutting frames: the surface decoding for
  // frames made, handed over once (the picture keeps no copy of it), or else
  // one converted from the image, or decoded from the kept bytes again.
  TSurface TakeSurface();

  // The payload of the graphics file's picture data property: the kind's
  // class name as a length byte and characters, then the kind's own data.
  void WriteData(TByteWriter& writer) const;
  // The bytes WriteData writes.
  uint64_t DataSize() const;
  // Reads that payload: a bitmap states its length, the other kinds run to
  // the end of the payload. The picture keeps its bytes as a part of the
  // payload's buffer; from a plain view they are copied.
  void ReadData(const TSharedBytes& payload, TDecodeFor target = TDecodeFor::Image);
  void ReadData(std::string_view payload);
  // The memory that decoding such a payload takes, from the headers alone;
  // 0 for a payload whose headers cannot be read (ReadData refuses it).
  static uint64_t DecodedSizeOf(std::string_view payload, TDecodeFor target = TDecodeFor::Image);

 private:
  static QImage Decode(const std::string& kind, std::string_view bytes);
  static bool DecodesToSurface(const std::string& kind) { return kind == kBitmap || kind == kDib; }

  std::string kind_;
  TSharedBytes data_;
  int32_t width_ = 0, height_ = 0;
  mutable QImage image_;
  // Decoded for frames and not cut yet; copies of the picture share it.
  std::shared_ptr<TSurface> surface_;
};

}  // namespace kestrilo
