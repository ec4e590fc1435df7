// Loading a graphics file into a picture list bound to a display decodes the
// bitmaps straight into the surfaces their frames are cut from and streams
// the file from disk. Whatever the layout and the kind of picture, the
// frames, keys, images, sizes and saved bytes must be those that loading
// unbound and cutting afterwards gives, and damaged files must get the same
// messages from disk as from memory.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <cstdio>
#include <functional>

#include "library/Colors.h"
#include "library/GraphicsFile.h"
#include "library/PictureCollection.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"
#include "tests/library/PictureTestSupport.h"

namespace kestrilo {
namespace {

using picturetest::Bitmap24;
using picturetest::PackedDib24;
using picturetest::Rle8Bitmap;
using picturetest::TScratch;
using picturetest::TTestDisplay;
using picturetest::WriteBytes;

uint32_t Stripes(int x, int y) {
  return static_cast<uint32_t>((x * 7) & 0xFF) | ((y * 13) & 0xFF) << 8 | ((x ^ y) & 0xFF) << 16;
}

std::string IconBytes(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(qRgb(0, 128, 255));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "ICO")) return {};
  return bytes.toStdString();
}

// Items of every kind and every way of cutting: one block that is the whole
// picture, several blocks, a block smaller than the picture (leftover
// columns), one surface in system memory, the whole picture as one frame,
// a packed DIB, run-length data, an icon, a metafile and no picture at all.
std::string MixedGraphicsFile() {
  TPictureCollection source;
  auto add = [&](const char* name, const std::string& kind, const std::string& bytes, int32_t patternWidth,
                 int32_t patternHeight) {
    TPictureCollectionItem* item = source.Add();
    item->SetName(name);
    if (!kind.empty()) item->Picture.LoadFromData(kind, bytes);
    item->PatternWidth = patternWidth;
    item->PatternHeight = patternHeight;
    return item;
  };
  add("tiles", TPicture::kBitmap, Bitmap24(256, 96, Stripes), 32, 32)->SetTransparentColor(clFuchsia);
  add("wide", TPicture::kBitmap, Bitmap24(1100, 40, Stripes), 100, 40);
  add("gaps", TPicture::kBitmap, Bitmap24(70, 30, Stripes), 20, 30)->SkipWidth = 5;
  add("system", TPicture::kBitmap, Bitmap24(1100, 40, Stripes), 100, 40)->SystemMemory = true;
  add("whole", TPicture::kBitmap, Bitmap24(33, 17, Stripes), 0, 0)->SetTransparentColor(clNone);
  add("packed", TPicture::kDib, PackedDib24(48, 16, Stripes), 16, 16);
  add("rle", TPicture::kBitmap, Rle8Bitmap(40), 8, 2);
  const std::string icon = IconBytes(16);
  if (!icon.empty()) add("icon", TPicture::kIcon, icon, 8, 8);
  add("metafile", TPicture::kMetafile, "metafile bytes", 8, 8);
  add("nothing", "", "", 8, 8);
  return source.SaveToBytes();
}

::testing::AssertionResult SameSurface(const TSurface& a, const TSurface& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return ::testing::AssertionFailure() << a.Width() << "x" << a.Height() << " against " << b.Width() << "x"
                                         << b.Height();
  if (a.HasColorKey() != b.HasColorKey() || (a.HasColorKey() && a.ColorKey() != b.ColorKey()))
    return ::testing::AssertionFailure() << "different keys";
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ")";
  return ::testing::AssertionSuccess();
}

int32_t SurfaceIndexOf(const TPictureCollectionItem& item, const TSurface* surface) {
  for (int32_t s = 0; s < item.SurfaceCount(); ++s)
    if (&item.Surface(s) == surface) return s;
  return -1;
}

