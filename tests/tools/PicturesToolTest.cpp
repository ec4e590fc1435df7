// kestrilo-tool pictures list / add / extract, run as the designer runs it.
#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>

#include <memory>

#include "ToolRunSupport.h"
#include "library/PictureCollection.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "tests/library/PictureTestSupport.h"

namespace kestrilo {
namespace {

using picturetest::Bitmap24;
using picturetest::TScratch;
using picturetest::WriteBytes;
using tooltest::RunTool;
using tooltest::TToolRun;

// The system's message stands on a line of its own in the error output (the
// windowing library may warn about its environment before it, usage may follow).
bool HasLine(const std::string& text, const std::string& line) {
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

class PicturesToolTest : public ::testing::Test {
 protected:
  PicturesToolTest() {
    // Left half red, right half blue, 64 x 32.
    WriteBytes(Path("strip.bmp"), Bitmap24(64, 32, [](int x, int) { return x < 32 ? 0x0000FFu : 0xFF0000u; }));
  }
  std::string Path(const std::string& name) const { return scratch.Path(name); }
  std::unique_ptr<TPictureCollection> Load(const std::string& name) const {
    auto pictures = std::make_unique<TPictureCollection>();
    pictures->LoadFromFile(Path(name));
    return pictures;
  }
  TScratch scratch;
};

TEST_F(PicturesToolTest, AddStartsANewFileAndStoresTheNameInTheCodePage) {
  const TToolRun run =
      RunTool({"pictures", "add", Path("a.dxg"), Path("strip.bmp"), "--name", "Дверь", "--pattern", "32", "32"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const auto loaded = Load("a.dxg");
  const TPictureCollection& pictures = *loaded;
  ASSERT_EQ(pictures.Count(), 1);
  const TPictureCollectionItem& item = *pictures.Items(0);
  EXPECT_EQ(item.Name(), W1251("Дверь"));
  EXPECT_EQ(item.PatternWidth, 32);
  EXPECT_EQ(item.PatternCount(), 2);
  EXPECT_EQ(item.Picture.Kind(), "TBitmap");
  EXPECT_EQ(item.Picture.Data(), ReadWholeFile(Path("strip.bmp")));
  // Defaults where no option was given.
  EXPECT_TRUE(item.Transparent);
  EXPECT_FALSE(item.SystemMemory);
  EXPECT_EQ(item.TransparentColor(), 0u);
}

TEST_F(PicturesToolTest, AddAppendsWithEveryOption) {
  ASSERT_EQ(RunTool({"pictures", "add", Path("a.dxg"), Path("strip.bmp"), "--name", "first"}).ExitCode, 0);
  const TToolRun run =
      RunTool({"pictures", "add", Path("a.dxg"), Path("strip.bmp"), "--name", "second", "--pattern", "16", "8",
               "--skip", "2", "3", "--transparent", "0", "--key", "0x00FF00", "--system-memory", "1"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const auto loaded = Load("a.dxg");
  const TPictureCollection& pictures = *loaded;
  ASSERT_EQ(pictures.Count(), 2);
  const TPictureCollectionItem& item = *pictures.Items(1);
  EXPECT_EQ(item.Name(), "second");
  EXPECT_EQ(item.PatternWidth, 16);
  EXPECT_EQ(item.PatternHeight, 8);
  EXPECT_EQ(item.SkipWidth, 2);
  EXPECT_EQ(item.SkipHeight, 3);
  EXPECT_FALSE(item.Transparent);
  EXPECT_TRUE(item.SystemMemory);
  EXPECT_EQ(item.TransparentColor(), 0x00FF00u);
}

TEST_F(PicturesToolTest, KeyTakesDecimalHexAndColourNames) {
  const std::pair<const char*, uint32_t> keys[] = {
      {"255", 0xFFu}, {"0x1FFFFFFF", 0x1FFFFFFFu}, {"clFuchsia", 0xFF00FFu}, {"clnone", 0x1FFFFFFFu}};
  for (const auto& [text, value] : keys) {
    ASSERT_EQ(RunTool({"pictures", "add", Path("k.dxg"), Path("strip.bmp"), "--name", text, "--key", text}).ExitCode,
              0);
    const auto loaded = Load("k.dxg");
    const TPictureCollection& pictures = *loaded;
    EXPECT_EQ(pictures.Items(pictures.Count() - 1)->TransparentColor(), value) << text;
  }
}

TEST_F(PicturesToolTest, ListPrintsEveryItemAsJson) {
  ASSERT_EQ(RunTool({"pictures", "add", Path("a.dxg"), Path("strip.bmp"), "--name", "Игрок", "--pattern", "32", "16",
                     "--key", "clFuchsia"})
                .ExitCode,
            0);
  const TToolRun run = RunTool({"pictures", "list", Path("a.dxg"), "--json"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "[{\"index\":0,\"name\":\"Игрок\",\"kind\":\"TBitmap\",\"width\":64,\"height\":32,\"patternWidth\":32,"
            "\"patternHeight\":16,\"skipWidth\":0,\"skipHeight\":0,\"frames\":4,\"systemMemory\":false,"
            "\"transparent\":true,\"transparentColor\":\"clFuchsia\"}]\n");
  const TToolRun text = RunTool({"pictures", "list", Path("a.dxg")});
  ASSERT_EQ(text.ExitCode, 0);
  EXPECT_NE(text.Out.find("\"Игрок\""), std::string::npos);
  EXPECT_NE(text.Out.find("frames 4"), std::string::npos);
}

TEST_F(PicturesToolTest, ExtractWritesEachPictureAsHeld) {
  ASSERT_EQ(RunTool({"pictures", "add", Path("a.dxg"), Path("strip.bmp"), "--name", "a", "--key", "clRed"}).ExitCode,
            0);
  const TToolRun run = RunTool({"pictures", "extract", Path("a.dxg"), Path("out")});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  QImage image(QString::fromStdString(Path("out/0.png")));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 64);
  EXPECT_EQ(image.height(), 32);
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));  // the key colour is still there
  EXPECT_EQ(image.pixel(63, 31), qRgb(0, 0, 255));
}

TEST_F(PicturesToolTest, ErrorsGoToStandardErrorWithStatusOneOrTwoForAWrongCommandLine) {
  struct TCase {
    std::vector<std::string> Args;
    std::string Message;
    int Status = 1;
  };
  WriteBytes(Path("picture.xyz"), "xyz");
  WriteBytes(Path("picture.png"), "png");
  // 35 bytes: a 1 x 1 frame on a logical screen of 65,535 x 65,535.
  WriteBytes(Path("bomb.gif"), std::string("GIF89a\xFF\xFF\xFF\xFF\x80\0\0\0\0\0\xFF\xFF\xFF,\0\0\0\0\x01\0\x01\0"
                                           "\0\x02\x02\x44\x01\0;",
                                           35));
  const TCase cases[] = {
      {{"pictures", "list", Path("missing.dxg")},
       "Cannot open file " + Path("missing.dxg") + ": No such file or directory"},
      {{"pictures", "add", Path("a.dxg"), Path("strip.bmp")}, "Missing option --name", 2},
      {{"pictures", "add", Path("a.dxg"), Path("picture.xyz"), "--name", "x"},
       "Unknown picture file extension (.xyz): " + Path("picture.xyz")},
      {{"pictures", "add", Path("a.dxg"), Path("picture.png"), "--name", "x"},
       "Bitmap image is not valid: " + Path("picture.png")},
      {{"pictures", "add", Path("a.dxg"), Path("bomb.gif"), "--name", "x"},
       "Картинка слишком велика: " + Path("bomb.gif") + ", 65535\u00A0×\u00A065535 точек; предел — 64\u00A0МБ"},
      {{"pictures", "add", Path("a.dxg"), Path("strip.bmp"), "--name", "x", "--key", "pink"},
       "'pink' is not a valid color value"},
      {{"pictures", "add", Path("a.dxg"), Path("strip.bmp"), "--name", "x", "--pattern", "3x", "2"},
       "'3x' is not a valid integer value"},
      {{"pictures", "add", Path("a.dxg"), Path("strip.bmp"), "--name", "日本"},
       "'日本' cannot be stored: only Windows-1251 characters are allowed"},
      {{"pictures", "add", Path("a.dxg"), Path("strip.bmp"), "--name", "x", "--bogus"}, "Unknown option --bogus", 2},
      {{"pictures", "frobnicate"}, "Unknown command: pictures frobnicate", 2},
  };
  for (const TCase& c : cases) {
    const TToolRun run = RunTool(c.Args);
    EXPECT_EQ(run.ExitCode, c.Status) << c.Message;
    EXPECT_TRUE(HasLine(run.Err, c.Message)) << run.Err;
    EXPECT_TRUE(run.Out.empty()) << run.Out;
  }
  EXPECT_FALSE(FileExists(Path("a.dxg")));  // no failed add wrote anything
}

TEST_F(PicturesToolTest, APngWithAlphaIsAddedAsATransparentBitmapAndExtractedAsHeld) {
  QImage sprite(5, 4, QImage::Format_ARGB32);
  sprite.fill(qRgba(20, 120, 220, 255));
  sprite.setPixel(0, 0, qRgba(0, 0, 0, 0));
  sprite.setPixel(4, 3, qRgba(255, 255, 255, 100));
  ASSERT_TRUE(sprite.save(QString::fromStdString(Path("sprite.png")), "PNG"));
  const TToolRun add = RunTool({"pictures", "add", Path("a.dxg"), Path("sprite.png"), "--name", "sprite"});
  ASSERT_EQ(add.ExitCode, 0) << add.Err;

  const auto loaded = Load("a.dxg");
  const TPictureCollectionItem& item = *loaded->Items(0);
  EXPECT_EQ(item.Picture.Kind(), "TBitmap");
  EXPECT_EQ(item.Picture.Data().View().substr(0, 2), "BM");
  EXPECT_TRUE(item.Transparent);
  EXPECT_EQ(item.TransparentColor(), 0xFF00FFu);
  const TToolRun list = RunTool({"pictures", "list", Path("a.dxg")});
  EXPECT_NE(list.Out.find("TBitmap\t5x4"), std::string::npos) << list.Out;
  EXPECT_NE(list.Out.find("transparent 1\tkey clFuchsia"), std::string::npos) << list.Out;

  ASSERT_EQ(RunTool({"pictures", "extract", Path("a.dxg"), Path("out")}).ExitCode, 0);
  const QImage extracted(QString::fromStdString(Path("out/0.png")));
  ASSERT_EQ(extracted.size(), QSize(5, 4));
  EXPECT_EQ(extracted.pixel(0, 0), 0xFFFF00FFu);
  EXPECT_EQ(extracted.pixel(4, 3), 0xFFFF00FFu);
  EXPECT_EQ(extracted.pixel(2, 2), qRgb(20, 120, 220));

  // Options given outright have the last word.
  const TToolRun opaque = RunTool({"pictures", "add", Path("a.dxg"), Path("sprite.png"), "--name", "opaque",
                                   "--transparent", "0", "--key", "clBlack"});
  ASSERT_EQ(opaque.ExitCode, 0) << opaque.Err;
  const auto again = Load("a.dxg");
  EXPECT_FALSE(again->Items(1)->Transparent);
  EXPECT_EQ(again->Items(1)->TransparentColor(), 0u);
}

TEST_F(PicturesToolTest, NamesAreListedWithTheirControlCharactersWrittenOut) {
  ASSERT_EQ(RunTool({"pictures", "add", Path("a.dxg"), Path("strip.bmp"), "--name", "\x1b[2Jgone"}).ExitCode, 0);
  const TToolRun list = RunTool({"pictures", "list", Path("a.dxg")});
  EXPECT_NE(list.Out.find("\"\\x1b[2Jgone\""), std::string::npos) << list.Out;
  EXPECT_EQ(list.Out.find('\x1b'), std::string::npos);
}

TEST_F(PicturesToolTest, AddDoesNotOverwriteADamagedFile) {
  WriteBytes(Path("bad.dxg"), "not a graphics file");
  const TToolRun run = RunTool({"pictures", "add", Path("bad.dxg"), Path("strip.bmp"), "--name", "x"});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(HasLine(run.Err, "Invalid stream format: " + Path("bad.dxg") + ": not a graphics file")) << run.Err;
  EXPECT_EQ(ReadWholeFile(Path("bad.dxg")), "not a graphics file");
}

}  // namespace
}  // namespace kestrilo
