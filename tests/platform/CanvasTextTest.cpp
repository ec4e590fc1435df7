// The canvas keeps its matched font and the shaped form of the texts it drew;
// what it draws must stay what matching, laying out and drawing each text
// afresh through QPainter gives. Rectangles are written into the pixels
// directly and must clip like the painter would.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <random>
#include <string>

#include "platform/Canvas.h"
#include "platform/Surface.h"

using namespace kestrilo;

namespace {

void Noise(TSurface& s, uint32_t seed) {
  std::mt19937 random(seed);
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x) s.SetPixel(x, y, static_cast<uint16_t>(random()));
}

QColor ToQColor(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// A text drawn the straightforward way: the face matched, the text laid out
// and drawn, every time.
void ReferenceTextOut(TSurface& s, const TCanvas& settings, int x, int y, const std::string& text) {
  QImage image = s.WrapImage();
  QPainter painter(&image);
  const QFont font = MatchFont(settings.FontName, settings.FontSize);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  const QString q = QString::fromStdString(text);
  if (settings.BrushStyle == TBrushStyle::bsSolid)
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(q), metrics.height()), ToQColor(settings.BrushColor));
  painter.setPen(ToQColor(settings.FontColor));
  painter.drawText(x, y + metrics.ascent(), q);
}

bool SamePixels(const TSurface& a, const TSurface& b) {
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

// Texts of the status lines and of names, and some the canvas draws without
// keeping (a tab, a line break, right-to-left letters).
const char* const kTexts[] = {"FPS: 71",
                              "Всего объектов: 136001",
                              "Mouse.X = -300",
                              "Object X = -1",
                              "Mouse recalc X = -32",
                              "Ёж Дверь Лифт WWW fff jjj",
                              "",
                              " ",
                              "a\tb",
                              "line\nbreak",
                              "שלום abc",
                              "x"};

}  // namespace

TEST(CanvasText, KeptFontsAndShapesDrawWhatDrawingAfreshDraws) {
  TSurface ours(300, 60), reference(300, 60);
  TCanvas canvas(&ours);
  TCanvas settings(nullptr);
  struct TFace {
    const char* Name;
    int Size;
  };
  const TFace faces[] = {{"Impact", 10}, {"MS Sans Serif", 8}, {"Impact", 10}, {"Impact", 14}};
  uint32_t seed = 1;
  for (const TFace& face : faces)
    for (const TBrushStyle style : {TBrushStyle::bsClear, TBrushStyle::bsSolid})
      for (int pass = 0; pass < 2; ++pass)  // the second pass draws from what was kept
        for (const char* text : kTexts) {
          for (TCanvas* c : {&canvas, &settings}) {
            c->FontName = face.Name;
            c->FontSize = face.Size;
            c->BrushStyle = style;
            c->BrushColor = 0x00804020;
            c->FontColor = 0x0000FF;
          }
          Noise(ours, seed);
          Noise(reference, seed++);
          canvas.TextOut(3, 7, text);
          canvas.Release();
          ReferenceTextOut(reference, settings, 3, 7, text);
          ASSERT_TRUE(SamePixels(ours, reference)) << face.Name << " " << face.Size << " '" << text << "'";
        }
}

TEST(CanvasText, ManyDifferentTextsStayExactPastWhatIsKept) {
  TSurface ours(200, 30), reference(200, 30);
  TCanvas canvas(&ours);
  TCanvas settings(nullptr);
  for (TCanvas* c : {&canvas, &settings}) {
    c->FontName = "Impact";
    c->FontSize = 10;
    c->BrushStyle = TBrushStyle::bsClear;
    c->FontColor = 0x0000FF;
  }
  for (int i = 0; i < 300; ++i) {
    const std::string text = "Mouse.X = " + std::to_string(i % 150);
    Noise(ours, static_cast<uint32_t>(i));
    Noise(reference, static_cast<uint32_t>(i));
    canvas.TextOut(0, 0, text);
    canvas.Release();
    ReferenceTextOut(reference, settings, 0, 0, text);
    ASSERT_TRUE(SamePixels(ours, reference)) << text;
  }
}

TEST(CanvasText, TextBoundsHoldEveryPixelTheTextChanges) {
  for (const TBrushStyle style : {TBrushStyle::bsClear, TBrushStyle::bsSolid})
    for (const char* text : kTexts) {
      TSurface before(300, 60);
      Noise(before, 5);
      TSurface after = before;
      TCanvas canvas(&after);
      canvas.FontName = "Impact";
      canvas.FontSize = 10;
      canvas.BrushStyle = style;
      canvas.FontColor = 0x0000FF;
      const TRect bounds = canvas.TextBounds(20, 20, text);
      canvas.TextOut(20, 20, text);
      canvas.Release();
      int changed = 0;
      for (int32_t y = 0; y < after.Height(); ++y)
        for (int32_t x = 0; x < after.Width(); ++x) {
          if (after.Pixel(x, y) == before.Pixel(x, y)) continue;
          ++changed;
          ASSERT_TRUE(x >= bounds.Left && x < bounds.Right && y >= bounds.Top && y < bounds.Bottom)
              << "'" << text << "' changed (" << x << ", " << y << ")";
        }
      if (std::string(text).find_first_not_of(" \t\n") != std::string::npos) {
        EXPECT_GT(changed, 0) << text;
      }
      // The same rectangle wherever the text goes.
      const TRect moved = canvas.TextBounds(-5, 100, text);
      EXPECT_EQ(moved.Left - bounds.Left, -25);
      EXPECT_EQ(moved.Top - bounds.Top, 80);
      EXPECT_EQ(moved.Width(), bounds.Width());
    }
}

TEST(CanvasText, RectanglesPartlyOrWhollyOffTheSurfaceAreClipped) {
  TSurface s(10, 8);
  TCanvas canvas(&s);
  canvas.BrushColor = 0;
  const TRect rects[] = {{-3, -3, 4, 4},   {6, 5, 30, 30}, {12, 2, 20, 6}, {2, 9, 6, 20},
                         {-9, -9, -2, -2}, {3, 3, 4, 4},   {0, 0, 10, 8},  {5, 5, 5, 9}};
  for (const TRect& r : rects) {
    s.Fill(128);
    canvas.FrameRect(r);
    for (int32_t y = 0; y < 8; ++y)
      for (int32_t x = 0; x < 10; ++x) {
        const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
        const bool edge = inside && (x == r.Left || x == r.Right - 1 || y == r.Top || y == r.Bottom - 1);
        ASSERT_EQ(s.Pixel(x, y), edge ? 0 : 128) << x << "," << y << " of " << r.Left << "," << r.Top;
      }
    s.Fill(128);
    canvas.FillRect(r);
    for (int32_t y = 0; y < 8; ++y)
      for (int32_t x = 0; x < 10; ++x) {
        const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
        ASSERT_EQ(s.Pixel(x, y), inside ? 0 : 128) << x << "," << y << " of " << r.Left << "," << r.Top;
      }
  }
}
