#include "library/Colors.h"

#include <array>

#include "platform/Cp1251.h"

namespace kestrilo {
namespace {

struct TNamedColor {
  uint32_t Color;
  std::string_view Name;
};

// The 16 plain colours, the 25 display element colours in element order, and none.
constexpr std::array<TNamedColor, 42> kNamedColors{{
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {0x80000000, "clScrollBar"},
    {0x80000001, "clBackground"},
    {0x80000002, "clActiveCaption"},
    {0x80000003, "clInactiveCaption"},
    {0x80000004, "clMenu"},
    {0x80000005, "clWindow"},
    {0x80000006, "clWindowFrame"},
    {0x80000007, "clMenuText"},
    {0x80000008, "clWindowText"},
    {0x80000009, "clCaptionText"},
    {0x8000000A, "clActiveBorder"},
    {0x8000000B, "clInactiveBorder"},
    {0x8000000C, "clAppWorkSpace"},
    {0x8000000D, "clHighlight"},
    {0x8000000E, "clHighlightText"},
    {0x8000000F, "clBtnFace"},
    {0x80000010, "clBtnShadow"},
    {0x80000011, "clGrayText"},
    {0x80000012, "clBtnText"},
    {0x80000013, "clInactiveCaptionText"},
    {0x80000014, "clBtnHighlight"},
    {0x80000015, "cl3DDkShadow"},
    {0x80000016, "cl3DLight"},
    {0x80000017, "clInfoText"},
    {0x80000018, "clInfoBk"},
    {0x1FFFFFFF, "clNone"},
}};

// The classic desktop scheme for the 25 display element colours (0x00BBGGRR).
constexpr std::array<uint32_t, 25> kClassicScheme{{
    0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x000000, 0xE1FFFF,
}};

}  // namespace

std::optional<std::string_view> ColorToIdent(uint32_t color) {
  for (const TNamedColor& named : kNamedColors)
    if (named.Color == color) return named.Name;
  return std::nullopt;
}

std::optional<uint32_t> IdentToColor(std::string_view ident) {
  for (const TNamedColor& named : kNamedColors)
    if (cp1251::SameText(named.Name, ident)) return named.Color;
  return std::nullopt;
}

bool IsSystemColor(uint32_t color) { return (color & 0xFF000000u) == 0x80000000u; }

uint32_t ColorToRGB(uint32_t color) {
  if (IsSystemColor(color)) {
    const uint32_t element = color & 0x00FFFFFFu;
    return element < kClassicScheme.size() ? kClassicScheme[element] : 0;
  }
  return color & 0x00FFFFFFu;
}

}  // namespace kestrilo
