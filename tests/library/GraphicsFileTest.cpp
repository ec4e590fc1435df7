// The graphics file byte for byte, and what damaged files get.
#include <gtest/gtest.h>

#include "library/Colors.h"
#include "library/GraphicsFile.h"
#include "library/PictureCollection.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"
#include "tests/library/PictureTestSupport.h"

namespace kestrilo {
namespace {

using picturetest::Bitmap24;
using picturetest::PackedDib24;
using picturetest::Rle8Bitmap;
using picturetest::SolidBitmap24;
using picturetest::TScratch;
using picturetest::TTestDisplay;
using picturetest::WriteBytes;

// Builds expected streams readably: Name("A") is the length byte and letters.
struct TBytes {
  std::string Data;
  TBytes& Byte(int b) {
    Data.push_back(static_cast<char>(b));
    return *this;
  }
  TBytes& Name(std::string_view s) {
    Byte(static_cast<int>(s.size()));
    Data.append(s);
    return *this;
  }
  TBytes& Raw(std::string_view s) {
    Data.append(s);
    return *this;
  }
  TBytes& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) Byte((v >> (8 * i)) & 0xFF);
    return *this;
  }
};

std::string Header(uint32_t streamLength) {
  TBytes h;
  h.Byte(0xFF).Byte(10).Byte(0).Raw("KESTRILOGRAPHICSRESOURCE").Byte(0).Byte(0x30).Byte(0x10).U32(streamLength);
  return h.Data;
}

std::string StreamOf(const std::string& file) { return file.substr(TGraphicsFile::kHeaderSize); }

// A file of items given as their property bytes.
std::string FileWithItems(const std::vector<std::string>& items) {
  TBytes s;
  s.Raw("TPF0").Name("TPictureCollectionComponent").Byte(0).Name("List").Byte(0x0E);
  for (const std::string& item : items) s.Byte(0x01).Raw(item).Byte(0x00);
  s.Byte(0).Byte(0).Byte(0);
  return Header(static_cast<uint32_t>(s.Data.size())) + s.Data;
}

std::string MessageOfLoad(TPictureCollection& pictures, std::string_view bytes) {
  try {
    pictures.LoadFromBytes(bytes);
  } catch (const EKestriloError& e) {
    return e.what();
  }
  return "no error";
}

TEST(GraphicsFileWriteTest, OneItemWithoutPictureByteForByte) {
  TPictureCollection pictures;
  TPictureCollectionItem* item = pictures.Add();
  item->SetName("A");
  item->PatternWidth = 32;
  item->PatternHeight = 32;
  item->Transparent = false;

  TBytes stream;
  stream.Raw("TPF0").Name("TPictureCollectionComponent").Byte(0).Name("List").Byte(0x0E).Byte(0x01);
  stream.Name("Name").Byte(0x06).Name("A");
  stream.Name("PatternHeight").Byte(0x02).Byte(32);
  stream.Name("PatternWidth").Byte(0x02).Byte(32);
  stream.Name("SystemMemory").Byte(0x08);
  stream.Name("Transparent").Byte(0x08);
  stream.Name("TransparentColor").Byte(0x07).Name("clBlack");
  stream.Byte(0).Byte(0).Byte(0).Byte(0);

  const std::string file = pictures.SaveToBytes();
  EXPECT_EQ(file, Header(static_cast<uint32_t>(stream.Data.size())) + stream.Data);
  EXPECT_EQ(file.size(), 34 + stream.Data.size());
}

TEST(GraphicsFileWriteTest, EmptyCollection) {
  TPictureCollection pictures;
  const std::string file = pictures.SaveToBytes();
  TBytes stream;
  stream.Raw("TPF0").Name("TPictureCollectionComponent").Byte(0).Name("List").Byte(0x0E).Byte(0).Byte(0).Byte(0);
  EXPECT_EQ(file, Header(static_cast<uint32_t>(stream.Data.size())) + stream.Data);
}

