// The player, the monsters, shots, bombs, blasts and the drifting pictures.
#include <cmath>
#include <functional>

#include "PixelArt.h"
#include "SamplePictures.h"

namespace kestrilo::sample {

namespace {

constexpr QRgb kInk = 0xFF141018;

using TFrameDrawer = std::function<void(TPixelArt&, int)>;

TSamplePicture Strip(int frames, int width, int height, const TFrameDrawer& draw) {
  TPixelArt strip(width * frames, height);
  for (int k = 0; k < frames; ++k) {
    TPixelArt frame(width, height);
    draw(frame, k);
    strip.Place(frame, k * width, 0);
  }
  return {strip.Image(), width, height, true};
}

// The player facing right, walking phase 0..3. Feet stand on row 30, the
// last row stays empty (the picture reaches one pixel into the floor).
TPixelArt PlayerFacingRight(int phase) {
  TPixelArt art(32, 32);
  static constexpr int kStride[4][2] = {{-4, 3}, {-1, 1}, {3, -4}, {1, -1}};
  const int bob = phase % 2;
  for (int leg = 0; leg < 2; ++leg) {
    const int hip = 15 + leg * 2, foot = 16 + kStride[phase][leg];
    art.Line(hip, 22, foot, 28, 0xFF4A3424);
    art.Line(hip + 1, 22, foot + 1, 28, 0xFF5C4430);
    art.Fill(foot - 1, 29, 4, 2, 0xFF2A1C14);
  }
  art.Fill(12, 12 + bob, 9, 10, 0xFF2F62C8);
  art.Fill(12, 12 + bob, 9, 2, 0xFF4C80E0);
  art.Fill(12, 21, 9, 1, 0xFF6A4424);
  art.Line(15, 14 + bob, 16 - kStride[phase][0] / 2, 20, 0xFF2448A0);  // swinging arm
  art.Fill(19, 16 + bob, 7, 2, 0xFF3A3A44);                            // blaster
  art.Fill(24, 15 + bob, 2, 1, 0xFF70E060);
  art.Disc(16.5, 7.5 + bob, 4.6, 0xFFF0C08A);
  art.Fill(12, 2 + bob, 10, 3, 0xFFD03A2A);  // cap with a brim to the front
  art.Fill(20, 4 + bob, 4, 1, 0xFFA82A1E);
  art.Pixel(19, 7 + bob, kInk);
  art.Pixel(20, 9 + bob, 0xFFB07050);
  art.Outline(kInk);
  return art;
}

enum class TPose { Walk, Aim, Hit, Die };

// A monster facing left; right-facing frames are its mirror image.
TPixelArt MonsterFacingLeft(TMonsterLook look, TPose pose, int phase) {
  TPixelArt art(32, 32);
  const bool hit = pose == TPose::Hit;
  const bool dead = pose == TPose::Die;
  auto tint = [&](QRgb c) { return hit ? Shade(c, 90) : (dead ? Shade(qRgb(qGray(c), qGray(c), qGray(c)), -30) : c); };

  if (dead && phase == 1) {  // what is left: a flat heap on the floor
    const QRgb body =
        tint(look == TMonsterLook::Bat ? 0xFF7A48A0 : (look == TMonsterLook::Gunner ? 0xFF8A929E : 0xFF4CA048));
    art.Ellipse(16, 28, 12, 3, body);
    art.Ellipse(13, 27, 4, 1.5, Shade(body, 30));
    art.Pixel(10, 27, kInk);
    art.Pixel(19, 27, kInk);
    art.Outline(kInk);
    return art;
  }
  const int squash = dead ? 6 : 0;
  const int step = pose == TPose::Walk ? phase : 0;
  switch (look) {
    case TMonsterLook::Slime: {  // a walking bomb-blob with a lit fuse
      const double stretch = (step % 2) ? 1.0 : 0.0;
      const QRgb body = tint(0xFF4CA048);
      art.Ellipse(16, 21 + squash / 2.0, 11 + stretch, 9 - stretch - squash / 2.0, body);
      art.Fill(6, 29, 20, 2, tint(0xFF3A8036));
      art.Ellipse(13, 17 + squash, 5, 3, tint(0xFF80D070));
      art.Fill(8, 19 + squash, 4, 3, 0xFFFFFFFF);
      art.Fill(15, 19 + squash, 4, 3, 0xFFFFFFFF);
      art.Fill(8, 20 + squash, 2, 2, kInk);
      art.Fill(15, 20 + squash, 2, 2, kInk);
      art.Line(7, 18 + squash, 11, 19 + squash, kInk);
      if (!dead) {
        art.Line(17, 12, 20, 7, 0xFF806040);
        art.Disc(20.5, 6, step % 2 ? 2.5 : 1.8, 0xFFFFB020);
        art.Pixel(20, 5, 0xFFFFFFA0);
      }
      break;
    }
    case TMonsterLook::Gunner: {  // a little robot with an arm gun
      const QRgb metal = tint(0xFF8A929E);
      for (int leg = 0; leg < 2; ++leg) {
        const int x = 12 + leg * 6 + ((step + leg) % 2 ? 1 : -1);
        art.Fill(x, 23 + squash / 2, 3, 7 - squash / 2, tint(0xFF505860));
        art.Fill(x - 1, 29, 5, 2, tint(0xFF30363C));
      }
      art.Fill(10, 12 + squash, 13, 11 - squash / 2, metal);
      art.Fill(10, 12 + squash, 13, 2, Shade(metal, 40));
      art.Fill(11, 4 + squash, 11, 8, tint(0xFF6E7682));
      art.Fill(11, 7 + squash, 8, 3, tint(0xFFE03030));  // visor
      art.Fill(12, 8 + squash, 2, 1, 0xFFFFB0B0);
      art.Fill(15, 2 + squash, 2, 2, tint(0xFFE0D040));
      const int aimLift = pose == TPose::Aim ? -2 : 0;
      art.Fill(1, 15 + aimLift + squash, 11, 3, tint(0xFF3A3E46));
      art.Fill(1, 15 + aimLift + squash, 2, 3, tint(0xFFE0A030));
      break;
    }
    case TMonsterLook::Bat: {  // a flying bat holding its bomb
      const QRgb body = tint(0xFF7A48A0);
      const int wing = dead ? 2 : (step % 2 ? -5 : 4);
      art.Disc(16, 14 + squash, 7, body);
      for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 10; ++i)
          art.Line(16 + side * 5, 12 + squash, 16 + side * (7 + i), 13 + wing * i / 9 + squash + (i % 3 == 2 ? 2 : 0),
                   Shade(body, -20));
      }
      art.Fill(10, 7 + squash, 3, 4, body);
      art.Fill(19, 7 + squash, 3, 4, body);
      art.Fill(11, 12 + squash, 3, 2, 0xFFFFE040);
      art.Fill(17, 12 + squash, 3, 2, 0xFFFFE040);
      art.Pixel(11, 12 + squash, kInk);
      art.Pixel(17, 12 + squash, kInk);
      if (!dead) art.Disc(16, 24, 3.5, 0xFF202024);
      break;
    }
    case TMonsterLook::Frog: {  // a frog crouching and springing
      const QRgb skin = tint(0xFF8CC030);
      const int crouch = (pose == TPose::Walk && step % 2) ? 2 : 0;
      art.Ellipse(17, 21 + crouch + squash / 2.0, 11, 7 - squash / 3.0, skin);
      art.Ellipse(17, 24 + crouch, 8, 4, tint(0xFFE0E090));
      art.Disc(10, 14 + crouch + squash, 4, skin);
      art.Disc(20, 14 + crouch + squash, 4, skin);
      art.Disc(10, 13 + crouch + squash, 2, 0xFFFFFFFF);
      art.Disc(20, 13 + crouch + squash, 2, 0xFFFFFFFF);
      art.Pixel(9, 13 + crouch + squash, kInk);
      art.Pixel(19, 13 + crouch + squash, kInk);
      art.Line(8, 20 + crouch, 14, 21 + crouch, kInk);
      art.Fill(5, 28, 7, 3, Shade(skin, -40));
      art.Fill(22, 27 - crouch, 8, 4, Shade(skin, -40));
      break;
    }
  }
  art.Outline(kInk);
  return art;
}

}  // namespace

