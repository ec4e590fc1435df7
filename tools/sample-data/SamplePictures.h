// Every picture of the sample data, drawn in code. A picture is a strip (or
// a single image) of equal frames; transparent ones use the colour key kKey.
#pragma once

#include <QImage>
#include <cstdint>

namespace kestrilo::sample {

struct TSamplePicture {
  QImage Image;
  int32_t FrameWidth = 0;
  int32_t FrameHeight = 0;
  bool Transparent = true;
};

// Walls (opaque) and the trap.
TSamplePicture BrickWallPicture();
TSamplePicture StoneWallPicture();
TSamplePicture GirderPicture();  // 64 x 32
TSamplePicture GrassWallPicture();
TSamplePicture SpikesPicture();

// Lift, keys and doors. Doors: frame 0 shut, then the opening frames.
TSamplePicture LiftPicture();
TSamplePicture KeyPicture(QRgb color);
TSamplePicture DoorPicture(QRgb color);

// Back-plane pieces and the level background (640 x 480, tiles sideways).
TSamplePicture BackBricksPicture();
TSamplePicture PillarPicture();
TSamplePicture WindowPicture();
TSamplePicture CloudPicture();
TSamplePicture SkyPicture();

// Pick-ups, markers and decorations.
TSamplePicture MedKitPicture();
TSamplePicture HealingSpringPicture();  // animated
TSamplePicture AmmoCratePicture();
TSamplePicture StartMarkerPicture();
TSamplePicture TorchPicture();  // animated

// The player: frames 0-3 walk right, 4-7 walk left.
TSamplePicture PlayerPicture();

// Monsters share one frame plan (see MonsterFrames in SampleMonsters.h).
enum class TMonsterLook { Slime, Gunner, Bat, Frog };
TSamplePicture MonsterPicture(TMonsterLook look);

// Shots, bombs and blasts.
TSamplePicture PlayerShotPicture();
TSamplePicture BulletPicture();
TSamplePicture BombPicture();
TSamplePicture BlastPicture();

// The drifting pictures of the portal; the bird is first and small, since
// the portal takes the first picture's size.
TSamplePicture BirdPicture();
TSamplePicture DriftingCloudPicture();
TSamplePicture LeafPicture();

}  // namespace kestrilo::sample
