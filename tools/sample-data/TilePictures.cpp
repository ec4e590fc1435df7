// Walls, lift, keys, doors, back-plane pieces, the level background, pick-ups
// and markers.
#include <cmath>
#include <numbers>

#include "PixelArt.h"
#include "SamplePictures.h"

namespace kestrilo::sample {

namespace {

constexpr QRgb kInk = 0xFF141018;  // outline of sprites

TSamplePicture Single(const TPixelArt& art, bool transparent) {
  return {art.Image(), art.Width(), art.Height(), transparent};
}

// Frames side by side in one strip.
template <typename DrawFrame>
TSamplePicture Strip(int frames, int width, int height, bool transparent, DrawFrame draw) {
  TPixelArt strip(width * frames, height);
  for (int k = 0; k < frames; ++k) {
    TPixelArt frame(width, height);
    draw(frame, k);
    strip.Place(frame, k * width, 0);
  }
  return {strip.Image(), width, height, transparent};
}

// Brick courses of 16 x 8 with staggered joints.
void Bricks(TPixelArt& art, QRgb brick, QRgb mortar, int seed) {
  art.Fill(0, 0, art.Width(), art.Height(), mortar);
  for (int row = 0; row * 8 < art.Height(); ++row) {
    const int shift = (row % 2) * 8;
    for (int col = -1; col * 16 < art.Width(); ++col) {
      const int x0 = col * 16 + shift, y0 = row * 8;
      const QRgb tone = Shade(brick, Noise(col, row, seed) % 24 - 12);
      art.Fill(x0 + 1, y0 + 1, 15, 7, tone);
      art.Fill(x0 + 1, y0 + 1, 15, 1, Shade(tone, 28));
      art.Fill(x0 + 1, y0 + 7, 15, 1, Shade(tone, -30));
      for (int i = 0; i < 6; ++i) {
        const int n = Noise(x0 + i, y0, seed + 7);
        art.Pixel(x0 + 2 + n % 13, y0 + 2 + (n >> 4) % 5, Shade(tone, -18));
      }
    }
  }
}

}  // namespace

TSamplePicture BrickWallPicture() {
  TPixelArt art(32, 32);
  Bricks(art, 0xFFA4532E, 0xFF4A3A33, 1);
  return Single(art, false);
}

TSamplePicture StoneWallPicture() {
  TPixelArt art(32, 32, 0xFF3A3C44);
  for (int by = 0; by < 2; ++by)
    for (int bx = 0; bx < 2; ++bx) {
      const int x0 = bx * 16, y0 = by * 16;
      const QRgb base = Shade(0xFF7C8290, Noise(bx, by, 3) % 20 - 10);
      art.Fill(x0 + 1, y0 + 1, 14, 14, base);
      art.Fill(x0 + 1, y0 + 1, 14, 2, Shade(base, 34));
      art.Fill(x0 + 1, y0 + 1, 2, 14, Shade(base, 22));
      art.Fill(x0 + 1, y0 + 13, 14, 2, Shade(base, -36));
      art.Fill(x0 + 13, y0 + 1, 2, 14, Shade(base, -26));
      for (int y = y0 + 3; y < y0 + 13; ++y)
        for (int x = x0 + 3; x < x0 + 13; ++x)
          if (Noise(x, y, 5) < 30) art.Pixel(x, y, Shade(base, -16));
    }
  return Single(art, false);
}

TSamplePicture GirderPicture() {
  TPixelArt art(64, 32, 0xFF2A3038);
  const QRgb steel = 0xFF5F7C93;
  art.Fill(0, 0, 64, 6, steel);
  art.Fill(0, 0, 64, 1, Shade(steel, 60));
  art.Fill(0, 5, 64, 1, Shade(steel, -40));
  art.Fill(0, 26, 64, 6, steel);
  art.Fill(0, 26, 64, 1, Shade(steel, 40));
  art.Fill(0, 31, 64, 1, Shade(steel, -50));
  for (int k = 0; k < 4; ++k) {  // cross bracing between the flanges
    const int x0 = k * 16;
    art.Line(x0, 6, x0 + 15, 25, Shade(steel, -10));
    art.Line(x0 + 1, 6, x0 + 16, 25, Shade(steel, 20));
    art.Line(x0 + 15, 6, x0, 25, Shade(steel, -10));
    art.Fill(x0, 6, 2, 20, Shade(steel, -20));
  }
  for (int x = 4; x < 64; x += 8) {
    art.Pixel(x, 2, 0xFFD8E4EC);
    art.Pixel(x, 28, 0xFFD8E4EC);
  }
  return Single(art, false);
}

TSamplePicture GrassWallPicture() {
  TPixelArt art(32, 32, 0xFF6B4426);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const int n = Noise(x, y, 11);
      if (n < 40)
        art.Pixel(x, y, 0xFF553520);
      else if (n > 236)
        art.Pixel(x, y, 0xFF8D6A48);
    }
  for (int x = 0; x < 32; ++x) {
    const int depth = 5 + Noise(x, 0, 12) % 3;
    art.Fill(x, 0, 1, depth, x % 3 == 0 ? 0xFF4FA43A : 0xFF3D8C2E);
    art.Pixel(x, depth, 0xFF2D6A22);
  }
  for (int x = 1; x < 32; x += 4) art.Pixel(x, 0, 0xFF9BE07A);
  return Single(art, false);
}

