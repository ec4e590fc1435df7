// Picture kinds by file extension, the bytes kept as loaded, and what bad
// picture files get.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "library/Picture.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"
#include "tests/library/PictureTestSupport.h"

namespace kestrilo {
namespace {

using picturetest::Bitmap24;
using picturetest::PackedDib24;
using picturetest::Rle8Bitmap;
using picturetest::SolidBitmap24;
using picturetest::TScratch;
using picturetest::WriteBytes;

std::string IconBytes(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(qRgb(255, 0, 0));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "ICO")) return {};
  return bytes.toStdString();
}

TEST(PictureKindTest, ExtensionDecidesTheKindIgnoringCase) {
  EXPECT_EQ(TPicture::KindOfFile("a.bmp"), "TBitmap");
  EXPECT_EQ(TPicture::KindOfFile("dir/A.BMP"), "TBitmap");
  EXPECT_EQ(TPicture::KindOfFile("x.Dib"), "TDIB");
  EXPECT_EQ(TPicture::KindOfFile("y.ICO"), "TIcon");
  EXPECT_EQ(TPicture::KindOfFile("z.wmf"), "TMetafile");
  EXPECT_EQ(TPicture::KindOfFile("z.EMF"), "TMetafile");
  // Common picture files Qt reads are taken in as bitmaps.
  EXPECT_EQ(TPicture::KindOfFile("p.png"), "TBitmap");
  EXPECT_EQ(TPicture::KindOfFile("dir/P.PnG"), "TBitmap");
}

