#include "library/PictureImport.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

#include "library/ArgbRowReader.h"
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

// The largest picture that fits, in pixels.
constexpr uint64_t kMaxPixels = TPictureImport::kMaxBitmapBytes / 3;
// The deepest pixels Qt's readers decode common files into: 16 bits for
// each of four channels.
constexpr uint64_t kMaxDecodedBytesPerPixel = 8;

// The memory, in Qt's whole megabytes, that decoding a picture of this many
// pixels may take.
int AllocationMegabytes(uint64_t pixels) {
  return static_cast<int>((std::min(pixels, kMaxPixels) * kMaxDecodedBytesPerPixel >> 20) + 1);
}

// Qt keeps one allocation limit for all of its image readers: it is set for
// one decoding and put back after it, however the decoding ends. A reader
// refuses an image that would take more, whatever its header said.
class TAllocationLimit {
 public:
  explicit TAllocationLimit(int megabytes) : previous_(QImageReader::allocationLimit()) {
    QImageReader::setAllocationLimit(megabytes);
  }
  ~TAllocationLimit() { QImageReader::setAllocationLimit(previous_); }
  TAllocationLimit(const TAllocationLimit&) = delete;
  TAllocationLimit& operator=(const TAllocationLimit&) = delete;

 private:
  int previous_;
};

// A GIF begins with its signature and its logical screen's width and height.
constexpr qint64 kGifScreenEnd = 10;

// The size a picture's header states, before anything is decoded; none when
// its reader cannot tell. Qt's GIF reader states the first frame's size but
// makes an image of the whole logical screen, which may be far larger.
std::optional<TPictureSize> StatedSize(QImageReader& reader, const QByteArray& start) {
  const QSize size = reader.size();
  std::optional<TPictureSize> stated;
  if (size.isValid()) stated = TPictureSize{static_cast<uint64_t>(size.width()), static_cast<uint64_t>(size.height())};
  if (start.size() == kGifScreenEnd && start.startsWith("GIF8")) {
    const auto byte = [&start](int at) { return static_cast<uint64_t>(static_cast<uint8_t>(start[at])); };
    const TPictureSize screen{byte(6) | byte(7) << 8, byte(8) | byte(9) << 8};
    const TPictureSize first = stated.value_or(TPictureSize{});
    stated = TPictureSize{std::max(first.Width, screen.Width), std::max(first.Height, screen.Height)};
  }
  return stated;
}

// The file opened by the bytes of its name as they are (not every name is
// UTF-8); "Cannot open file %s" for a file that cannot be read.
void OpenForReading(const std::string& path, QFile& file) {
  const int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat status {};
  if (fd < 0 || ::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode) ||
      !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    if (fd >= 0) ::close(fd);
    throw EFOpenError(CannotOpenMessage(path));
  }
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

bool TPictureImport::Fits(uint64_t width, uint64_t height) {
  // Either side alone past the limit would overflow the product below.
  if (width > kMaxBitmapBytes || height > kMaxBitmapBytes) return false;
  return Bitmap24FileSize(width, height) <= kMaxBitmapBytes;
}

void TPictureImport::CheckFits(const std::string& path, uint64_t width, uint64_t height) {
  if (Fits(width, height)) return;
  // One substitution for all four, so that a "%" in the file name stays as it
  // is. No-break spaces keep the size and the limit whole where a message box
  // wraps the line.
  const QString message =
      QCoreApplication::translate("TPictureImport", "Картинка слишком велика: %1, %2 × %3 точек; предел — %4 МБ")
          .arg(QString::fromStdString(cp1251::EscapeControls(path)), QString::number(width), QString::number(height),
               QString::number(kMaxBitmapBytes >> 20));
  throw EInvalidGraphic(message.toStdString());
}

TImportedPicture TPictureImport::FromFile(const std::string& path) {
  QFile file;
  OpenForReading(path, file);
  // The extension is a hint; the content decides, as a misnamed file is common.
  const QByteArray start = file.peek(kGifScreenEnd);
  QImageReader reader(&file, QByteArray::fromStdString(cp1251::ToLower(ExtensionOf(path))));
  reader.setDecideFormatFromContent(true);
  // A photograph turned by its camera's note is taken as it is seen.
  reader.setAutoTransform(true);
  const std::optional<TPictureSize> stated = StatedSize(reader, start);
  if (stated) CheckFits(path, stated->Width, stated->Height);
  QImage image;
  {
    const TAllocationLimit limit(AllocationMegabytes(stated ? stated->Pixels() : kMaxPixels));
    image = reader.read();
  }
  if (image.isNull()) throw EInvalidGraphic(kBitmapNotValid);
  // A turned photograph is checked as it is seen, and so is a picture whose
  // reader could not tell its size beforehand.
  CheckFits(path, static_cast<uint64_t>(image.width()), static_cast<uint64_t>(image.height()));
  return FromImage(image);
}

TImportedPicture TPictureImport::FromImage(const QImage& image) {
  if (image.isNull()) throw EInvalidGraphic(kBitmapNotValid);
  TImportedPicture imported;
  if (!image.hasAlphaChannel()) {
    imported.BitmapFile = EncodeBitmap24(image);
    return imported;
  }
  const uint32_t key = FreeKey(image);
  const QRgb keyPixel = qRgb(key & 0xFF, (key >> 8) & 0xFF, (key >> 16) & 0xFF);
  imported.BitmapFile = EncodeBitmap24(image, [keyPixel](QRgb* row, int32_t width) {
    for (int32_t x = 0; x < width; ++x) {
      if (IsTransparent(row[x])) row[x] = keyPixel;
    }
  });
  imported.ColorKey = key;
  return imported;
}

uint32_t TPictureImport::FreeKey(const QImage& image) {
  // Which 5-6-5 values the opaque pixels take; a colour whose value is free
  // is also free in 8 bits per channel, as equal colours pack alike.
  std::vector<bool> used(0x10000, false);
  TArgbRowReader rows(image);
  for (int32_t y = 0; y < image.height(); ++y) {
    const QRgb* line = rows.Row(y);
    for (int32_t x = 0; x < image.width(); ++x) {
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