TSamplePicture SpikesPicture() {
  // Hangs from a ceiling: a dark bar with steel teeth pointing down.
  TPixelArt art(32, 32);
  art.Fill(0, 0, 32, 6, 0xFF3C3C46);
  art.Fill(0, 5, 32, 1, 0xFF24242C);
  for (int k = 0; k < 4; ++k) {
    const int cx = k * 8 + 4;
    for (int y = 6; y < 28; ++y) {
      const int half = (28 - y) * 4 / 22;
      art.Fill(cx - half, y, half, 1, 0xFFB8C0CC);
      art.Fill(cx, y, half + 1, 1, 0xFF7A8290);
    }
    art.Pixel(cx, 28, 0xFFE8ECF0);
  }
  return Single(art, true);
}

TSamplePicture LiftPicture() {
  return Strip(2, 64, 16, true, [](TPixelArt& art, int k) {
    art.Fill(1, 0, 62, 16, 0xFF5A5E66);
    for (int x = 1; x < 63; ++x)  // hazard stripes along the top
      art.Fill(x, 0, 1, 5, ((x + 40) / 4) % 2 ? 0xFFF2C230 : 0xFF202020);
    art.Fill(1, 5, 62, 1, 0xFF2A2C30);
    art.Fill(1, 15, 62, 1, 0xFF2A2C30);
    for (int x = 6; x < 60; x += 10) art.Fill(x, 8, 5, 4, 0xFF444850);
    const QRgb lamp = k == 0 ? 0xFF80FF60 : 0xFF206018;
    art.Fill(2, 7, 3, 6, lamp);
    art.Fill(59, 7, 3, 6, k == 0 ? 0xFF206018 : 0xFF80FF60);
  });
}

TSamplePicture KeyPicture(QRgb color) {
  TPixelArt art(32, 32);
  art.Disc(10, 16, 7, color);
  art.Disc(10, 16, 3, kKey);
  art.Fill(16, 14, 12, 4, color);
  art.Fill(22, 18, 2, 5, color);
  art.Fill(26, 18, 2, 4, color);
  art.Fill(16, 14, 12, 1, Shade(color, 70));
  art.Pixel(6, 12, Shade(color, 110));
  art.Pixel(7, 11, Shade(color, 110));
  art.Outline(kInk);
  return Single(art, true);
}

TSamplePicture DoorPicture(QRgb color) {
  // Frame 0 is shut; in the next frames the leaf slides up into the lintel.
  constexpr int kFrames = 5;
  return Strip(kFrames, 32, 64, true, [color](TPixelArt& art, int k) {
    art.Fill(0, 0, 32, 64, 0xFF0C0A10);  // the dark doorway
    const int leafBottom = 63 - k * 15;
    for (int y = 4; y < leafBottom; ++y) {
      for (int x = 4; x < 28; ++x) {
        const bool plankJoint = (x - 4) % 8 == 7;
        art.Pixel(x, y, plankJoint ? Shade(color, -60) : Shade(color, Noise(x / 8, y / 6, 21) % 20 - 10));
      }
    }
    if (leafBottom > 8) {
      art.Fill(4, leafBottom - 1, 24, 1, Shade(color, -70));
      art.Fill(4, 14, 24, 2, Shade(color, -45));  // iron bands
      if (leafBottom > 46) art.Fill(4, 44, 24, 2, Shade(color, -45));
      if (leafBottom > 34) {  // the lock plate shows the key's colour
        art.Fill(20, 28, 6, 8, 0xFFD8C070);
        art.Fill(22, 30, 2, 4, 0xFF202020);
      }
    }
    // The stone frame stays put.
    art.Fill(0, 0, 4, 64, 0xFF6E7280);
    art.Fill(28, 0, 4, 64, 0xFF6E7280);
    art.Fill(0, 0, 32, 4, 0xFF808694);
    art.Fill(0, 0, 1, 64, 0xFF9AA0AC);
    art.Fill(31, 0, 1, 64, 0xFF444852);
    art.Fill(3, 4, 1, 60, 0xFF444852);
    art.Fill(28, 4, 1, 60, 0xFF9AA0AC);
  });
}