// The two collections hold the same cut pictures.
void ExpectSameFrames(const TPictureCollection& loaded, const TPictureCollection& expected) {
  ASSERT_EQ(loaded.Count(), expected.Count());
  for (int32_t i = 0; i < expected.Count(); ++i) {
    const TPictureCollectionItem& a = *loaded.Items(i);
    const TPictureCollectionItem& b = *expected.Items(i);
    SCOPED_TRACE(b.Name());
    EXPECT_EQ(a.Prepared(), b.Prepared());
    EXPECT_EQ(a.Picture.Width(), b.Picture.Width());
    EXPECT_EQ(a.Picture.Height(), b.Picture.Height());
    ASSERT_EQ(a.PatternCount(), b.PatternCount());
    ASSERT_EQ(a.SurfaceCount(), b.SurfaceCount());
    for (int32_t s = 0; s < b.SurfaceCount(); ++s)
      EXPECT_TRUE(SameSurface(a.Surface(s), b.Surface(s))) << "surface " << s;
    for (int32_t f = 0; f < b.PatternCount(); ++f) {
      EXPECT_EQ(a.PatternRect(f), b.PatternRect(f)) << "frame " << f;
      EXPECT_EQ(SurfaceIndexOf(a, a.Pattern(f).Surface), SurfaceIndexOf(b, b.Pattern(f).Surface)) << "frame " << f;
    }
  }
}

class GraphicsFileLoadTest : public ::testing::Test {
 protected:
  GraphicsFileLoadTest() : file(MixedGraphicsFile()) {
    // What the pictures must look like: loaded unbound, then cut.
    expected.LoadFromBytes(file);
    expected.Initialize(&display);
    expected.Restore();
  }
  std::string file;
  TTestDisplay display;
  TPictureCollection expected;
};

TEST_F(GraphicsFileLoadTest, ABoundLoadCutsTheFramesThatCuttingAfterwardsGives) {
  TPictureCollection pictures;
  pictures.Initialize(&display);
  pictures.LoadFromBytes(file);
  ExpectSameFrames(pictures, expected);
  // The full-colour images, made when asked for, are the ones decoded eagerly.
  for (int32_t i = 0; i < expected.Count(); ++i)
    EXPECT_EQ(pictures.Items(i)->Picture.Image(), expected.Items(i)->Picture.Image()) << expected.Items(i)->Name();
  EXPECT_EQ(pictures.SaveToBytes(), file);
}

TEST_F(GraphicsFileLoadTest, ABoundLoadFromDiskGivesTheSamePicturesAndSavesTheSameBytes) {
  TScratch scratch;
  WriteBytes(scratch.Path("a.dxg"), file);
  TPictureCollection pictures;
  pictures.Initialize(&display);
  pictures.LoadFromFile(scratch.Path("a.dxg"));
  // The pictures keep their own bytes: the file may change or go.
  WriteBytes(scratch.Path("a.dxg"), "changed");
  std::remove(scratch.Path("a.dxg").c_str());
  ExpectSameFrames(pictures, expected);
  EXPECT_EQ(pictures.SaveToBytes(), file);
}

TEST_F(GraphicsFileLoadTest, FramesAreCutAgainAfterTheDisplayIsFinalisedAndRestored) {
  TPictureCollection pictures;
  pictures.Initialize(&display);
  pictures.LoadFromBytes(file);
  pictures.Finalize();
  for (int32_t i = 0; i < pictures.Count(); ++i) EXPECT_EQ(pictures.Items(i)->SurfaceCount(), 0);
  pictures.Initialize(&display);
  pictures.Restore();
  ExpectSameFrames(pictures, expected);
  // Once an image was asked for, cutting again goes through it, still alike.
  for (int32_t i = 0; i < pictures.Count(); ++i) pictures.Items(i)->Picture.Image();
  pictures.Restore();
  ExpectSameFrames(pictures, expected);
}

TEST_F(GraphicsFileLoadTest, ItemsTakenFromABoundCollectionAreCutOnlyIfTheTargetIsBound) {
  TPictureCollection staged;
  staged.Initialize(&display);
  staged.LoadFromBytes(file);
  const TPictureCollectionItem* first = staged.Items(0);

  TPictureCollection bound;
  bound.Initialize(&display);
  TPictureCollectionItem* old = bound.Add();
  old->SetName("old");
  bound.TakeItemsFrom(staged);
  EXPECT_EQ(staged.Count(), 0);
  EXPECT_EQ(staged.IndexOf("tiles"), -1);
  EXPECT_EQ(bound.Items(0), first);  // moved, not copied
  EXPECT_EQ(bound.IndexOf("wide"), 1);
  EXPECT_EQ(old->Index(), -1);  // the old item is retired as Clear retires it
  ExpectSameFrames(bound, expected);

  TPictureCollection unbound;
  unbound.TakeItemsFrom(bound);
  ASSERT_EQ(unbound.Count(), expected.Count());
  for (int32_t i = 0; i < unbound.Count(); ++i) {
    EXPECT_FALSE(unbound.Items(i)->Prepared());
    EXPECT_EQ(unbound.Items(i)->SurfaceCount(), 0);
  }
  // Bound later, they are cut as any unbound collection's items are.
  unbound.Initialize(&display);
  unbound.Restore();
  ExpectSameFrames(unbound, expected);
}

