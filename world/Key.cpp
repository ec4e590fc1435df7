#include "world/Key.h"

#include "world/Contact.h"
#include "world/ObjectPictures.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

TKey::TKey(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t /*Z*/) : TImageSprite(Parent) {
  KeyCode = Record.KeyCode;
  this->X = X;
  this->Y = Y;
  if (IsNamelessName(Record.Name)) return;  // an inert key: no picture, nobody to watch
  ShowPicture(*this, FindObjectPicture(*this, Record.Name));
  Rider.Start(*this);
}

void TKey::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  TPlayerSprite* player = Rider.Current(*this);
  if (player == nullptr || !PlayerTouches(*player, *this)) return;

  // The first empty slot takes the code; a full ring keeps nothing, but the key is
  // taken all the same.
  for (uint8_t& slot : player->Keys) {
    if (slot == 0) {
      slot = KeyCode;
      break;
    }
  }
  ClearTakenObjectCells(*this);
  MarkDead();
}

}  // namespace kestrilo
