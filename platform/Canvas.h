// Canvas drawing on a surface: brush, font, text at a point and one-pixel
// rectangle frames. Text goes through QPainter over the surface's own pixels.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

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
  int FontSize = 8;                         // points

  // One-pixel outline of the rectangle in the brush colour; the interior is untouched.
  void FrameRect(const TRect& rect);
  // Fills the rectangle with the brush colour.
  void FillRect(const TRect& rect);
  // Text (UTF-8) with its top-left corner at (x, y); with a solid brush the
  // text box is filled with the brush colour first.
  void TextOut(int x, int y, const std::string& text);
  // Ends QPainter work so the pixels are final.
  void Release();

  TSurface* Surface() const { return surface_; }

 private:
  QPainter& Painter();
  TSurface* surface_;
  QImage image_;
  std::unique_ptr<QPainter> painter_;
};

// The face used for a requested family, falling back to a close one when the
// system lacks it ("Impact" -> a bold condensed sans face).
QFont MatchFont(const std::string& family, int pointSize);

}  // namespace kestrilo
