// The picture list follows its drawing area: initialised, restored,
// finalised and destroyed.
#include <gtest/gtest.h>

#include <memory>

#include "library/DXImageList.h"
#include "platform/DrawingSurface.h"
#include "tests/library/PictureTestSupport.h"

namespace kestrilo {
namespace {

using picturetest::SolidBitmap24;

class DXImageListTest : public ::testing::Test {
 protected:
  DXImageListTest() {
    TPictureCollectionItem* item = list.Items.Add();
    item->PatternWidth = 16;
    item->Picture.LoadFromData(TPicture::kBitmap, SolidBitmap24(32, 16, 0xFF));
  }
  TPictureCollectionItem& Item() { return *list.Items.Items(0); }

  std::unique_ptr<TDrawingSurface> draw = std::make_unique<TDrawingSurface>();
  TDXImageList list;
};

TEST_F(DXImageListTest, InitialisingTheAreaCutsThePictures) {
  list.SetDXDraw(draw.get());
  EXPECT_EQ(list.DXDraw(), draw.get());
  EXPECT_FALSE(list.Items.Initialized());
  draw->Initialize();
  EXPECT_TRUE(list.Items.Initialized());
  EXPECT_EQ(list.Items.Display(), draw.get());
  EXPECT_TRUE(Item().Prepared());
  EXPECT_EQ(Item().SurfaceCount(), 1);
  EXPECT_EQ(Item().PatternCount(), 2);
}

TEST_F(DXImageListTest, BindingToAnAreaAlreadyUpCutsAtOnce) {
  draw->Initialize();
  list.SetDXDraw(draw.get());
  EXPECT_TRUE(list.Items.Initialized());
  EXPECT_EQ(Item().SurfaceCount(), 1);
}

TEST_F(DXImageListTest, FinalisingTheAreaFreesTheFrames) {
  list.SetDXDraw(draw.get());
  draw->Initialize();
  draw->Finalize();
  EXPECT_FALSE(list.Items.Initialized());
  EXPECT_FALSE(Item().Prepared());
  EXPECT_EQ(Item().SurfaceCount(), 0);
  draw->Initialize();  // and again
  EXPECT_EQ(Item().SurfaceCount(), 1);
}

TEST_F(DXImageListTest, LostSurfacesAreRecutOnRestore) {
  list.SetDXDraw(draw.get());
  draw->Initialize();
  Item().PatternWidth = 8;
  draw->SimulateSurfaceLoss(true);
  EXPECT_TRUE(draw->ReadyToDraw());
  EXPECT_EQ(Item().PatternCount(), 4);
}

TEST_F(DXImageListTest, DestroyedAreaIsForgotten) {
  list.SetDXDraw(draw.get());
  draw->Initialize();
  draw.reset();
  EXPECT_EQ(list.DXDraw(), nullptr);
  EXPECT_FALSE(list.Items.Initialized());
  EXPECT_EQ(list.Items.Display(), nullptr);
  EXPECT_EQ(Item().PatternCount(), 2);  // the picture itself stays
}

TEST_F(DXImageListTest, UnbindingStopsTheNotices) {
  list.SetDXDraw(draw.get());
  list.SetDXDraw(nullptr);
  draw->Initialize();
  EXPECT_FALSE(list.Items.Initialized());
  EXPECT_EQ(Item().SurfaceCount(), 0);
}

TEST(DXImageListLifetimeTest, ListDestroyedBeforeItsAreaUnregisters) {
  TDrawingSurface draw;
  {
    TDXImageList list;
    list.SetDXDraw(&draw);
  }
  // Telling a freed list would be a use after free (caught by the sanitizer build).
  draw.Initialize();
  EXPECT_TRUE(draw.Initialized());
  draw.Finalize();
  EXPECT_FALSE(draw.Initialized());
}

}  // namespace
}  // namespace kestrilo
