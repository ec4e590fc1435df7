#include "PngFile.h"

#include <QBuffer>
#include <QByteArray>

#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"

namespace kestrilo::tool {

void SavePng(const QImage& image, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (image.isNull() || !image.save(&buffer, "PNG")) throw EFCreateError(CannotCreateMessage(path));
  WriteFileAtomic(path, bytes.toStdString());
}

}  // namespace kestrilo::tool
