// The sprite tree drawn onto a recording surface and played band by band
// (each band a surface standing for its rows) is the tree drawn whole, pixel
// for pixel: sprites draw through fills and blits alone. For pictures at
// fractional places across the bands' edges and larger than their bounds,
// backgrounds that repeat and that do not, a camera off the whole pixels,
// through the full walk and through the index.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/DrawingRecord.h"
#include "platform/Surface.h"
#include "sprites/BackgroundSprite.h"
#include "sprites/ImageSprite.h"
#include "sprites/PictureFixture.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo {
namespace {

using namespace test;

constexpr int32_t kWidth = 160, kHeight = 120;
constexpr uint16_t kFill = 0x1234;

struct TScene {
  TPictureFixture Pictures;
  TSpriteEngine Root;

  explicit TScene(uint32_t Seed) {
    std::mt19937 random(Seed);
    // Frames of 16 by 16 with a keyed corner, and a 24 by 24 tile.
    TPictureCollectionItem* sprites = Pictures.Add(64, 16, 16, 16, [](int32_t x, int32_t y) {
      return x % 16 < 3 && y < 3 ? kBlack : 0x010101u * static_cast<uint32_t>(x * 4 + y);
    });
    sprites->SetTransparentColor(kBlack);
    TPictureCollectionItem* tile = Pictures.Add(24, 24, 0, 0, [](int32_t x, int32_t y) {
      return x == 0 ? kRed : (y == 0 ? kGreen : 0x00300000u + static_cast<uint32_t>(x + 24 * y));
    });
    auto* repeating = new TBackgroundSprite(&Root);
    repeating->Picture = tile;
    repeating->Resize(3, 2);
    repeating->Repeat = true;
    repeating->X = -7.5;
    repeating->Y = 13.25;
    auto* once = new TBackgroundSprite(&Root);
    once->Picture = tile;
    once->Resize(2, 3);
    once->X = 40.75;
    once->Y = -20.5;
    for (int i = 0; i < 150; ++i) {
      auto* s = new TImageSprite(&Root);
      s->Picture = sprites;
      s->Width = 12 + static_cast<int32_t>(random() % 10);  // drawn centred on bounds of their own
      s->Height = 12 + static_cast<int32_t>(random() % 10);
      s->X = static_cast<double>(random() % 2000) / 10.0 - 20.0;
      s->Y = static_cast<double>(random() % 1600) / 10.0 - 20.0;
      s->FrameStart = static_cast<int32_t>(random() % 4);
      s->SetZ(static_cast<int32_t>(random() % 3));
    }
    Root.X = 0.5;
    Root.Y = -3.75;
  }

  TSurface DrawWhole() {
    TSurface whole(kWidth, kHeight);
    whole.Fill(kFill);
    Root.SetSurface(&whole);
    Root.DrawAll();
    return whole;
  }

  // Recorded once, played onto bands of Rows rows, copied into one surface for comparing.
  TSurface DrawInBands(int32_t Rows) {
    TDrawingRecord drawing;
    TSurface recording = TSurface::RecordingInto(kWidth, kHeight, drawing);
    recording.Fill(kFill);
    Root.SetSurface(&recording);
    Root.DrawAll();
    TSurface joined(kWidth, kHeight);
    for (int32_t top = 0; top < kHeight; top += Rows) {
      TSurface band(kWidth, std::min(Rows, kHeight - top));
      band.SetFirstRow(top);
      drawing.PlayOnto(band);
      joined.Blit(0, top, band, band.ClientRect(), false);
    }
    return joined;
  }
};

void ExpectSamePixels(const TSurface& Whole, const TSurface& Joined) {
  for (int32_t y = 0; y < kHeight; ++y)
    for (int32_t x = 0; x < kWidth; ++x) ASSERT_EQ(Joined.Pixel(x, y), Whole.Pixel(x, y)) << x << "," << y;
}

TEST(RecordedDrawing, BandsOfAnyHeightDrawTheWholePicture) {
  for (const uint32_t seed : {1u, 2u, 3u}) {
    TScene scene(seed);
    for (const bool indexed : {false, true}) {
      // A move pass validates the index, so that drawing asks it.
      if (indexed) scene.Root.Move(1);
      const TSurface whole = scene.DrawWhole();
      for (const int32_t rows : {1, 7, 16, 50, kHeight}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << (indexed ? ", indexed" : ", full walk") << ", bands of "
                                        << rows);
        ExpectSamePixels(whole, scene.DrawInBands(rows));
      }
    }
  }
}

}  // namespace
}  // namespace kestrilo