TSamplePicture PlayerPicture() {
  return Strip(8, 32, 32, [](TPixelArt& art, int k) {
    const TPixelArt right = PlayerFacingRight(k % 4);
    art.Place(k < 4 ? right : right.Mirrored(), 0, 0);
  });
}

TSamplePicture MonsterPicture(TMonsterLook look) {
  // 0-3 walk left, 4-7 walk right, 8 aim left, 9 aim right, 10-11 hit left,
  // 12-13 hit right, 14-15 dying left, 16-17 dying right (15 and 17: remains).
  return Strip(18, 32, 32, [look](TPixelArt& art, int k) {
    TPose pose = TPose::Walk;
    bool right = false;
    int phase = 0;
    if (k < 8) {
      right = k >= 4;
      phase = k % 4;
    } else if (k < 10) {
      pose = TPose::Aim;
      right = k == 9;
    } else if (k < 14) {
      pose = TPose::Hit;
      right = k >= 12;
      phase = k % 2;
    } else {
      pose = TPose::Die;
      right = k >= 16;
      phase = k % 2;
    }
    const TPixelArt left = MonsterFacingLeft(look, pose, phase);
    art.Place(right ? left.Mirrored() : left, 0, 0);
  });
}

TSamplePicture PlayerShotPicture() {
  // The box is 16 pixels shorter than the picture; the blob sits low so that
  // it leaves at the height of the player's blaster.
  return Strip(2, 16, 24, [](TPixelArt& art, int k) {
    art.Ellipse(8, 20, 6 - k, 3 + k, 0xFF58D848);
    art.Ellipse(7, 19, 2.5, 1.5, 0xFFC8FFB8);
    art.Outline(0xFF1E5A18);
  });
}