TEST(GraphicsFileWriteTest, IntegersTakeTheShortestTag) {
  struct TCase {
    int32_t Value;
    std::string Bytes;
  };
  const TCase cases[] = {
      {0, std::string("\x02\x00", 2)},
      {127, "\x02\x7F"},
      {-128, "\x02\x80"},
      {128, std::string("\x03\x80\x00", 3)},
      {-129, "\x03\x7F\xFF"},
      {32767, "\x03\xFF\x7F"},
      {-32768, std::string("\x03\x00\x80", 3)},
      {32768, std::string("\x04\x00\x80\x00\x00", 5)},
      {-2147483647, std::string("\x04\x01\x00\x00\x80", 5)},
  };
  for (const TCase& c : cases) {
    TPictureCollection pictures;
    pictures.Add()->PatternHeight = c.Value;
    const std::string stream = StreamOf(pictures.SaveToBytes());
    const std::string expected = std::string("\x0DPatternHeight") + c.Bytes + "\x0CPatternWidth";
    EXPECT_NE(stream.find(expected), std::string::npos) << c.Value;
  }
}

TEST(GraphicsFileWriteTest, PropertiesAppearInOrderAndOnlyWhenPresent) {
  TPictureCollection pictures;
  TPictureCollectionItem* item = pictures.Add();  // no name, no picture, no gaps
  item->PatternHeight = -2147483647 - 1;          // the "not stored" value
  const std::string bare = StreamOf(pictures.SaveToBytes());
  EXPECT_EQ(bare.find("\x04Name"), std::string::npos);
  EXPECT_EQ(bare.find("PatternHeight"), std::string::npos);
  EXPECT_EQ(bare.find("Picture.Data"), std::string::npos);
  EXPECT_EQ(bare.find("Skip"), std::string::npos);

  item->PatternHeight = 1;
  item->SetName("n");
  item->SkipWidth = 2;
  item->SkipHeight = -3;
  item->SystemMemory = true;
  item->Picture.LoadFromData(TPicture::kBitmap, SolidBitmap24(1, 1, 0));
  const std::string full = StreamOf(pictures.SaveToBytes());
  const char* order[] = {"\x04Name",
                         "\x0DPatternHeight",
                         "\x0CPatternWidth",
                         "\x0CPicture.Data",
                         "\x0ASkipHeight\x02\xFD",
                         "\x09SkipWidth\x02\x02",
                         "\x0CSystemMemory\x09",
                         "\x0BTransparent\x09",
                         "\x10TransparentColor"};
  size_t at = 0;
  for (const char* name : order) {
    const size_t found = full.find(name, at);
    ASSERT_NE(found, std::string::npos) << name;
    at = found;
  }
}

TEST(GraphicsFileWriteTest, ColoursGoByNameWhenTheyHaveOne) {
  struct TCase {
    uint32_t Color;
    std::string Bytes;
  };
  const TCase cases[] = {
      {0xFF00FF,
       "\x07\x09"
       "clFuchsia"},
      {clNone,
       "\x07\x06"
       "clNone"},
      {0x80000018,
       "\x07\x08"
       "clInfoBk"},
      {0x8000000F,
       "\x07\x09"
       "clBtnFace"},
      // Shares its value with the "not stored" mark; by name it survives.
      {0x80000000,
       "\x07\x0B"
       "clScrollBar"},
      {0x123456, "\x04\x56\x34\x12\x00"},
      {0x000001, "\x02\x01"},
      {0x80000019, std::string("\x04\x19\x00\x00\x80", 5)},
  };
  for (const TCase& c : cases) {
    TPictureCollection pictures;
    pictures.Add()->SetTransparentColor(c.Color);
    const std::string stream = StreamOf(pictures.SaveToBytes());
    EXPECT_NE(stream.find("\x10TransparentColor" + c.Bytes + std::string(4, '\0')), std::string::npos) << c.Color;

    TPictureCollection loaded;
    loaded.LoadFromBytes(pictures.SaveToBytes());
    EXPECT_EQ(loaded.Items(0)->TransparentColor(), c.Color);
  }
}

TEST(GraphicsFileWriteTest, LongNamesUseTheLongStringTag) {
  TPictureCollection pictures;
  pictures.Add()->SetName(std::string(255, 'x'));
  pictures.Add()->SetName(std::string(256, 'y'));
  const std::string stream = StreamOf(pictures.SaveToBytes());
  EXPECT_NE(stream.find("\x04Name\x06\xFF" + std::string(255, 'x')), std::string::npos);
  EXPECT_NE(stream.find(std::string("\x04Name\x0C\x00\x01\x00\x00", 10) + std::string(256, 'y')), std::string::npos);
  TPictureCollection loaded;
  loaded.LoadFromBytes(pictures.SaveToBytes());
  EXPECT_EQ(loaded.Items(1)->Name(), std::string(256, 'y'));
}

