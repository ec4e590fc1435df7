// The 42 colour names of the graphics file and how colour values resolve.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "library/Colors.h"

namespace kestrilo {
namespace {

TEST(ColorsTest, FortyTwoNamesEachRoundTrip) {
  std::set<std::string> names;
  auto check = [&](uint32_t color) {
    const auto name = ColorToIdent(color);
    ASSERT_TRUE(name.has_value()) << std::hex << color;
    names.insert(std::string(*name));
    EXPECT_EQ(IdentToColor(*name), color);
  };
  for (uint32_t plain : {0x000000u, 0x000080u, 0x008000u, 0x008080u, 0x800000u, 0x800080u, 0x808000u, 0x808080u,
                         0xC0C0C0u, 0x0000FFu, 0x00FF00u, 0x00FFFFu, 0xFF0000u, 0xFF00FFu, 0xFFFF00u, 0xFFFFFFu})
    check(plain);
  for (uint32_t n = 0; n < 25; ++n) check(0x80000000u + n);
  check(0x1FFFFFFFu);
  EXPECT_EQ(names.size(), 42u);
}

TEST(ColorsTest, NamesOfTheCommonColours) {
  EXPECT_EQ(ColorToIdent(0), "clBlack");
  EXPECT_EQ(ColorToIdent(0x0000FF), "clRed");
  EXPECT_EQ(ColorToIdent(0xFF0000), "clBlue");
  EXPECT_EQ(ColorToIdent(0x80000000u), "clScrollBar");
  EXPECT_EQ(ColorToIdent(0x80000015u), "cl3DDkShadow");
  EXPECT_EQ(ColorToIdent(0x80000018u), "clInfoBk");
  EXPECT_EQ(ColorToIdent(0x1FFFFFFFu), "clNone");
  EXPECT_FALSE(ColorToIdent(0x80000019u).has_value());
  EXPECT_FALSE(ColorToIdent(0x010203u).has_value());
}

TEST(ColorsTest, NamesAreReadIgnoringLetterCase) {
  EXPECT_EQ(IdentToColor("CLFUCHSIA"), 0xFF00FFu);
  EXPECT_EQ(IdentToColor("clnone"), 0x1FFFFFFFu);
  EXPECT_FALSE(IdentToColor("clPink").has_value());
  EXPECT_FALSE(IdentToColor("").has_value());
  EXPECT_FALSE(IdentToColor("clBlackk").has_value());
}

TEST(ColorsTest, DisplayElementColoursResolveToTheClassicScheme) {
  EXPECT_TRUE(IsSystemColor(0x8000000Fu));
  EXPECT_FALSE(IsSystemColor(0x1FFFFFFFu));
  EXPECT_EQ(ColorToRGB(0x8000000Fu), 0xC0C0C0u);  // clBtnFace
  EXPECT_EQ(ColorToRGB(0x80000005u), 0xFFFFFFu);  // clWindow
  EXPECT_EQ(ColorToRGB(0x80000018u), 0xE1FFFFu);  // clInfoBk
  EXPECT_EQ(ColorToRGB(0x80000100u), 0u);         // no such element
  EXPECT_EQ(ColorToRGB(0x00123456u), 0x123456u);
  EXPECT_EQ(ColorToRGB(0x02123456u), 0x123456u);  // other high bits are dropped
}

}  // namespace
}  // namespace kestrilo
