// The overlay draws the grid straight into the pixels and keeps the status
// lines of earlier frames; every frame must still be the one that framing each
// cell and drawing each line through QPainter gives. The straightforward way
// is kept here as the reference, and both are compared pixel for pixel.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <random>

#include "editor/StatusOverlay.h"
#include "platform/Canvas.h"
#include "platform/Surface.h"

using namespace kestrilo;

namespace {

// One outline, pixel by pixel, clipped to the surface.
void ReferenceFrameRect(TSurface& s, const TRect& r, uint16_t v) {
  for (int32_t y : {r.Top, r.Bottom - 1})
    if (y >= 0 && y < s.Height())
      for (int32_t x = std::max(r.Left, 0); x < std::min(r.Right, s.Width()); ++x) s.SetPixel(x, y, v);
  for (int32_t x : {r.Left, r.Right - 1})
    if (x >= 0 && x < s.Width())
      for (int32_t y = std::max(r.Top, 0); y < std::min(r.Bottom, s.Height()); ++y) s.SetPixel(x, y, v);
}

// The overlay drawn the straightforward way: every cell framed on its own,
// every line matched, laid out and drawn by QPainter on the surface's pixels.
void ReferenceOverlay(TSurface& s, bool showGrid, bool showText, uint8_t cellSize, const TOverlayStatus& status) {
  if (showGrid)
    for (int32_t i = 0; i < GridColumns(cellSize, s.Width()); ++i)
      for (int32_t j = 0; j < GridRows(cellSize, s.Height()); ++j)
        ReferenceFrameRect(s, Bounds(i * cellSize, j * cellSize, cellSize, cellSize), 0);
  if (showText && s.Width() > 0) {
    QImage image = s.WrapImage();
    QPainter painter(&image);
    for (const TOverlayLine& line : OverlayLines(status)) {
      const QFont font = MatchFont("Impact", 10);
      painter.setFont(font);
      painter.setPen(QColor(255, 0, 0));
      painter.drawText(line.X, line.Y + QFontMetrics(font).ascent(), QString::fromStdString(line.Text));
    }
  }
}

// Backgrounds the text may lie on.
enum class TBackground { Flat, Noise, Blocks };

void Paint(TSurface& s, TBackground kind, uint32_t seed) {
  std::mt19937 random(seed);
  switch (kind) {
    case TBackground::Flat: s.Fill(128); break;
    case TBackground::Noise:
      for (int32_t y = 0; y < s.Height(); ++y)
        for (int32_t x = 0; x < s.Width(); ++x) s.SetPixel(x, y, static_cast<uint16_t>(random()));
      break;
    case TBackground::Blocks:
      // Sprite-like squares of a few colours, red among them.
      s.Fill(128);
      for (int k = 0; k < 40; ++k) {
        const uint16_t colours[] = {0xF800, 0xFFFF, 0x0000, 0x07E0, 0x8410};
        s.FillRect(Bounds(static_cast<int32_t>(random() % 220) - 20, static_cast<int32_t>(random() % 120) - 20, 32, 32),
                   colours[random() % 5]);
      }
      break;
  }
}

// The first pixel where two surfaces differ, or an empty text.
std::string FirstDifference(const TSurface& a, const TSurface& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return "sizes differ";
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y))
        return "(" + std::to_string(x) + ", " + std::to_string(y) + "): " + std::to_string(a.Pixel(x, y)) +
               " instead of " + std::to_string(b.Pixel(x, y));
  return {};
}

TOverlayStatus Status(int32_t fps, int32_t sprites, int32_t cursorX, int32_t left = 8) {
  TOverlayStatus status;
  status.FramesPerSecond = fps;
  status.SpriteCount = sprites;
  status.CursorX = cursorX;
  status.DrawAreaLeft = left;
  return status;
}

// Draws one frame both ways on the same background and compares.
struct TSideBySide {
  explicit TSideBySide(int32_t width = 640, int32_t height = 480) : Ours(width, height), Reference(width, height) {}
  std::string Frame(TBackground background, uint32_t seed, bool showGrid, bool showText, uint8_t cellSize,
                    const TOverlayStatus& status) {
    Paint(Ours, background, seed);
    Paint(Reference, background, seed);
    Overlay.Draw(Canvas, showGrid, showText, cellSize, status);
    ReferenceOverlay(Reference, showGrid, showText, cellSize, status);
    return FirstDifference(Ours, Reference);
  }
  TSurface Ours, Reference;
  TCanvas Canvas{&Ours};
  TStatusOverlay Overlay;
};

}  // namespace