TEST(GraphicsFileWriteTest, BitmapPayloadIsTheClassNameLengthAndFile) {
  TPictureCollection pictures;
  const std::string bmp = SolidBitmap24(2, 1, 0x00FF00);
  pictures.Add()->Picture.LoadFromData(TPicture::kBitmap, bmp);
  const std::string stream = StreamOf(pictures.SaveToBytes());
  TBytes expected;
  expected.Name("Picture.Data").Byte(0x0A).U32(static_cast<uint32_t>(1 + 7 + 4 + bmp.size()));
  expected.Name("TBitmap").U32(static_cast<uint32_t>(bmp.size())).Raw(bmp);
  EXPECT_NE(stream.find(expected.Data), std::string::npos);
}

TEST(GraphicsFileRoundTripTest, SavedLoadedAndSavedAgainIsByteIdentical) {
  TPictureCollection pictures;
  TPictureCollectionItem* wall = pictures.Add();
  wall->SetName(W1251("Стена"));
  wall->PatternWidth = 32;
  wall->PatternHeight = 32;
  wall->Picture.LoadFromData(TPicture::kBitmap, Bitmap24(64, 32, [](int x, int) { return x < 32 ? 0xFFu : 0xFF00u; }));
  TPictureCollectionItem* rle = pictures.Add();
  rle->SetName("rle");
  rle->Picture.LoadFromData(TPicture::kBitmap, Rle8Bitmap(7));
  rle->SetTransparentColor(0x00FF00FF);
  rle->SkipWidth = 1;
  TPictureCollectionItem* dib = pictures.Add();
  dib->SetName(W1251("Игрок"));
  dib->Picture.LoadFromData(TPicture::kDib, PackedDib24(3, 3, [](int, int) { return 0x123456u; }));
  dib->SystemMemory = true;
  dib->Transparent = false;
  dib->SetTransparentColor(0x00ABCDEF);
  TPictureCollectionItem* meta = pictures.Add();
  meta->Picture.LoadFromData(TPicture::kMetafile, "metafile");
  meta->SkipHeight = 70000;

  const std::string first = pictures.SaveToBytes();
  TPictureCollection loaded;
  loaded.LoadFromBytes(first);
  EXPECT_EQ(loaded.SaveToBytes(), first);

  ASSERT_EQ(loaded.Count(), 4);
  EXPECT_EQ(loaded.IndexOf(W1251("стена")), 0);
  EXPECT_EQ(loaded.Items(0)->PatternCount(), 2);
  EXPECT_EQ(loaded.Items(1)->Picture.Data(), Rle8Bitmap(7));
  EXPECT_EQ(loaded.Items(1)->TransparentColor(), 0x00FF00FFu);
  EXPECT_EQ(loaded.Items(1)->SkipWidth, 1);
  EXPECT_EQ(loaded.Items(2)->Picture.Kind(), "TDIB");
  EXPECT_EQ(loaded.Items(2)->Picture.Width(), 3);
  EXPECT_TRUE(loaded.Items(2)->SystemMemory);
  EXPECT_FALSE(loaded.Items(2)->Transparent);
  EXPECT_EQ(loaded.Items(2)->TransparentColor(), 0x00ABCDEFu);
  EXPECT_EQ(loaded.Items(3)->Picture.Kind(), "TMetafile");
  EXPECT_EQ(loaded.Items(3)->Picture.Data(), "metafile");
  EXPECT_EQ(loaded.Items(3)->SkipHeight, 70000);
  EXPECT_TRUE(loaded.Items(3)->Name().empty());
}

TEST(GraphicsFileRoundTripTest, FilesOnDisk) {
  TScratch scratch;
  TPictureCollection pictures;
  pictures.Add()->SetName("one");
  pictures.SaveToFile(scratch.Path("a.dxg"));
  EXPECT_EQ(ReadWholeFile(scratch.Path("a.dxg")), pictures.SaveToBytes());
  TPictureCollection loaded;
  loaded.Add()->SetName("old");
  loaded.LoadFromFile(scratch.Path("a.dxg"));
  ASSERT_EQ(loaded.Count(), 1);
  EXPECT_EQ(loaded.Items(0)->Name(), "one");
}

