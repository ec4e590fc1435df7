// Text quoted from files into messages.
#include <gtest/gtest.h>

#include "platform/Cp1251.h"

namespace kestrilo {
namespace {

TEST(EscapeControls, ControlCharactersAreWrittenOut) {
  EXPECT_EQ(cp1251::EscapeControls("\x1b[31mred"), "\\x1b[31mred");
  EXPECT_EQ(cp1251::EscapeControls(std::string("a\0b", 3)), "a\\x00b");
  EXPECT_EQ(cp1251::EscapeControls("tab\there\r\n"), "tab\\x09here\\x0d\\x0a");
  EXPECT_EQ(cp1251::EscapeControls("\x7f\x1f "), "\\x7f\\x1f ");
  // U+009B, the one-character form of ESC [, and the other C1 controls.
  EXPECT_EQ(cp1251::EscapeControls("\xc2\x9b"
                                   "2J\xc2\x80"),
            "\\u009b2J\\u0080");
  // The separators and direction marks that lay out a message box.
  EXPECT_EQ(cp1251::EscapeControls("a\u2028b\u202Ecod.exe\u2066\u200F"), "a\\u2028b\\u202ecod.exe\\u2066\\u200f");
}

TEST(EscapeControls, BytesThatAreNoUtf8AreWrittenOutOneByOne) {
  // A stray continuation byte, a lone lead byte, a sequence cut at the end.
  EXPECT_EQ(cp1251::EscapeControls("\x80x\xffy\xd0"), "\\x80x\\xffy\\xd0");
  // Overlong forms, a surrogate and a code point past U+10FFFF; the next character survives.
  EXPECT_EQ(cp1251::EscapeControls("\xc0\xafЖ"), "\\xc0\\xafЖ");
  EXPECT_EQ(cp1251::EscapeControls("\xe0\x80\xaf"), "\\xe0\\x80\\xaf");
  EXPECT_EQ(cp1251::EscapeControls("\xed\xa0\x80"), "\\xed\\xa0\\x80");
  EXPECT_EQ(cp1251::EscapeControls("\xf4\x90\x80\x80"), "\\xf4\\x90\\x80\\x80");
  // Names a file system holds in Windows-1251: every Cyrillic byte is escaped, Latin stays.
  EXPECT_EQ(cp1251::EscapeControls(W1251("Уровень1.mtf")), "\\xd3\\xf0\\xee\\xe2\\xe5\\xed\\xfc1.mtf");
  // Well-formed sequences of every length stay as they are.
  EXPECT_EQ(cp1251::EscapeControls("\u07ff\u0800\uffff\U00010000\U0010FFFF"), "\u07ff\u0800\uffff\U00010000\U0010FFFF");
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

}  // namespace
}  // namespace kestrilo
