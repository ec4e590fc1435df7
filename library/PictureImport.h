// Pictures from the common image files that Qt's readers know (PNG, JPEG,
// GIF, ...), taken in as 24-bit bitmaps: the kind every reader of graphics
// files already knows, so a library that holds them opens anywhere.
//
// Such a file may have an alpha channel, which a bitmap lacks. Its pixels
// with alpha below one half then take a colour key that no opaque pixel uses
// (magenta when it is free), and the picture is meant to be drawn
// transparent with that key. The key is chosen among the 5-6-5 values the
// drawing surfaces hold, so that no opaque pixel turns transparent there
// either.
#pragma once

#include <QImage>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrilo {

struct TImportedPicture {
  std::string BitmapFile;            // a whole .bmp file
  std::optional<uint32_t> ColorKey;  // 0x00BBGGRR, present for a picture with alpha
};

class TPictureImport {
 public:
  // The key taken when no opaque pixel is magenta.
  static constexpr uint32_t kPreferredKey = 0xFF00FF;
  // The largest picture taken in: one whose 24-bit bitmap, as the graphics
  // file keeps it, holds no more than this.
  static constexpr uint64_t kMaxBitmapBytes = uint64_t{64} << 20;

  // Whether Qt reads files with this extension (matched ignoring case).
  static bool Reads(const std::string& extension);
  // The lower-case extensions Qt reads besides the kinds the graphics file
  // holds as they are (bitmaps, icons): what a picture dialog offers on top.
  static std::vector<std::string> CommonExtensions();

  // Whether a picture of this size is taken in.
  static bool Fits(uint64_t width, uint64_t height);
  // "Картинка слишком велика: …" (EInvalidGraphic), naming the file, the
  // size and the limit, for a picture that does not fit.
  static void CheckFits(const std::string& path, uint64_t width, uint64_t height);

  // "Cannot open file %s" when the file cannot be read, "Картинка слишком
  // велика: …" when the size its header states does not fit (nothing is
  // decoded then), "Bitmap image is not valid" when its content cannot be
  // decoded. A header that understates the size cannot make the decoder
  // take more memory than the stated size needs.
  static TImportedPicture FromFile(const std::string& path);
  static TImportedPicture FromImage(const QImage& image);

  // A colour no opaque pixel (alpha of one half or more) of the image has,
  // in 8 bits per channel and in 5-6-5; "Bitmap image is not valid" for the
  // rare picture whose opaque pixels take every 5-6-5 value.
  static uint32_t FreeKey(const QImage& image);
};

}  // namespace kestrilo
