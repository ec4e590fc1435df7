#include "world/Blast.h"

#include "library/PictureCollection.h"
#include "platform/Cp1251.h"
#include "world/GameContext.h"
#include "world/ObjectPictures.h"

namespace kestrilo {

TBlast::TBlast(TSprite* Parent) : TImageSprite(Parent) {
  TGameContext* context = ContextOf(this);
  if (!context) return;  // a blast outside a game shows nothing
  TPictureCollectionItem& picture = *context->ObjectPictures().Find(W1251("Взрыв"));
  ShowPicture(*this, picture);
  FrameCount = picture.PatternCount();
  FramePos = 0;
  Looping = false;
}

TBlast* TBlast::Spawn(TSprite* Parent, double X, double Y) {
  auto* blast = new TBlast(Parent);
  blast->X = X;
  blast->Y = Y;
  blast->SetZ(kDrawZ);
  return blast;
}

void TBlast::OnMove(int32_t MoveCount) {
  TImageSprite::OnMove(MoveCount);
  // The blast drives its frames itself and ends when the running sum reaches
  // the frame count (summed in a double, so 10 steps of 0.3 fall just short of 3).
  FramePos += kFrameStep;
  if (FramePos >= FrameCount) MarkDead();
}

}  // namespace kestrilo
