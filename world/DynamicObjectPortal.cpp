#include "world/DynamicObjectPortal.h"

#include "library/PictureCollection.h"
#include "platform/Rounding.h"
#include "platform/ViewSize.h"
#include "sprites/SpriteEngine.h"
#include "world/DynamicObject.h"
#include "world/GameContext.h"
#include "world/ObjectPictures.h"

namespace kestrilo {

namespace {

constexpr double kFrameSpeed = 1.0 / 150.0;
constexpr double kStartOffset = 0.5;
constexpr int32_t kDriftScales = 4;  // Drift = Random(4) * (f2 - f1)
// The replacement drift is fraction * 0.4 * 10, multiplied in that order: folding
// the factors into 4.0 rounds differently in the last bit for about a quarter of
// the fractions, and replays must see the same drift.
constexpr double kSmallDriftFactor = 0.4;
constexpr double kSmallDriftScale = 10.0;
constexpr double kRiseScale = 5.0;
constexpr double kRisingBaseY = 260.0;
constexpr double kSpawnX = 350.0;
constexpr double kRisingSpawnY = 300.0;
constexpr int32_t kFloatingRows = 100;

}  // namespace

void TDinamicPortal::OnMove(int32_t /*MoveCount*/) {
  // The portal is never drawn, so it does not advance frames.
  if (SpawnTimer < kSpawnInterval) {
    SpawnTimer += 1;
    return;
  }
  SpawnTimer = 0;
  Spawn();
}

void TDinamicPortal::Spawn() {
  TGameContext* context = ContextOf(this);
  if (!context) return;
  TRandom& random = context->Random;

  // The draws below happen in exactly this order, so a seed replays a run.
  auto* object = new TDinamicObject(Engine);
  object->Kind = static_cast<uint8_t>(Round(random.RandomFraction()));

  // An empty picture list fails here with the range error; the object stays without a picture.
  TPictureCollection& pictures = context->PortalPictures();
  TPictureCollectionItem& picture = *pictures.Items(random.Random(pictures.Count()));
  ShowPicture(*object, picture);
  LoopFrames(*object, kFrameSpeed);

  object->Offset = kStartOffset;
  const int32_t scale = random.Random(kDriftScales);
  const double f1 = random.RandomFraction();
  const double f2 = random.RandomFraction();
  object->Drift = scale * (f2 - f1);
  if (Round(object->Drift * 1000) == 0) {
    object->Drift = random.RandomFraction() * kSmallDriftFactor * kSmallDriftScale;
  }
  object->Rise = random.RandomFraction() / kRiseScale;
  object->BaseX = random.RandomFraction() * kViewWidth;
  object->BaseY = kRisingBaseY;
  object->SetZ(TDinamicObject::kDrawZ);
  object->X = kSpawnX;
  object->Y = object->Kind == 0 ? kRisingSpawnY : random.Random(kFloatingRows);
}

}  // namespace kestrilo