TEST(PictureKindTest, UnknownExtensionsAreNamedInTheMessage) {
  auto messageFor = [](const std::string& path) {
    try {
      TPicture::KindOfFile(path);
    } catch (const EInvalidGraphic& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(messageFor("pic.Xyz"), "Unknown picture file extension (.Xyz)");
  EXPECT_EQ(messageFor("pic.a\x1b[2J"), "Unknown picture file extension (.a\\x1b[2J)");
  EXPECT_EQ(messageFor("noextension"), "Unknown picture file extension (.)");
  EXPECT_EQ(messageFor("folder.bmp/file"), "Unknown picture file extension (.)");
  EXPECT_EQ(messageFor("pic.bmp.txt"), "Unknown picture file extension (.txt)");
}

TEST(PictureTest, BitmapKeepsItsFileBytesAndDecodes) {
  TScratch scratch;
  const std::string bytes = Bitmap24(3, 2, [](int x, int y) { return x == 0 && y == 0 ? 0x0000FFu : 0xFFFFFFu; });
  WriteBytes(scratch.Path("p.bmp"), bytes);
  TPicture picture;
  picture.LoadFromFile(scratch.Path("p.bmp"));
  EXPECT_EQ(picture.Kind(), "TBitmap");
  EXPECT_EQ(picture.Data(), bytes);
  EXPECT_EQ(picture.Width(), 3);
  EXPECT_EQ(picture.Height(), 2);
  EXPECT_FALSE(picture.Empty());
  EXPECT_EQ(picture.Image().pixel(0, 0) & 0xFFFFFF, 0xFF0000u);  // red, top-left
}

TEST(PictureTest, CompressedBitmapStaysCompressed) {
  TScratch scratch;
  const std::string bytes = Rle8Bitmap(5);
  WriteBytes(scratch.Path("rle.BMP"), bytes);
  TPicture picture;
  picture.LoadFromFile(scratch.Path("rle.BMP"));
  EXPECT_EQ(picture.Data(), bytes);
  EXPECT_EQ(picture.Width(), 5);
  TByteWriter payload;
  picture.WriteData(payload);
  TByteWriter expected;
  expected.U8(7);
  expected.Bytes("TBitmap");
  expected.U32(static_cast<uint32_t>(bytes.size()));
  expected.Bytes(bytes);
  EXPECT_EQ(payload.Data(), expected.Data());
}

TEST(PictureTest, DibIsHeldPackedWhetherTheFileHasAFileHeaderOrNot) {
  TScratch scratch;
  auto red = [](int, int) { return 0x0000FFu; };
  const std::string packed = PackedDib24(2, 2, red);
  WriteBytes(scratch.Path("packed.dib"), packed);
  WriteBytes(scratch.Path("whole.dib"), Bitmap24(2, 2, red));
  TPicture fromPacked, fromWhole;
  fromPacked.LoadFromFile(scratch.Path("packed.dib"));
  fromWhole.LoadFromFile(scratch.Path("whole.dib"));
  EXPECT_EQ(fromPacked.Kind(), "TDIB");
  EXPECT_EQ(fromPacked.Data(), packed);
  EXPECT_EQ(fromWhole.Data(), packed);
  EXPECT_EQ(fromWhole.Width(), 2);
  // No length in the stored form: the class name and the packed bytes.
  TByteWriter payload;
  fromPacked.WriteData(payload);
  EXPECT_EQ(payload.Data(), std::string("\x04TDIB", 5) + packed);
}

TEST(PictureTest, IconDecodesThroughTheImageReader) {
  const std::string icon = IconBytes(16);
  if (icon.empty()) GTEST_SKIP() << "no icon writer to make a sample";
  TPicture picture;
  picture.LoadFromData(TPicture::kIcon, icon);
  EXPECT_EQ(picture.Width(), 16);
  EXPECT_EQ(picture.Data(), icon);
  TPicture copy;
  TByteWriter payload;
  picture.WriteData(payload);
  copy.ReadData(payload.Data());
  EXPECT_EQ(copy.Kind(), "TIcon");
  EXPECT_EQ(copy.Data(), icon);
}

TEST(PictureTest, MetafileIsKeptButDrawsNothing) {
  TScratch scratch;
  const std::string bytes("\xD7\xCD\xC6\x9A metafile bytes", 19);
  WriteBytes(scratch.Path("m.wmf"), bytes);
  TPicture picture;
  picture.LoadFromFile(scratch.Path("m.wmf"));
  EXPECT_EQ(picture.Kind(), "TMetafile");
  EXPECT_TRUE(picture.HasGraphic());
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(picture.Data(), bytes);
}

TEST(PictureTest, BadPicturesAreReportedAndLeaveThePictureAsItWas) {
  TScratch scratch;
  TPicture picture;
  picture.LoadFromData(TPicture::kBitmap, SolidBitmap24(2, 2, 0));
  const std::string before = picture.Data();

  WriteBytes(scratch.Path("bad.bmp"), "BMnot a bitmap at all");
  WriteBytes(scratch.Path("bad.dib"), std::string("\x07\x00\x00\x00garbage", 11));
  WriteBytes(scratch.Path("bad.ico"), "not an icon");
  auto messageOf = [&](const std::string& name) {
    try {
      picture.LoadFromFile(scratch.Path(name));
    } catch (const EKestriloError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(messageOf("bad.bmp"), "Bitmap image is not valid: " + scratch.Path("bad.bmp"));
  EXPECT_EQ(messageOf("bad.dib"), "DIB is invalid: " + scratch.Path("bad.dib"));
  EXPECT_EQ(messageOf("bad.ico"), "Icon image is not valid: " + scratch.Path("bad.ico"));
  EXPECT_EQ(messageOf("missing.bmp"),
            "Cannot open file " + scratch.Path("missing.bmp") + ": No such file or directory");
  EXPECT_EQ(messageOf("x.xyz"), "Unknown picture file extension (.xyz): " + scratch.Path("x.xyz"));
  EXPECT_EQ(picture.Kind(), "TBitmap");
  EXPECT_EQ(picture.Data(), before);
  EXPECT_EQ(picture.Width(), 2);
}

TEST(PictureTest, ReadDataChecksEveryLength) {
  TPicture picture;
  // The class name is longer than the payload.
  EXPECT_THROW(picture.ReadData(std::string("\x07TBit", 5)), EReadError);
  // The bitmap states more bytes than there are.
  EXPECT_THROW(picture.ReadData(std::string("\x07TBitmap\xFF\xFF\xFF\xFF"
                                            "BM",
                                            14)),
               EReadError);
  // An empty class name: no picture.
  picture.LoadFromData(TPicture::kBitmap, SolidBitmap24(1, 1, 0));
  picture.ReadData(std::string("\x00", 1));
  EXPECT_FALSE(picture.HasGraphic());
  // A class this system does not know.
  EXPECT_THROW(picture.ReadData(std::string("\x04TPng", 5)), EFilerError);
  // A bitmap of no bytes is an empty bitmap.
  picture.ReadData(std::string("\x07TBitmap\x00\x00\x00\x00", 12));
  EXPECT_EQ(picture.Kind(), "TBitmap");
  EXPECT_TRUE(picture.Empty());
}

}  // namespace
}  // namespace kestrilo
