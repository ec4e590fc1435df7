#include "platform/Canvas.h"

#include <QFontDatabase>
#include <QTextLayout>
#include <algorithm>

namespace kestrilo {

namespace {
QColor ToQColor(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// Texts shaped in one font that are kept; the status lines need a handful,
// changing numbers bring new ones, and past this the store starts afresh.
constexpr size_t kShapedTextLimit = 64;

// Text laid out on one line from left to right: no control characters (line
// breaks among them) and nothing from the right-to-left scripts on, whose
// order drawing decides by itself.
bool ShapesOnOneLine(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.unicode() >= 0x0590) return false;
  return true;
}

// Fills what of the rectangle lies on the surface; a rectangle wholly beside
// it fills nothing.
void FillClipped(TSurface& surface, const TRect& r, uint16_t value) {
  const TRect clipped{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, surface.Width()),
                      std::min(r.Bottom, surface.Height())};
  if (clipped.Left < clipped.Right && clipped.Top < clipped.Bottom) surface.FillRect(clipped, value);
}
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
  // Four one-pixel bands, each clipped to the surface.
  FillClipped(*surface_, {r.Left, r.Top, r.Right, r.Top + 1}, v);
  FillClipped(*surface_, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, v);
  FillClipped(*surface_, {r.Left, r.Top, r.Left + 1, r.Bottom}, v);
  FillClipped(*surface_, {r.Right - 1, r.Top, r.Right, r.Bottom}, v);
}

void TCanvas::FillRect(const TRect& r) {
  if (!surface_) return;
  Release();
  FillClipped(*surface_, r, ColorToRgb565(BrushColor));
}

QPainter& TCanvas::Painter() {
  if (!painter_) {
    image_ = surface_->WrapImage();
    painter_ = std::make_unique<QPainter>(&image_);
  }
  return *painter_;
}

void TCanvas::MatchCurrentFont() {
  if (FontSize == matchedSize_ && FontName == matchedName_) return;
  font_ = MatchFont(FontName, FontSize);
  metrics_ = QFontMetrics(font_);
  matchedName_ = FontName;
  matchedSize_ = FontSize;
  shaped_.clear();
}

const TCanvas::TShapedText* TCanvas::Shaped(const std::string& text) {
  if (const auto found = shaped_.find(text); found != shaped_.end()) return &found->second;
  const QString s = QString::fromStdString(text);
  if (!ShapesOnOneLine(s)) return nullptr;
  if (shaped_.size() >= kShapedTextLimit) shaped_.clear();
  // Laid out for an image, as drawing the text straight on the surface's image is.
  QTextLayout layout(s, font_, &layoutDevice_);
  QTextOption option = layout.textOption();
  option.setWrapMode(QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  TShapedText& shaped = shaped_[text];
  shaped.Ascent = line.isValid() ? line.ascent() : 0;
  shaped.Runs = layout.glyphRuns();
  shaped.Advance = metrics_.horizontalAdvance(s);
  shaped.Reach = ReachOf(s, shaped.Advance);
  return &shaped;
}

QRect TCanvas::ReachOf(const QString& text, int advance) const {
  // The box a solid brush fills, and the ink, which slanted or overhanging
  // glyphs carry past the box by a pixel or two; smoothing adds a fringe.
  const QRect box(0, 0, advance, metrics_.height());
  const QRect ink = metrics_.boundingRect(text).translated(0, metrics_.ascent());
  const int margin = 2 + metrics_.height() / 8;
  return box.united(ink).adjusted(-margin, -margin, margin, margin);
}

TRect TCanvas::TextBounds(int x, int y, const std::string& text) {
  MatchCurrentFont();
  QRect reach;
  if (const TShapedText* shaped = Shaped(text)) {
    reach = shaped->Reach;
  } else {
    const QString s = QString::fromStdString(text);
    reach = ReachOf(s, metrics_.horizontalAdvance(s));
  }
  return Bounds(x + reach.x(), y + reach.y(), reach.width(), reach.height());
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (!surface_ || surface_->Width() == 0) return;
  MatchCurrentFont();
  QPainter& p = Painter();
  const TShapedText* shaped = Shaped(text);
  const QString unshaped = shaped ? QString() : QString::fromStdString(text);
  if (BrushStyle == TBrushStyle::bsSolid) {
    const int advance = shaped ? shaped->Advance : metrics_.horizontalAdvance(unshaped);
    p.fillRect(QRect(x, y, advance, metrics_.height()), ToQColor(BrushColor));
  }
  p.setPen(ToQColor(FontColor));
  const int baseline = y + metrics_.ascent();
  if (!shaped) {
    p.setFont(font_);
    p.drawText(x, baseline, unshaped);
    return;
  }
  // The runs' baseline lies at Ascent below their origin.
  const QPointF origin(x, baseline - shaped->Ascent);
  for (const QGlyphRun& run : shaped->Runs) p.drawGlyphRun(origin, run);
}

void TCanvas::Release() {
  if (painter_) {
    painter_->end();
    painter_.reset();
    image_ = QImage();
  }
}

}  // namespace kestrilo