TSamplePicture BackBricksPicture() {
  TPixelArt art(32, 32);
  Bricks(art, 0xFF4B3A44, 0xFF241C24, 2);
  return Single(art, false);
}

TSamplePicture PillarPicture() {
  TPixelArt art(32, 96);
  const QRgb stone = 0xFF6C6478;
  art.Fill(2, 0, 28, 8, stone);
  art.Fill(2, 0, 28, 2, Shade(stone, 40));
  art.Fill(2, 88, 28, 8, stone);
  art.Fill(2, 94, 28, 2, Shade(stone, -40));
  for (int x = 6; x < 26; ++x) {
    const int light = (x - 6) < 7 ? 24 : (x > 20 ? -34 : 0);
    art.Fill(x, 8, 1, 80, Shade(stone, light + ((x - 6) % 5 == 0 ? -20 : 0)));
  }
  art.Outline(0xFF1C1822);
  return Single(art, true);
}

TSamplePicture WindowPicture() {
  TPixelArt art(64, 64);
  art.Fill(4, 16, 56, 48, 0xFF5A5666);
  art.Ellipse(32, 18, 28, 16, 0xFF5A5666);
  art.Fill(10, 20, 44, 40, 0xFF1A2450);  // the night sky outside
  art.Ellipse(32, 21, 22, 12, 0xFF1A2450);
  for (int i = 0; i < 9; ++i) art.Pixel(12 + Noise(i, 0, 31) % 40, 12 + Noise(i, 1, 31) % 40, 0xFFF0F0C0);
  art.Disc(42, 24, 5, 0xFFF4E8A8);
  art.Disc(44, 23, 4, 0xFF1A2450);
  for (int x = 20; x < 54; x += 11) art.Fill(x, 8, 2, 52, 0xFF2C2A34);  // bars
  art.Fill(10, 38, 44, 2, 0xFF2C2A34);
  art.Fill(4, 58, 56, 6, 0xFF7A7688);
  art.Fill(4, 58, 56, 1, 0xFF9C98AA);
  art.Outline(0xFF1C1822);
  return Single(art, true);
}

TSamplePicture CloudPicture() {
  TPixelArt art(96, 48);
  const QRgb shadow = 0xFFB8C4D8, body = 0xFFE8EEF6;
  art.Ellipse(48, 32, 44, 12, shadow);
  art.Disc(30, 24, 14, shadow);
  art.Disc(52, 18, 16, shadow);
  art.Disc(72, 26, 12, shadow);
  art.Ellipse(47, 29, 42, 10, body);
  art.Disc(29, 22, 13, body);
  art.Disc(51, 16, 15, body);
  art.Disc(71, 24, 11, body);
  art.Disc(47, 11, 6, 0xFFFFFFFF);
  return Single(art, true);
}

TSamplePicture SkyPicture() {
  // Dusk sky, far mountains and near hills; every layer repeats every 640
  // pixels, so the picture tiles sideways without a seam.
  constexpr int kWidth = 640, kHeight = 480;
  constexpr double kTurn = 2 * std::numbers::pi / kWidth;
  TPixelArt art(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    const double t = y / double(kHeight);
    const QRgb sky = qRgb(int(24 + 150 * t * t), int(28 + 90 * t), int(70 + 80 * t));
    art.Fill(0, y, kWidth, 1, sky);
  }
  for (int i = 0; i < 70; ++i) {
    const int x = Noise(i, 0, 41) * kWidth / 256 + Noise(i, 2, 41) % 3, y = Noise(i, 1, 41) * 180 / 256;
    art.Pixel(x, y, i % 7 == 0 ? 0xFFFFFFFF : 0xFFB8C0E0);
  }
  art.Disc(470, 120, 26, 0xFFF6E6B0);
  art.Disc(462, 112, 6, 0xFFE0CC98);
  for (int x = 0; x < kWidth; ++x) {
    const int mountains = int(300 - 60 * std::sin(2 * kTurn * x) - 28 * std::sin(5 * kTurn * x + 1.3) -
                              12 * std::sin(11 * kTurn * x + 0.4));
    for (int y = mountains; y < kHeight; ++y) art.Pixel(x, y, y < mountains + 6 ? 0xFF6A5E8E : 0xFF4E4670);
    const int hills = int(390 - 26 * std::sin(3 * kTurn * x + 2.0) - 10 * std::sin(7 * kTurn * x));
    for (int y = hills; y < kHeight; ++y) art.Pixel(x, y, y < hills + 4 ? 0xFF3E6A4A : 0xFF2C4C38);
  }
  for (int x = 8; x < kWidth; x += 37) {  // dark pines on the hills
    const int base = int(390 - 26 * std::sin(3 * kTurn * x + 2.0) - 10 * std::sin(7 * kTurn * x)) + 8;
    for (int h = 0; h < 22; ++h) art.Fill(x - h / 4, base - h, h / 2 + 1, 1, 0xFF1C3426);
  }
  return Single(art, false);
}

