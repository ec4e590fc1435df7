#include "PngFile.h"

#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <utility>

#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/DrawingRecord.h"
#include "platform/Errors.h"
#include "platform/PngEncoder.h"
#include "platform/Surface.h"

namespace kestrilo::tool {

void SavePng(const QImage& image, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (image.isNull() || !image.save(&buffer, "PNG")) throw EFCreateError(CannotCreateMessage(path));
  WriteFileAtomic(path, bytes.toStdString());
}

namespace {

// Rows played and compressed at once: 6400 x 160 pixels of a whole level are 2 MB.
constexpr int32_t kBandRows = 160;

}  // namespace

void SavePngInBands(int32_t Width, int32_t Height, const std::function<void(TSurface& Picture)>& Draw,
                    const std::string& path) {
  std::string bytes;
  try {
    TDrawingRecord drawing;
    TSurface whole = TSurface::RecordingInto(Width, Height, drawing);
    Draw(whole);
    TPngEncoder png(Width, Height);
    TSurface band;
    for (int32_t top = 0; top < Height; top += kBandRows) {
      const int32_t rows = std::min(kBandRows, Height - top);
      if (band.Height() != rows) band = TSurface::Unfilled(Width, rows);
      band.SetFirstRow(top);
      drawing.PlayOnto(band);
      png.AddRows(band);
    }
    bytes = png.Finish();
  } catch (const EWriteError&) {
    throw EFCreateError(CannotCreateMessage(path));
  }
  WriteFileAtomic(path, std::move(bytes));
}

}  // namespace kestrilo::tool
