#include "library/BitmapCodec.h"

#include <QBuffer>
#include <QImageReader>

#include "platform/Errors.h"

namespace kestrilo {

QImage DecodeBitmap(std::string_view fileBytes) {
  QByteArray bytes(fileBytes.data(), static_cast<qsizetype>(fileBytes.size()));
  QImage image;
  if (!image.loadFromData(bytes, "BMP")) throw EInvalidGraphic(kBitmapNotValid);
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

QImage DecodeDib(std::string_view packedBytes) {
  throw EInvalidGraphic(kDibInvalid);
}

}  // namespace kestrilo