TSamplePicture MedKitPicture() {
  TPixelArt art(32, 32);
  art.Fill(12, 9, 8, 3, 0xFF9A9AA6);
  art.Fill(14, 10, 4, 2, kKey);
  art.Fill(5, 12, 22, 18, 0xFFF2F2F2);
  art.Fill(5, 27, 22, 3, 0xFFC4C4CC);
  art.Fill(14, 15, 4, 11, 0xFFD81E28);
  art.Fill(10, 19, 12, 4, 0xFFD81E28);
  art.Outline(kInk);
  return Single(art, true);
}

TSamplePicture HealingSpringPicture() {
  return Strip(4, 32, 32, true, [](TPixelArt& art, int k) {
    art.Fill(6, 24, 20, 7, 0xFF6A6E7A);
    art.Fill(6, 24, 20, 2, 0xFF9094A0);
    const double glow = 7 + (k == 1 || k == 3 ? 1 : (k == 2 ? 2 : 0));
    art.Disc(16, 14, glow + 2, 0xFF1E7A3A);
    art.Disc(16, 14, glow, 0xFF3CCB5C);
    art.Disc(14, 12, glow / 2.5, 0xFFB8FFC8);
    art.Fill(15, 9, 2, 10, 0xFFFFFFFF);
    art.Fill(11, 13, 10, 2, 0xFFFFFFFF);
    art.Pixel(6 + k * 5, 4 + k % 2 * 2, 0xFFB8FFC8);
    art.Pixel(25 - k * 3, 3 + k, 0xFFB8FFC8);
    art.Outline(kInk);
  });
}

TSamplePicture AmmoCratePicture() {
  TPixelArt art(32, 32);
  for (int i = 0; i < 4; ++i) {  // cartridges on top
    art.Fill(7 + i * 5, 6, 3, 6, 0xFFD8A830);
    art.Fill(7 + i * 5, 4, 3, 2, 0xFFB06A28);
  }
  art.Fill(4, 12, 24, 18, 0xFF6E6A36);
  art.Fill(4, 12, 24, 2, 0xFF8E8A4C);
  art.Frame(4, 12, 24, 18, 0xFF3E3C1E);
  art.Line(5, 13, 26, 28, 0xFF4E4A26);
  art.Line(26, 13, 5, 28, 0xFF4E4A26);
  art.Fill(11, 18, 10, 6, 0xFFE8E0B0);
  art.Fill(13, 20, 6, 2, 0xFF3E3C1E);
  art.Outline(kInk);
  return Single(art, true);
}

TSamplePicture StartMarkerPicture() {
  TPixelArt art(32, 32);
  art.Fill(8, 26, 16, 5, 0xFF6A6E7A);
  art.Fill(8, 26, 16, 1, 0xFF9094A0);
  art.Fill(11, 3, 2, 23, 0xFFC8C8D0);
  for (int y = 0; y < 11; ++y) art.Fill(13, 4 + y, 13 - std::abs(5 - y), 1, y % 2 ? 0xFF32B04A : 0xFF40C85A);
  art.Outline(kInk);
  return Single(art, true);
}

TSamplePicture TorchPicture() {
  return Strip(4, 32, 32, true, [](TPixelArt& art, int k) {
    art.Fill(14, 16, 4, 12, 0xFF6A4A2A);
    art.Fill(11, 26, 10, 3, 0xFF505460);
    const int sway = (k == 1) ? 1 : (k == 3 ? -1 : 0);
    const int lift = k % 2;
    art.Ellipse(16 + sway, 10 - lift, 5, 8, 0xFFE8501C);
    art.Ellipse(16 + sway, 11 - lift, 3.5, 5.5, 0xFFF8A828);
    art.Ellipse(16, 13, 2, 3, 0xFFFFF0A0);
    art.Outline(kInk);
  });
}

}  // namespace kestrilo::sample
