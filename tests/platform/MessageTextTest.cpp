// Text quoted from files into messages, and the file dialog's filters as Qt
// takes them.
#include <gtest/gtest.h>

#include "platform/Cp1251.h"
#include "platform/QtDialogService.h"

namespace kestrilo {
namespace {

TEST(EscapeControls, ControlCharactersAreWrittenOut) {
  EXPECT_EQ(cp1251::EscapeControls("\x1b[31mred"), "\\x1b[31mred");
  EXPECT_EQ(cp1251::EscapeControls(std::string("a\0b", 3)), "a\\x00b");
  EXPECT_EQ(cp1251::EscapeControls("tab\there\r\n"), "tab\\x09here\\x0d\\x0a");
  EXPECT_EQ(cp1251::EscapeControls("\x7f\x1f "), "\\x7f\\x1f ");
  // U+009B, the one-character form of ESC [, and the other C1 controls.
  EXPECT_EQ(cp1251::EscapeControls("\xc2\x9b" "2J\xc2\x80"), "\\u009b2J\\u0080");
}

TEST(EscapeControls, PrintableTextIsLeftAsItIs) {
  EXPECT_EQ(cp1251::EscapeControls(""), "");
  EXPECT_EQ(cp1251::EscapeControls("Дверь 2 \\ \"x\""), "Дверь 2 \\ \"x\"");
  // U+00A0 and U+00C0 share the lead byte of the C1 controls but are no controls.
  EXPECT_EQ(cp1251::EscapeControls("\xc2\xa0\xc3\x80"), "\xc2\xa0\xc3\x80");
  // Every byte of the stored code page that is no control survives the way to a message.
  for (int b = 0x20; b < 0x100; ++b) {
    if (b == 0x7F) continue;
    const std::string utf8 = cp1251::ToUtf8(std::string(1, static_cast<char>(b)));
    EXPECT_EQ(cp1251::EscapeControls(utf8), utf8) << b;
  }
}

TEST(QtFilter, PatternsInTheCaptionAreSeparatedBySpaces) {
  EXPECT_EQ(TQtDialogService::QtFilter("All (*.bmp;*.png)|*.bmp;*.png|Bitmaps (*.bmp)|*.bmp").toStdString(),
            "All (*.bmp *.png);;Bitmaps (*.bmp)");
  // A caption without patterns is given the filter's own.
  EXPECT_EQ(TQtDialogService::QtFilter("Levels|*.mtf;*.MTF").toStdString(), "Levels (*.mtf *.MTF)");
  // Parentheses inside the caption's words stay; only the last list is replaced.
  EXPECT_EQ(TQtDialogService::QtFilter("Pictures (old) (*.a;*.b)|*.a;*.b").toStdString(),
            "Pictures (old) (*.a *.b)");
}

}  // namespace
}  // namespace kestrilo