TEST(GraphicsFileReadTest, MissingFileLeavesTheCollectionAsItWas) {
  TScratch scratch;
  TPictureCollection pictures;
  pictures.Add()->SetName("kept");
  try {
    pictures.LoadFromFile(scratch.Path("missing.dxg"));
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + scratch.Path("missing.dxg") + ": No such file or directory");
  }
  ASSERT_EQ(pictures.Count(), 1);
  EXPECT_EQ(pictures.Items(0)->Name(), "kept");
}

TEST(GraphicsFileReadTest, UnwritableFileIsReported) {
  TScratch scratch;
  TPictureCollection pictures;
  const std::string path = scratch.Path("no-such-folder/a.dxg");
  try {
    pictures.SaveToFile(path);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + path + ": No such file or directory");
  }
}

TEST(GraphicsFileReadTest, WrongFirstByteIsAnInvalidFormatAndEmptiesTheCollection) {
  TPictureCollection pictures;
  pictures.Add()->SetName("old");
  std::string file = FileWithItems({});
  file[0] = '\xFE';
  EXPECT_EQ(MessageOfLoad(pictures, file), "Invalid stream format");
  EXPECT_EQ(pictures.Count(), 0);
}

TEST(GraphicsFileReadTest, WrongResourceTypeOrSignatureIsAnInvalidFormat) {
  TPictureCollection pictures;
  std::string badType = FileWithItems({});
  badType[1] = 11;
  EXPECT_EQ(MessageOfLoad(pictures, badType), "Invalid stream format");
  std::string badSignature = FileWithItems({});
  badSignature[34 + 3] = '1';
  EXPECT_EQ(MessageOfLoad(pictures, badSignature), "Invalid stream format");
  EXPECT_EQ(MessageOfLoad(pictures, ""), "Stream read error");
}

TEST(GraphicsFileReadTest, HeaderNameOfAnyLengthIsSkipped) {
  // A two-letter resource name puts the stream at offset 12; the stated length is ignored.
  const std::string standard = FileWithItems({std::string("\x04Name\x06\x01Z", 8)});
  TBytes file;
  file.Byte(0xFF).Byte(10).Byte(0).Raw("AB").Byte(0).Byte(0x30).Byte(0x10).U32(12345);
  file.Raw(StreamOf(standard));
  TPictureCollection pictures;
  pictures.LoadFromBytes(file.Data);
  ASSERT_EQ(pictures.Count(), 1);
  EXPECT_EQ(pictures.Items(0)->Name(), "Z");
}

TEST(GraphicsFileReadTest, EveryTruncationIsAStreamReadError) {
  TPictureCollection source;
  TPictureCollectionItem* item = source.Add();
  item->SetName("wall");
  item->SkipWidth = 300;
  item->Picture.LoadFromData(TPicture::kBitmap, SolidBitmap24(2, 2, 0xFF));
  source.Add()->SetName("second");
  const std::string file = source.SaveToBytes();
  for (size_t length = 0; length < file.size(); ++length) {
    TPictureCollection pictures;
    const std::string message = MessageOfLoad(pictures, std::string_view(file).substr(0, length));
    EXPECT_EQ(message, "Stream read error") << "cut at " << length;
  }
}

TEST(GraphicsFileReadTest, OversizedLengthsAreStreamReadErrors) {
  TPictureCollection pictures;
  // A byte block claiming 4 GB.
  const std::string block = std::string("\x0CPicture.Data\x0A\xFF\xFF\xFF\xFF", 18) + "\x07TBitmap";
  EXPECT_EQ(MessageOfLoad(pictures, FileWithItems({block})), "Stream read error");
  // A long string claiming 2 GB.
  EXPECT_EQ(MessageOfLoad(pictures, FileWithItems({std::string("\x04Name\x0C\x00\x00\x00\x80xyz", 12)})),
            "Stream read error");
  // A bitmap whose own length runs past its block.
  TBytes inner;
  inner.Name("TBitmap").U32(1000).Raw("BM");
  TBytes item;
  item.Name("Picture.Data").Byte(0x0A).U32(static_cast<uint32_t>(inner.Data.size())).Raw(inner.Data);
  EXPECT_EQ(MessageOfLoad(pictures, FileWithItems({item.Data})), "Stream read error");
  // A short string longer than what is left.
  EXPECT_EQ(MessageOfLoad(pictures, FileWithItems({std::string("\x04Name\x06\xF0", 7)})), "Stream read error");
}

