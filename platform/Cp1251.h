// Windows-1251 text. Names are kept as the single bytes they have in the files;
// conversion to Unicode happens only where text meets a widget or a literal.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kestrilo::cp1251 {

// Windows-1251 bytes -> UTF-8. Unassigned byte 0x98 becomes U+FFFD.
std::string ToUtf8(std::string_view bytes);
// UTF-8 -> Windows-1251 bytes; characters without a code become '?'.
std::string FromUtf8(std::string_view utf8);

QString ToQString(std::string_view bytes);
std::string FromQString(const QString& text);

// Letter case of Latin and Cyrillic letters (including Ё/ё and the other
// Cyrillic letters of the code page); every other byte stays as it is.
unsigned char ToLower(unsigned char c);
unsigned char ToUpper(unsigned char c);
std::string ToLower(std::string_view bytes);
// Equal ignoring the letter case of Latin and Cyrillic letters.
bool SameText(std::string_view a, std::string_view b);

// Text quoted from a file, or a file's name, put into a message with its
// control characters written out (ESC as \x1b, U+009B as \u009b, U+202E as
// \u202e) and every byte that is no UTF-8 as \xNN, so that a damaged file or a
// strange name cannot send escape sequences to a terminal or lay out a
// message box. Names held in Windows-1251 go through ToUtf8 first.
std::string EscapeControls(std::string_view utf8);

}  // namespace kestrilo::cp1251

// Source literals are UTF-8; this turns one into the stored single-byte form.
inline std::string W1251(std::string_view utf8) { return kestrilo::cp1251::FromUtf8(utf8); }
