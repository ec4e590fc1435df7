#include "platform/Canvas.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace kestrilo {

namespace {
QColor ToQColor(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
}  // namespace

QFont MatchFont(const std::string& family, int pointSize) {
  const QString name = QString::fromStdString(family);
  QFont font(name);
  font.setPointSize(pointSize);
  if (!QFontDatabase::hasFamily(name) && name.compare("Impact", Qt::CaseInsensitive) == 0) {
    // Impact is a heavy condensed sans face; the closest common stand-in.
    font.setFamilies({"DejaVu Sans Condensed", "Liberation Sans Narrow", "DejaVu Sans"});
    font.setBold(true);
  }
  // Render at 96 dots per inch whatever the screen says, so text has the same
  // size on every machine (10 points = 13 pixels).
  font.setPixelSize(pointSize * 96 / 72);
  return font;
}

void TCanvas::FrameRect(const TRect& r) {
  if (!surface_ || r.Right <= r.Left || r.Bottom <= r.Top) return;
  Release();  // direct pixel work must not race queued painter work
  const uint16_t v = ColorToRgb565(BrushColor);
  const int32_t w = surface_->Width(), h = surface_->Height();
  auto hline = [&](int32_t y) {
    if (y < 0 || y >= h) return;
    const int32_t l = std::max(r.Left, 0), rr = std::min(r.Right, w);
    for (int32_t x = l; x < rr; ++x) surface_->SetPixel(x, y, v);
  };
  auto vline = [&](int32_t x) {
    if (x < 0 || x >= w) return;
    const int32_t t = std::max(r.Top, 0), b = std::min(r.Bottom, h);
    for (int32_t y = t; y < b; ++y) surface_->SetPixel(x, y, v);
  };
  hline(r.Top);
  hline(r.Bottom - 1);
  vline(r.Left);
  vline(r.Right - 1);
}

void TCanvas::FillRect(const TRect& r) {
  if (!surface_) return;
  Release();
  surface_->FillRect(r, ColorToRgb565(BrushColor));
}

QPainter& TCanvas::Painter() {
  if (!painter_) {
    image_ = surface_->WrapImage();
    painter_ = std::make_unique<QPainter>(&image_);
  }
  return *painter_;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (!surface_ || surface_->Width() == 0) return;
  QPainter& p = Painter();
  const QFont font = MatchFont(FontName, FontSize);
  p.setFont(font);
  const QFontMetrics metrics(font);
  const QString s = QString::fromStdString(text);
  if (BrushStyle == TBrushStyle::bsSolid)
    p.fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()), ToQColor(BrushColor));
  p.setPen(ToQColor(FontColor));
  p.drawText(x, y + metrics.ascent(), s);
}

void TCanvas::Release() {
  if (painter_) {
    painter_->end();
    painter_.reset();
    image_ = QImage();
  }
}

}  // namespace kestrilo
