// Decoding straight into the 5-6-5 surface that frames are cut from must give,
// for every file of the bitmap corpus, exactly what converting the decoded
// image gives, and refuse exactly what the image decoders refuse.
#include <gtest/gtest.h>

#include <QDir>

#include <optional>
#include <string>
#include <variant>

#include "library/BitmapCodec.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"
#include "tests/library/PictureTestSupport.h"

namespace kestrilo {
namespace {

const std::string kSuite = std::string(KESTRILO_TEST_DATA) + "/bmpsuite/";

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  for (const char* folder : {"g", "b", "q"})
    for (const QString& name : QDir(QString::fromStdString(kSuite + folder)).entryList({"*.bmp"}, QDir::Files))
      files.push_back(std::string(folder) + "/" + name.toStdString());
  return files;
}

// A decode's outcome: the surface made, or the message it was refused with.
using TOutcome = std::variant<TSurface, std::string>;

template <typename Decode>
TOutcome OutcomeOf(Decode decode) {
  try {
    return decode();
  } catch (const EInvalidGraphic& e) {
    return std::string(e.what());
  }
}

TOutcome ThroughImage(QImage (*decode)(std::string_view), const std::string& bytes) {
  return OutcomeOf([&] {
    const QImage image = decode(bytes);
    return TSurface::FromImage(image, TRect{0, 0, image.width(), image.height()});
  });
}

// Equal outcomes, naming the first differing pixel when both decoded.
::testing::AssertionResult SameOutcome(const TOutcome& straight, const TOutcome& throughImage) {
  if (throughImage.index() != straight.index()) {
    return ::testing::AssertionFailure() << (std::holds_alternative<std::string>(straight)
                                                 ? "refused: " + std::get<std::string>(straight)
                                                 : "decoded, the image decoder refused it");
  }
  if (const auto* message = std::get_if<std::string>(&straight)) {
    if (*message == std::get<std::string>(throughImage)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << *message << " instead of " << std::get<std::string>(throughImage);
  }
  const TSurface& a = std::get<TSurface>(straight);
  const TSurface& b = std::get<TSurface>(throughImage);
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return ::testing::AssertionFailure() << a.Width() << "x" << a.Height() << " instead of " << b.Width() << "x"
                                         << b.Height();
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y))
        return ::testing::AssertionFailure()
               << "pixel (" << x << "," << y << ") " << a.Pixel(x, y) << " instead of " << b.Pixel(x, y);
  return ::testing::AssertionSuccess();
}

TEST(BitmapSurfaceDecoding, EveryCorpusFileDecodesOrIsRefusedAsThroughTheImage) {
  const std::vector<std::string> files = CorpusFiles();
  ASSERT_EQ(files.size(), 88u);
  int decoded = 0;
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const std::string bytes = ReadWholeFile(kSuite + file);
    const TOutcome straight = OutcomeOf([&] { return DecodeBitmapToSurface(bytes); });
    EXPECT_TRUE(SameOutcome(straight, ThroughImage(DecodeBitmap, bytes)));
    if (std::holds_alternative<TSurface>(straight)) ++decoded;
  }
  // Every good file and most questionable ones decode: pixels were compared.
  EXPECT_GE(decoded, 50);
}

TEST(BitmapSurfaceDecoding, PackedFormsDecodeOrAreRefusedAsThroughTheImage) {
  int decoded = 0;
  for (const std::string& file : CorpusFiles()) {
    SCOPED_TRACE(file);
    const std::string packed = ReadWholeFile(kSuite + file).substr(14);
    const TOutcome straight = OutcomeOf([&] { return DecodeDibToSurface(packed); });
    EXPECT_TRUE(SameOutcome(straight, ThroughImage(DecodeDib, packed)));
    if (std::holds_alternative<TSurface>(straight)) ++decoded;
  }
  EXPECT_GE(decoded, 20);
}

TEST(BitmapSurfaceDecoding, WideRowsAndEveryChannelValueOfTwentyFourBits) {
  // 256 x 3 pixels sweeping each channel through every value, with the others
  // varying, in a row wide enough for the widest vector steps and an odd
  // width left over.
  for (const int32_t width : {256, 257, 7}) {
    SCOPED_TRACE(width);
    const std::string bytes = picturetest::Bitmap24(width, 3, [](int x, int y) {
      const uint32_t v = static_cast<uint32_t>(x) & 0xFF, other = (static_cast<uint32_t>(x) * 37 + 11) & 0xFF;
      return y == 0 ? v | other << 8 : y == 1 ? other | v << 8 | (255 - other) << 16 : (255 - v) | v << 16;
    });
    EXPECT_TRUE(
        SameOutcome(OutcomeOf([&] { return DecodeBitmapToSurface(bytes); }), ThroughImage(DecodeBitmap, bytes)));
  }
}

TEST(BitmapSurfaceDecoding, DamagedPixelDataIsRefusedWithTheKindsMessage) {
  const std::string bytes = picturetest::SolidBitmap24(16, 16, 0x123456);
  const std::string cut = bytes.substr(0, bytes.size() - 5);
  EXPECT_TRUE(SameOutcome(OutcomeOf([&] { return DecodeBitmapToSurface(cut); }), std::string(kBitmapNotValid)));
  const std::string packedCut = cut.substr(14);
  EXPECT_TRUE(SameOutcome(OutcomeOf([&] { return DecodeDibToSurface(packedCut); }), std::string(kDibInvalid)));
}

}  // namespace
}  // namespace kestrilo