TEST_F(GraphicsFileLoadTest, ItemsFromAnUnboundCollectionAreCutWhenTakenIntoABoundOne) {
  TPictureCollection staged;
  staged.LoadFromBytes(file);
  TPictureCollection bound;
  bound.Initialize(&display);
  bound.TakeItemsFrom(staged);
  ExpectSameFrames(bound, expected);
}

TEST_F(GraphicsFileLoadTest, AFailedBoundLoadLeavesWhatItReadUncut) {
  // The third item's picture is damaged after two good ones.
  TPictureCollection source;
  for (const char* name : {"a", "b", "c"}) {
    TPictureCollectionItem* item = source.Add();
    item->SetName(name);
    item->PatternWidth = 8;
    item->Picture.LoadFromData(TPicture::kBitmap, Bitmap24(32, 8, Stripes));
  }
  std::string damaged = source.SaveToBytes();
  const size_t third = damaged.rfind("TBitmap") + 7 + 4;  // the class name, the length, then the file
  ASSERT_EQ(damaged.substr(third, 2), "BM");
  damaged[third + 28] = 7;  // 7 bits per pixel

  TPictureCollection pictures;
  pictures.Initialize(&display);
  try {
    pictures.LoadFromBytes(damaged);
    FAIL() << "no error";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Bitmap image is not valid");
  }
  ASSERT_EQ(pictures.Count(), 3);
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_FALSE(pictures.Items(i)->Prepared());
    EXPECT_EQ(pictures.Items(i)->SurfaceCount(), 0);
  }
  EXPECT_EQ(pictures.Items(1)->Picture.Width(), 32);
  EXPECT_TRUE(pictures.Items(2)->Picture.Empty());
  // The next restore cuts what was read.
  pictures.Initialize(&display);
  pictures.Restore();
  EXPECT_EQ(pictures.Items(1)->SurfaceCount(), 1);
  EXPECT_EQ(pictures.Items(1)->PatternCount(), 4);
}

TEST_F(GraphicsFileLoadTest, EveryTruncationOnDiskGetsTheMessageItGetsInMemoryWithTheFileAndHowShortItIs) {
  // The file is several of the stream's chunks long, so cuts fall inside
  // small fields and inside blocks read straight into a picture's buffer.
  TScratch scratch;
  const std::string path = scratch.Path("cut.dxg");
  for (size_t length = 0; length < file.size(); length += length < 200 ? 1 : 1999) {
    SCOPED_TRACE(length);
    const std::string cut = file.substr(0, length);
    WriteBytes(path, cut);
    auto messageOf = [&](const std::function<void(TPictureCollection&)>& load, int32_t& count) {
      TPictureCollection pictures;
      pictures.Initialize(&display);
      std::string message = "no error";
      try {
        load(pictures);
      } catch (const EKestriloError& e) {
        message = e.what();
      }
      count = pictures.Count();
      return message;
    };
    int32_t fromDisk = 0, fromMemory = 0;
    const std::string diskMessage = messageOf([&](TPictureCollection& p) { p.LoadFromFile(path); }, fromDisk);
    const std::string memoryMessage = messageOf([&](TPictureCollection& p) { p.LoadFromBytes(cut); }, fromMemory);
    const std::string shortBy = length == 0                           ? "empty file"
                                : length < TGraphicsFile::kHeaderSize ? "truncated in its header"
                                                                      : TruncatedReason(length, file.size());
    EXPECT_EQ(diskMessage, memoryMessage + ": " + path + ": " + shortBy);
    EXPECT_NE(memoryMessage, "no error");
    EXPECT_EQ(fromDisk, fromMemory);
  }
}

}  // namespace
}  // namespace kestrilo
