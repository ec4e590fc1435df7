#include "library/ArgbRowReader.h"

#include <algorithm>

namespace kestrilo {
namespace {

// About this many bytes of converted pixels at a time.
constexpr int64_t kBandBytes = int64_t{1} << 20;

}  // namespace

TArgbRowReader::TArgbRowReader(const QImage& image)
    : image_(image),
      // A 32-bit RGB image holds 0xFF in the alpha byte, so its rows read as they are.
      inPlace_(image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32),
      bandRows_(static_cast<int32_t>(
          std::clamp<int64_t>(kBandBytes / std::max<int64_t>(1, int64_t{image.width()} * 4), 1, image.height()))) {}

const QRgb* TArgbRowReader::Row(int32_t y) {
  if (inPlace_) return reinterpret_cast<const QRgb*>(image_.constScanLine(y));
  if (bandStart_ < 0 || y < bandStart_ || y >= bandStart_ + bandRows_) {
    bandStart_ = y / bandRows_ * bandRows_;
    const int32_t rows = std::min(bandRows_, image_.height() - bandStart_);
    // A view of the band's rows in the image's own memory (no copy), then
    // converted on its own.
    QImage view(image_.constScanLine(bandStart_), image_.width(), rows, image_.bytesPerLine(), image_.format());
    if (image_.format() == QImage::Format_Indexed8 || image_.format() == QImage::Format_Mono ||
        image_.format() == QImage::Format_MonoLSB)
      view.setColorTable(image_.colorTable());
    band_ = view.convertToFormat(QImage::Format_ARGB32);
  }
  return reinterpret_cast<const QRgb*>(band_.constScanLine(y - bandStart_));
}

}  // namespace kestrilo
