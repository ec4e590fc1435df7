// Colour values as the pictures store them: 0x00BBGGRR for plain colours,
// 0x80000000 + n for the display element colours, 0x1FFFFFFF for none; and
// the 42 colour names the graphics file writes instead of numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrilo {

constexpr uint32_t clBlack = 0x000000;
constexpr uint32_t clFuchsia = 0xFF00FF;
constexpr uint32_t clWhite = 0xFFFFFF;
constexpr uint32_t clScrollBar = 0x80000000;
constexpr uint32_t clNone = 0x1FFFFFFF;

// The name of a named colour ("clBlack", "clNone", ...), or nothing.
std::optional<std::string_view> ColorToIdent(uint32_t color);
// The colour of a name, letter case ignored, or nothing.
std::optional<uint32_t> IdentToColor(std::string_view ident);

bool IsSystemColor(uint32_t color);
// A plain 0x00BBGGRR colour for any value: display element colours take the
// classic desktop scheme, other high bits are dropped.
uint32_t ColorToRGB(uint32_t color);

}  // namespace kestrilo
