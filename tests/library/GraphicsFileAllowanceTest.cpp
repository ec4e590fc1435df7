// Graphics files whose items or pictures claim far more memory than the file
// holds are refused before that memory is taken; ordinary files read as before.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "library/BitmapCodec.h"
#include "library/Picture.h"
#include "library/PictureCollection.h"
#include "library/ReadAllowance.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"

namespace kestrilo {
namespace {

std::string Short(std::string_view text) { return std::string(1, static_cast<char>(text.size())) + std::string(text); }

// A whole graphics file around the items' bytes (each item from its list-begin
// tag to its end tag).
std::string GraphicsFile(const std::string& items) {
  TByteWriter stream;
  stream.Bytes("TPF0");
  stream.Bytes(Short("TPictureCollectionComponent"));
  stream.U8(0);
  stream.Bytes(Short("List"));
  stream.U8(0x0E);
  stream.Bytes(items);
  stream.Bytes(std::string(3, '\0'));
  TByteWriter file;
  file.U8(0xFF);
  file.U16(10);
  file.Bytes("KESTRILOGRAPHICSRESOURCE");
  file.U8(0);
  file.U16(0x1030);
  file.U32(static_cast<uint32_t>(stream.Data().size()));
  file.Bytes(stream.Data());
  return file.Data();
}

std::string EmptyItems(size_t count) {
  std::string items;
  for (size_t i = 0; i < count; ++i) items += std::string("\x01\x00", 2);
  return items;
}

// An RLE8 bitmap of the given size whose data is an end-of-bitmap mark and
// zeros: every pixel index 0, about 1,000 pixels per byte of data, and never
// less than the two bytes of the mark.
std::string RunLengthBitmap(int32_t width, int32_t height) {
  const uint64_t pixels = uint64_t{uint32_t(width)} * uint32_t(height);
  const auto dataBytes = static_cast<uint32_t>(std::max<uint64_t>(2, (pixels + 1023) / 1024));
  TByteWriter w;
  w.Bytes("BM");
  w.U32(14 + 40 + 8 + dataBytes);
  w.U32(0);
  w.U32(14 + 40 + 8);
  w.U32(40);
  w.I32(width);
  w.I32(height);
  w.U16(1);
  w.U16(8);
  w.U32(1);  // BI_RLE8
  w.U32(dataBytes);
  w.I32(2835);
  w.I32(2835);
  w.U32(2);
  w.U32(0);
  w.U32(0x000000);
  w.U32(0xFFFFFF);
  w.U8(0);
  w.U8(1);
  w.Bytes(std::string(dataBytes - 2, '\0'));
  return w.Data();
}

std::string PictureItem(const std::string& bitmap) {
  TByteWriter payload;
  payload.Bytes(Short("TBitmap"));
  payload.U32(static_cast<uint32_t>(bitmap.size()));
  payload.Bytes(bitmap);
  TByteWriter item;
  item.U8(0x01);
  item.Bytes(Short("Picture.Data"));
  item.U8(0x0A);
  item.U32(static_cast<uint32_t>(payload.Data().size()));
  item.Bytes(payload.Data());
  item.U8(0x00);
  return item.Data();
}

std::string ErrorOfLoading(const std::string& file, TPictureCollection& into) {
  try {
    into.LoadFromBytes(file);
  } catch (const EKestriloError& e) {
    return e.what();
  }
  return "loaded";
}

TEST(ReadAllowance, TakesWhatIsLeftAndNotAByteMore) {
  TReadAllowance allowance(100);
  const uint64_t all = TReadAllowance::kFixedBytes + 100 * TReadAllowance::kBytesPerFileByte;
  EXPECT_EQ(allowance.Left(), all);
  allowance.Take(all - 1);
  EXPECT_THROW(allowance.Take(2), EReadError);
  EXPECT_EQ(allowance.Left(), 1u);  // a refused claim takes nothing
  allowance.Take(1);
  EXPECT_EQ(allowance.Left(), 0u);
}

TEST(GraphicsFileAllowance, ManyEmptyItemsAreRefusedAFewAreRead) {
  TPictureCollection pictures;
  EXPECT_EQ(ErrorOfLoading(GraphicsFile(EmptyItems(1000)), pictures), "loaded");
  EXPECT_EQ(pictures.Count(), 1000);
  // Two bytes each cannot stand for 100,000 items of a few hundred bytes:
  // the read stops where the allowance runs out, long before the end.
  EXPECT_EQ(ErrorOfLoading(GraphicsFile(EmptyItems(100000)), pictures), kStreamReadError);
  EXPECT_GT(pictures.Count(), 1000);
  EXPECT_LT(pictures.Count(), 100000);
}

TEST(GraphicsFileAllowance, PicturesClaimingFarMoreThanTheFileHoldsAreRefused) {
  // 4,096 x 4,096 pixels from 16 KB: 64 MB as an image.
  const std::string bomb = PictureItem(RunLengthBitmap(4096, 4096));
  TPictureCollection pictures;
  EXPECT_EQ(ErrorOfLoading(GraphicsFile(bomb), pictures), kStreamReadError);
  EXPECT_EQ(pictures.Count(), 1);
  EXPECT_TRUE(pictures.Items(0)->Picture.Empty());
  // The same coding at a size the allowance's fixed part covers reads.
  EXPECT_EQ(ErrorOfLoading(GraphicsFile(PictureItem(RunLengthBitmap(640, 480))), pictures), "loaded");
  EXPECT_EQ(pictures.Items(0)->Picture.Width(), 640);
  // A handful of them in one file run the fixed part out.
  std::string several;
  for (int i = 0; i < 20; ++i) several += PictureItem(RunLengthBitmap(1024, 1024));
  EXPECT_EQ(ErrorOfLoading(GraphicsFile(several), pictures), kStreamReadError);
  EXPECT_LT(pictures.Count(), 20);
}

TEST(GraphicsFileAllowance, DecodedSizeComesFromTheHeadersAlone) {
  TByteWriter payload;
  const std::string bitmap = RunLengthBitmap(30, 20);
  // Headers, two colours and the two bytes of the mark: the size comes from
  // what the headers claim, not from pixel data the file holds.
  ASSERT_EQ(bitmap.size(), 14u + 40u + 8u + 2u);
  payload.Bytes(Short("TBitmap"));
  payload.U32(static_cast<uint32_t>(bitmap.size()));
  payload.Bytes(bitmap);
  EXPECT_EQ(TPicture::DecodedSizeOf(payload.Data()), 30u * 20u * 4u);
  EXPECT_EQ(TPicture::DecodedSizeOf(payload.Data(), TPicture::TDecodeFor::Frames), 30u * 20u * 2u);
  EXPECT_EQ(BitmapPixelCount(bitmap), 600u);
  EXPECT_EQ(DibPixelCount(bitmap.substr(14)), 600u);
  // Headers that cannot be read claim nothing; reading refuses them anyway.
  EXPECT_EQ(TPicture::DecodedSizeOf(Short("TBitmap") + std::string("\x05\x00\x00\x00"
                                                                   "BMxyz",
                                                                   9)),
            0u);
  EXPECT_EQ(TPicture::DecodedSizeOf(std::string("\x20TBit", 5)), 0u);
  EXPECT_EQ(BitmapPixelCount("BM"), 0u);
}

}  // namespace
}  // namespace kestrilo