TEST(OverlayExact, EveryGridSizeWithAndWithoutTextMatchesDrawingOutlineByOutline) {
  TSideBySide frames;
  const TOverlayStatus statuses[] = {Status(0, 0, 6), Status(71, 136002, 300), Status(1000, 1, -5, 18)};
  int frame = 0;
  for (const int cellSize : {0, 1, 7, 32, 64, 128, 255})
    for (const bool showGrid : {false, true})
      for (const bool showText : {false, true})
        for (const TBackground background : {TBackground::Flat, TBackground::Noise, TBackground::Blocks}) {
          const TOverlayStatus& status = statuses[frame++ % 3];
          const std::string difference = frames.Frame(background, static_cast<uint32_t>(frame), showGrid, showText,
                                                      static_cast<uint8_t>(cellSize), status);
          ASSERT_EQ(difference, "") << "cell " << cellSize << ", grid " << int(showGrid) << ", text " << int(showText)
                                    << ", background " << int(background);
        }
}

TEST(OverlayExact, KeptLinesAreCopiedOnlyWhereTheyComeOutTheSame) {
  // A run of frames as the preview makes them: mostly the same picture and
  // text, sometimes a sprite moving under the text, the count or the cursor changing.
  TSideBySide frames;
  int32_t sprites = 500, cursorX = 300;
  for (int tick = 0; tick < 60; ++tick) {
    if (tick % 7 == 3) sprites += 1;
    if (tick % 11 == 5) cursorX -= 34;
    const TBackground background = tick % 5 == 4 ? TBackground::Blocks : TBackground::Flat;
    const std::string difference = frames.Frame(background, static_cast<uint32_t>(tick / 10), tick % 13 == 0 ? 0 : 1, 1,
                                                32, Status(71 - tick / 20, sprites, cursorX));
    ASSERT_EQ(difference, "") << "tick " << tick;
  }
  // Both ways of making a line were taken, so both were compared.
  EXPECT_GT(frames.Overlay.LinesCopied(), 100);
  EXPECT_GT(frames.Overlay.LinesDrawn(), 30);
}

TEST(OverlayExact, AnUnchangedFrameCopiesEveryLine) {
  TSideBySide frames;
  const TOverlayStatus status = Status(64, 12, 75);
  ASSERT_EQ(frames.Frame(TBackground::Noise, 9, 1, 1, 32, status), "");
  EXPECT_EQ(frames.Overlay.LinesDrawn(), 5);
  ASSERT_EQ(frames.Frame(TBackground::Noise, 9, 1, 1, 32, status), "");
  EXPECT_EQ(frames.Overlay.LinesDrawn(), 5);
  EXPECT_EQ(frames.Overlay.LinesCopied(), 5);
  // A pixel changed under one line's glyphs makes that line alone be drawn again.
  Paint(frames.Ours, TBackground::Noise, 9);
  Paint(frames.Reference, TBackground::Noise, 9);
  frames.Ours.SetPixel(3, 44, 0x1234);
  frames.Reference.SetPixel(3, 44, 0x1234);
  frames.Overlay.Draw(frames.Canvas, 1, 1, 32, status);
  ReferenceOverlay(frames.Reference, 1, 1, 32, status);
  EXPECT_EQ(FirstDifference(frames.Ours, frames.Reference), "");
  EXPECT_EQ(frames.Overlay.LinesDrawn(), 6);
  EXPECT_EQ(frames.Overlay.LinesCopied(), 9);
}

TEST(OverlayExact, SurfacesOfOtherSizesClipAlike) {
  // Smaller than the classic drawing area (lines and grid cut off), larger
  // (a grown window: the grid covers all of it), and empty.
  for (const auto& [width, height] : {std::pair{100, 50}, std::pair{800, 600}, std::pair{0, 0}, std::pair{40, 480}}) {
    TSideBySide frames(width, height);
    for (const int cellSize : {1, 32, 255})
      for (int repeat = 0; repeat < 2; ++repeat)  // the second time from the kept lines
        ASSERT_EQ(frames.Frame(TBackground::Noise, 4, 1, 1, static_cast<uint8_t>(cellSize), Status(71, 136002, -2000)),
                  "")
            << width << " by " << height << ", cell " << cellSize;
  }
}