TSamplePicture BulletPicture() {
  return Strip(2, 16, 8, [](TPixelArt& art, int k) {
    art.Ellipse(8, 4, 7, 2.5, k ? 0xFFFF9020 : 0xFFFFC030);
    art.Ellipse(5, 4, 3, 1.2, 0xFFFFF8C0);
  });
}

TSamplePicture BombPicture() {
  return Strip(2, 16, 16, [](TPixelArt& art, int k) {
    art.Disc(8, 10, 5.5, 0xFF26262C);
    art.Disc(6.5, 8.5, 1.5, 0xFF70707A);
    art.Line(9, 4, 11, 1, 0xFF8A6A40);
    art.Disc(11.5, 1.5, k ? 1.8 : 1.2, k ? 0xFFFFE060 : 0xFFFF8020);
    art.Outline(kInk);
  });
}

TSamplePicture BlastPicture() {
  return Strip(6, 32, 32, [](TPixelArt& art, int k) {
    static constexpr double kRadius[6] = {5, 9, 12, 14, 13, 11};
    const double r = kRadius[k];
    const QRgb outer = k < 3 ? 0xFFE8501C : (k < 5 ? 0xFF8A4A30 : 0xFF505058);
    const QRgb inner = k < 3 ? 0xFFFFB030 : (k < 5 ? 0xFFC07030 : 0xFF707078);
    art.Disc(16, 16, r, outer);
    for (int i = 0; i < 8; ++i) {
      const double a = i * 0.785 + k * 0.3;
      art.Disc(16 + std::cos(a) * r * 0.8, 16 + std::sin(a) * r * 0.8, r * 0.35, outer);
    }
    art.Disc(16, 16, r * 0.6, inner);
    if (k < 2) art.Disc(16, 16, r * 0.3, 0xFFFFF8D0);
  });
}

TSamplePicture BirdPicture() {
  return Strip(4, 24, 16, [](TPixelArt& art, int k) {
    static constexpr int kWing[4] = {-5, -1, 3, -1};
    const QRgb c = 0xFF2A2438;
    art.Ellipse(12, 9, 5, 2, c);
    art.Disc(17, 8, 2, c);
    art.Pixel(19, 8, 0xFFE0A030);
    art.Line(12, 8, 5, 8 + kWing[k], c);
    art.Line(12, 8, 16, 8 + kWing[k], c);
    art.Line(11, 8, 4, 8 + kWing[k], c);
  });
}

TSamplePicture DriftingCloudPicture() {
  return Strip(2, 64, 32, [](TPixelArt& art, int k) {
    const QRgb c = k ? 0xFFC8D0E0 : 0xFFD4DAE8;
    art.Ellipse(32, 20, 28, 8, c);
    art.Disc(22, 16, 9, c);
    art.Disc(38, 12 + k, 11, c);
    art.Disc(50, 17, 7, c);
  });
}

TSamplePicture LeafPicture() {
  return Strip(4, 16, 16, [](TPixelArt& art, int k) {
    const double w = k % 2 ? 2.5 : 6;
    art.Ellipse(8, 8, w, 4, k < 2 ? 0xFFE08A28 : 0xFFC8502A);
    art.Line(8 - int(w), 8, 8 + int(w), 8, 0xFF7A3A18);
  });
}

}  // namespace kestrilo::sample
