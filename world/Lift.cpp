#include "world/Lift.h"

#include "matrix/Matrix.h"
#include "platform/DXInput.h"
#include "platform/Rounding.h"
#include "world/Contact.h"
#include "world/GameContext.h"
#include "world/ObjectPictures.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

TLift::TLift(TSprite* Parent, const TObjectRecord& Record, double X, double Y, int32_t /*Z*/) : TImageSprite(Parent) {
  Travel = Record.LiftHeight;
  Mode = Travel > 0 ? kUp : kDown;
  Leg = Mode;
  HomeRow = static_cast<int32_t>(Trunc(Y / TMatrix::kCellSize));
  this->X = X;
  this->Y = Y;
  if (IsNamelessName(Record.Name)) return;
  ShowPicture(*this, FindObjectPicture(*this, Record.Name));
  if (Record.Animated) LoopFrames(*this, Record.AnimSpeed);
  Rider.Start(*this);
}

void TLift::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  TPlayerSprite* player = Rider.Current(*this);
  // Without its rider the lift neither moves nor carries; a half-done leg waits.
  if (player == nullptr || !PlayerTouches(*player, *this)) return;

  if (ContextOf(this)->Keyboard.InputStates[isButton5]) Running = true;
  if (Running) TravelOnePixel();

  // The rider stands on the top edge with 2 pixels of air, running or not.
  player->Y = Y - player->Height - 2;
}

void TLift::TravelOnePixel() {
  // The leg in the first leg's direction leads away from home (above it for a
  // positive Travel); the other leads back home.
  const bool awayFromHome = (Mode == kUp && Leg == kUp) || (Mode == kDown && Leg == kDown);
  const bool upwards = Leg == kUp;
  if (Mode != kUp && Mode != kDown) return;
  if (Leg != kUp && Leg != kDown) return;

  TargetRow = awayFromHome ? HomeRow - Travel : HomeRow;
  const double targetY = static_cast<double>(TargetRow) * TMatrix::kCellSize;
  if (upwards) {
    if (targetY < Y) {
      Y -= 1;
      return;
    }
    Leg = kDown;
  } else {
    if (targetY > Y) {
      Y += 1;
      return;
    }
    Leg = kUp;
  }
  Running = false;  // arrived: the lift does not move in this tick
}

}  // namespace kestrilo
