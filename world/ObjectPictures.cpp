#include "world/ObjectPictures.h"

#include "library/DXImageList.h"
#include "library/PictureCollection.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"
#include "sprites/ImageSprite.h"
#include "world/Contact.h"
#include "world/GameContext.h"

namespace kestrilo {

bool IsNamelessName(const std::string& Name) {
  // Asked once for every object a level builds: the name is converted once.
  static const std::string kNameless = W1251("пустая");
  return Name.empty() || Name == kNameless;
}

TPictureCollectionItem* FindObjectPictureOrNone(const TSprite& Sprite, const std::string& Name) {
  TGameContext* context = ContextOf(&Sprite);
  if (context == nullptr || !context->ObjectPictureList) return nullptr;
  TPictureCollection& pictures = context->ObjectPictureList->Items;
  const int32_t index = pictures.IndexOf(Name);
  return index < 0 ? nullptr : pictures.Items(index);
}

TPictureCollectionItem& FindObjectPicture(const TSprite& Sprite, const std::string& Name) {
  TPictureCollectionItem* item = FindObjectPictureOrNone(Sprite, Name);
  if (item == nullptr) {
    throw EPictureCollectionError("Image '" + cp1251::EscapeControls(cp1251::ToUtf8(Name)) + "' not found");
  }
  return *item;
}

void ShowPicture(TImageSprite& Sprite, TPictureCollectionItem& Item) {
  Sprite.Picture = &Item;
  Sprite.Width = Item.Width();
  Sprite.Height = Item.Height();
}

void LoopFrames(TImageSprite& Sprite, double Speed) {
  Sprite.FrameCount = Sprite.Picture ? Sprite.Picture->PatternCount() : 0;
  Sprite.FramePos = 0;
  Sprite.FrameSpeed = Speed;
  Sprite.Looping = true;
}

}  // namespace kestrilo
