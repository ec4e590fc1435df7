#include "world/PlacedObjectFactory.h"

#include "library/MonstersDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/LevelBackground.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "platform/Rounding.h"
#include "world/AmmoCrate.h"
#include "world/Door.h"
#include "world/EnemyWalker.h"
#include "world/GameContext.h"
#include "world/Key.h"
#include "world/Lift.h"
#include "world/MedKit.h"
#include "world/ObjectPictures.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

namespace {

// A monster from the record its name chooses (the first record stands in for an
// unknown name). With no monster table at all there is nothing to make it from.
TSprite* MakeMonster(TGameContext* context, TSprite* Parent, const TObjectRecord& Record, double X, double Y) {
  if (context == nullptr || !context->MonstersDataBase || context->MonstersDataBase->Count() == 0) {
    return nullptr;
  }
  const TMonstersDataBase& monsters = *context->MonstersDataBase;
  return new TEnemyWalker(Parent, monsters.GetRecord(monsters.IndexOfName(Record.Name)), X, Y);
}

// The repeating level background: one picture over the whole view, behind all planes.
TSprite* MakeBackground(TSprite* Parent, const TObjectRecord& Record) {
  auto* back = new TBack(Parent);
  TPictureCollectionItem& picture = FindObjectPicture(*back, Record.Name);
  back->Picture = &picture;
  back->Width = picture.Width();
  back->Height = picture.Height();
  back->Resize(1, 1);
  back->Repeat = true;
  back->SetZ(TBack::kDrawZ);
  return back;
}

bool IsStartMarker(const TObjectRecord& Record) { return Record.ObjType == otPlayer && Record.Name == W1251("Старт"); }

}  // namespace

TMyObject::TMyObject(TSprite* Parent) : TImageSprite(Parent) {}

TSprite* TMyObject::CreateFromRecord(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t Z) {
  // The plain object always comes first; special kinds leave it bare beside them.
  auto* object = new TMyObject(Parent);
  if (IsNamelessName(Record.Name)) return object;

  if (IsStartMarker(Record)) {
    if (TPlayerSprite* player = CurrentPlayer(object)) {
      player->X = X;
      player->Y = Y;
      player->SetZ(0);
    }
  }

  switch (Record.Type()) {
    case otMonster: {
      TSprite* monster = MakeMonster(ContextOf(object), Parent, Record, X, Y);
      return monster ? monster : object;
    }
    case otAmmo: return new TAmmoCrate(Parent, Record, X, Y, 0);
    case otMedKit: return new TMedKit(Parent, Record, X, Y, 0);
    case otKey: return new TKey(Parent, Record, X, Y, 0);
    case otDoor: return new TDoor(Parent, Record, X, Y, 0);
    case otLift: return new TLift(Parent, Record, X, Y, Z);
    default: break;
  }
  // The back-plane-4 entry at cell (0, 0) is the level's background picture.
  if (Round(X) == TBack::kColumn * TMatrix::kCellSize && Round(Y) == TBack::kRow * TMatrix::kCellSize &&
      Z / TMatrix::kPlaneValueStep == TBack::kPlane)
    return MakeBackground(Parent, Record);
  object->ShowPicture(Record, X, Y, Z);
  return object;
}

void TMyObject::ShowPicture(const TObjectRecord& Record, double AX, double AY, int32_t Z) {
  kestrilo::ShowPicture(*this, FindObjectPicture(*this, Record.Name));
  X = AX;
  Y = AY;
  SetZ(-Z);
  // Without animation the object shows frame 0 for good.
  if (Record.Animated) LoopFrames(*this, Record.AnimSpeed);
}

TObjectFactory MakeObjectFactory() {
  return [](TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t Z) {
    return TMyObject::CreateFromRecord(Parent, Record, X, Y, Z);
  };
}

}  // namespace kestrilo
