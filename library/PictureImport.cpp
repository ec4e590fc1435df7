#include "library/PictureImport.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>

#include "library/BitmapCodec.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"
#include "platform/Surface.h"

namespace kestrilo {
namespace {

// Extensions whose files the graphics file keeps as they are.
constexpr const char* kHeldAsTheyAre[] = {"bmp", "dib", "ico", "wmf", "emf"};

// Alpha below one half: 127 of 255 and less.
bool IsTransparent(QRgb pixel) { return qAlpha(pixel) < 128; }

std::string ExtensionOf(const std::string& path) {
  const size_t cut = path.find_last_of("/\\:");
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (cut != std::string::npos && dot < cut)) return {};
  return path.substr(dot + 1);
}

}  // namespace

bool TPictureImport::Reads(const std::string& extension) {
  if (extension.empty()) return false;
  return QImageReader::supportedImageFormats().contains(QByteArray::fromStdString(cp1251::ToLower(extension)));
}

std::vector<std::string> TPictureImport::CommonExtensions() {
  std::vector<std::string> extensions;
  for (const QByteArray& format : QImageReader::supportedImageFormats()) {
    const std::string name = format.toLower().toStdString();
    if (std::find(std::begin(kHeldAsTheyAre), std::end(kHeldAsTheyAre), name) != std::end(kHeldAsTheyAre)) continue;
    if (std::find(extensions.begin(), extensions.end(), name) == extensions.end()) extensions.push_back(name);
  }
  return extensions;
}

TImportedPicture TPictureImport::FromFile(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  // The extension is a hint; the content decides, as a misnamed file is common.
  QImageReader reader(&buffer, QByteArray::fromStdString(cp1251::ToLower(ExtensionOf(path))));
  reader.setDecideFormatFromContent(true);
  // A photograph turned by its camera's note is taken as it is seen.
  reader.setAutoTransform(true);
  const QImage image = reader.read();
  if (image.isNull()) throw EInvalidGraphic(kBitmapNotValid);
  return FromImage(image);
}

TImportedPicture TPictureImport::FromImage(const QImage& image) {
  if (image.isNull()) throw EInvalidGraphic(kBitmapNotValid);
  TImportedPicture imported;
  if (!image.hasAlphaChannel()) {
    imported.BitmapFile = EncodeBitmap24(image);
    return imported;
  }
  QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  const uint32_t key = FreeKey(argb);
  const QRgb keyPixel = qRgb(key & 0xFF, (key >> 8) & 0xFF, (key >> 16) & 0xFF);
  for (int y = 0; y < argb.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      if (IsTransparent(line[x])) line[x] = keyPixel;
    }
  }
  imported.BitmapFile = EncodeBitmap24(argb);
  imported.ColorKey = key;
  return imported;
}

uint32_t TPictureImport::FreeKey(const QImage& argb) {
  // Which 5-6-5 values the opaque pixels take; a colour whose value is free
  // is also free in 8 bits per channel, as equal colours pack alike.
  std::vector<bool> used(0x10000, false);
  for (int y = 0; y < argb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      if (!IsTransparent(line[x])) used[Rgb565(qRed(line[x]), qGreen(line[x]), qBlue(line[x]))] = true;
    }
  }
  // Magenta first, then values that differ from it in ever higher bits, so
  // that the key stays close to the colour designers expect to see.
  const uint16_t preferred = ColorToRgb565(kPreferredKey);
  for (uint32_t step = 0; step < 0x10000; ++step) {
    const auto value = static_cast<uint16_t>(preferred ^ step);
    if (used[value]) continue;
    const uint32_t key = Rgb565ToColor(value);
    if (ColorToRgb565(key) == value) return key;
  }
  throw EInvalidGraphic(kBitmapNotValid);
}

}  // namespace kestrilo
