// Canvas drawing on a surface: brush, font, text at a point and one-pixel
// rectangle frames. Text goes through QPainter over the surface's own pixels;
// rectangles are written into the pixels directly.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/Rect.h"
#include "platform/Surface.h"

namespace kestrilo {

enum class TBrushStyle { bsSolid, bsClear };

class TCanvas {
 public:
  explicit TCanvas(TSurface* surface) : surface_(surface) {}
  ~TCanvas() { Release(); }
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Colours are 0x00BBGGRR.
  uint32_t BrushColor = 0;
  TBrushStyle BrushStyle = TBrushStyle::bsSolid;
  uint32_t FontColor = 0;
  std::string FontName = "MS Sans Serif";  // UTF-8
  int FontSize = 8;                        // points

  // One-pixel outline of the rectangle in the brush colour; the interior is untouched.
  void FrameRect(const TRect& rect);
  // Fills the rectangle with the brush colour.
  void FillRect(const TRect& rect);
  // Text (UTF-8) with its top-left corner at (x, y); with a solid brush the
  // text box is filled with the brush colour first.
  void TextOut(int x, int y, const std::string& text);
  // A rectangle holding every pixel that TextOut(x, y, text) with the current
  // font and brush can change (the text box, the glyphs' ink and a margin for
  // smoothed edges); not clipped to the surface.
  TRect TextBounds(int x, int y, const std::string& text);
  // Ends QPainter work so the pixels are final.
  void Release();

  TSurface* Surface() const { return surface_; }

 private:
  QPainter& Painter();
  // The face for FontName and FontSize, matched again only when they change:
  // asking the font database costs more than drawing a line of text.
  void MatchCurrentFont();

  // A text shaped once into positioned glyphs, with the baseline at Ascent.
  struct TShapedText {
    QList<QGlyphRun> Runs;
    qreal Ascent = 0;
    int Advance = 0;
    QRect Reach;  // what drawing it at (0, 0) can change
  };
  // The shaped form of a text in the current font, kept for the next frames
  // (shaping costs more than drawing); null for text that is drawn as it
  // comes (control characters, right-to-left scripts).
  const TShapedText* Shaped(const std::string& text);
  QRect ReachOf(const QString& text, int advance) const;

  TSurface* surface_;
  QImage image_;
  std::unique_ptr<QPainter> painter_;
  std::string matchedName_;
  int matchedSize_ = -1;
  QFont font_;
  QFontMetrics metrics_{QFont()};
  std::unordered_map<std::string, TShapedText> shaped_;  // by UTF-8 text, for font_
  // Text is laid out for an image like the ones the painter draws on.
  QImage layoutDevice_{1, 1, QImage::Format_RGB16};
};

// The face used for a requested family, falling back to a close one when the
// system lacks it ("Impact" -> a bold condensed sans face).
QFont MatchFont(const std::string& family, int pointSize);

}  // namespace kestrilo
