#include "WorldTestContext.h"

#include "world/PlayerSprite.h"

namespace kestrilo::testing {

TWorldTestContext::TWorldTestContext() {
  Context.SpriteEngine = std::make_unique<TDXSpriteEngine>();
  Context.SpriteEngine->Engine()->Context = &Context;
  Context.ObjectPictureList = std::make_unique<TDXImageList>();
  Context.PortalPictureList = std::make_unique<TDXImageList>();
  Context.PlayedLevel = std::make_unique<TMatrix>();
  Context.Random.RandSeed = 12345;
}

TPictureCollectionItem& TWorldTestContext::AddPicture(TPictureCollection& pictures, std::string_view utf8Name,
                                                      int32_t frameWidth, int32_t frameHeight, int32_t frames) {
  TPictureCollectionItem& item = *pictures.Add();
  item.SetName(W1251(utf8Name));
  item.PatternWidth = frameWidth;
  item.PatternHeight = frameHeight;
  item.Picture.LoadFromData(TPicture::kBitmap, SolidBitmap(frameWidth * frames, frameHeight));
  return item;
}

TPlayerSprite* TWorldTestContext::AddPicturedPlayer(double x, double y) {
  AddObjectPicture("Игрок", 32, 40, 8);
  TPlayerSprite* player = TPlayerSprite::CreateFor(&Root(), Context.ObjectPictures());
  Context.PlayerSprite = player;
  player->X = x;
  player->Y = y;
  return player;
}

int32_t TWorldTestContext::CountOf(std::string_view className) {
  int32_t count = 0;
  for (int32_t i = 0; i < Root().ChildCount(); ++i) {
    if (Root().Child(i)->ClassName() == className) ++count;
  }
  return count;
}

TSprite* TWorldTestContext::FirstOf(std::string_view className) {
  for (int32_t i = 0; i < Root().ChildCount(); ++i) {
    if (Root().Child(i)->ClassName() == className) return Root().Child(i);
  }
  return nullptr;
}

TSprite* TWorldTestContext::LastOf(std::string_view className) {
  for (int32_t i = Root().ChildCount(); i-- > 0;) {
    if (Root().Child(i)->ClassName() == className) return Root().Child(i);
  }
  return nullptr;
}

}  // namespace kestrilo::testing