TEST(GraphicsFileReadTest, UnknownPropertyKeepsTheItemsReadSoFar) {
  TPictureCollection pictures;
  const std::string file = FileWithItems({std::string("\x04Name\x06\x05"
                                                      "first",
                                                      12),
                                          std::string("\x05"
                                                      "Color\x02\x01",
                                                      8)});
  EXPECT_EQ(MessageOfLoad(pictures, file), "Error reading TPictureCollectionItem.Color: Property does not exist");
  ASSERT_EQ(pictures.Count(), 2);
  EXPECT_EQ(pictures.Items(0)->Name(), "first");
  EXPECT_EQ(pictures.IndexOf("first"), 0);
}

TEST(GraphicsFileReadTest, PropertyNamesIgnoreLetterCase) {
  TPictureCollection pictures;
  pictures.LoadFromBytes(FileWithItems({std::string("\x04NAME\x06\x01q\x0CpatternWIDTH\x02\x10", 23)}));
  ASSERT_EQ(pictures.Count(), 1);
  EXPECT_EQ(pictures.Items(0)->Name(), "q");
  EXPECT_EQ(pictures.Items(0)->PatternWidth, 16);
}

TEST(GraphicsFileReadTest, AnItemMayBePrecededByItsPosition) {
  TPictureCollection pictures;
  TBytes s;
  s.Raw("TPF0").Name("TPictureCollectionComponent").Byte(0).Name("List").Byte(0x0E);
  s.Byte(0x02).Byte(7).Byte(0x01).Name("Name").Byte(0x06).Name("p").Byte(0);
  s.Byte(0).Byte(0).Byte(0);
  pictures.LoadFromBytes(Header(0) + s.Data);
  ASSERT_EQ(pictures.Count(), 1);
  EXPECT_EQ(pictures.Items(0)->Name(), "p");
}

TEST(GraphicsFileReadTest, ValuesOfTheWrongKindAreRejected) {
  TPictureCollection pictures;
  EXPECT_EQ(MessageOfLoad(pictures, FileWithItems({std::string("\x0BTransparent\x02\x01", 14)})),
            "Invalid property value");
  EXPECT_EQ(MessageOfLoad(pictures, FileWithItems({std::string("\x10TransparentColor\x07\x05"
                                                               "clFoo",
                                                               24)})),
            "Invalid property value");
  EXPECT_EQ(MessageOfLoad(pictures, FileWithItems({std::string("\x0CPatternWidth\x06\x01x", 16)})),
            "Invalid property value");
}

TEST(GraphicsFileReadTest, BadPicturePayloadIsReported) {
  TPictureCollection pictures;
  TBytes inner;
  inner.Name("TBitmap").U32(4).Raw("BMxx");
  TBytes item;
  item.Name("Picture.Data").Byte(0x0A).U32(static_cast<uint32_t>(inner.Data.size())).Raw(inner.Data);
  EXPECT_EQ(MessageOfLoad(pictures, FileWithItems({item.Data})), "Bitmap image is not valid");
  EXPECT_EQ(pictures.Count(), 1);
}

TEST(GraphicsFileReadTest, LoadIntoABoundCollectionCutsTheNewPictures) {
  TPictureCollection source;
  TPictureCollectionItem* item = source.Add();
  item->PatternWidth = 16;
  item->Picture.LoadFromData(TPicture::kBitmap, SolidBitmap24(48, 16, 0xFF));
  const std::string file = source.SaveToBytes();

  TTestDisplay display;
  TPictureCollection pictures;
  pictures.Initialize(&display);
  pictures.LoadFromBytes(file);
  EXPECT_TRUE(pictures.Initialized());
  ASSERT_EQ(pictures.Count(), 1);
  EXPECT_TRUE(pictures.Items(0)->Prepared());
  EXPECT_EQ(pictures.Items(0)->SurfaceCount(), 1);
  EXPECT_EQ(pictures.Items(0)->PatternRect(2), Bounds(32, 0, 16, 16));
}

TEST(GraphicsFileReadTest, TrailingChildrenOrBytesAfterTheEnd) {
  TPictureCollection pictures;
  std::string withChild = FileWithItems({});
  withChild.back() = '\x05';  // something where the children's end should be
  EXPECT_EQ(MessageOfLoad(pictures, withChild), "Invalid stream format");
  EXPECT_EQ(MessageOfLoad(pictures, FileWithItems({}) + "trailing"), "no error");
}

}  // namespace
}  // namespace kestrilo
