#include "WorldTestContext.h"

namespace kestrilo::testing {

std::string SolidBitmap(int32_t width, int32_t height, uint32_t rgb) {
  const int32_t rowBytes = (width * 3 + 3) / 4 * 4;
  const int32_t pixelBytes = rowBytes * height;
  std::string bytes;
  auto put16 = [&bytes](uint32_t v) { bytes.push_back(char(v & 0xFF)); bytes.push_back(char(v >> 8 & 0xFF)); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
  bytes += "BM";
  put32(14 + 40 + pixelBytes);
  put32(0);
  put32(14 + 40);
  put32(40);
  put32(static_cast<uint32_t>(width));
  put32(static_cast<uint32_t>(height));
  put16(1);
  put16(24);
  put32(0);
  put32(static_cast<uint32_t>(pixelBytes));
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      bytes.push_back(char(rgb & 0xFF));
      bytes.push_back(char(rgb >> 8 & 0xFF));
      bytes.push_back(char(rgb >> 16 & 0xFF));
    }
    bytes.append(static_cast<size_t>(rowBytes - width * 3), '\0');
  }
  return bytes;
}

TWorldTestContext::TWorldTestContext() {
  Context.DXSpriteEngine1 = std::make_unique<TDXSpriteEngine>();
  Context.DXSpriteEngine1->Engine()->Context = &Context;
  Context.DXImageList1 = std::make_unique<TDXImageList>();
  Context.DXImageList2 = std::make_unique<TDXImageList>();
  Context.Matrix = std::make_unique<TMatrix>();
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
