#include "library/FloatText.h"

#include <charconv>
#include <cmath>

#include "platform/Errors.h"

namespace kestrilo {

namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

[[noreturn]] void NotAFloat(const std::string& text) {
  throw EConvertError("'" + text + "' is not a valid floating point value");
}

// Digits from `at` on; returns how many.
size_t SkipDigits(const std::string& text, size_t& at) {
  const size_t start = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
  return at - start;
}

// [+-] (digits [. digits] | . digits) [(e|E) [+-] digits], the whole text.
// Checked in one pass: a pattern matcher that recurses per character runs out
// of stack on the thousands of digits a text field can hold.
bool IsDecimalNumber(const std::string& text) {
  size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  const size_t whole = SkipDigits(text, at);
  size_t fraction = 0;
  if (at < text.size() && text[at] == '.') {
    ++at;
    fraction = SkipDigits(text, at);
  }
  if (whole == 0 && fraction == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (SkipDigits(text, at) == 0) return false;
  }
  return at == text.size();
}

}  // namespace

double TFloatText::StrToFloat(const std::string& text, char decimalSeparator) {
  std::string number = Trimmed(text);
  for (char& c : number) {
    if (c == decimalSeparator) c = '.';
  }
  // The grammar is checked here; from_chars alone would accept "inf" and "nan".
  if (!IsDecimalNumber(number)) NotAFloat(text);
  const char* begin = number.data();
  if (*begin == '+') ++begin;  // from_chars takes no plus sign
  double value = 0.0;
  const auto [end, error] = std::from_chars(begin, number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size()) NotAFloat(text);
  return value;
}

double TFloatText::Divide(double numerator, double denominator) {
  if (denominator == 0.0) {
    if (numerator == 0.0 || std::isnan(numerator)) throw EInvalidOp("Invalid floating point operation");
    throw EZeroDivide("Floating point division by zero");
  }
  const double quotient = numerator / denominator;
  if (std::isinf(quotient)) throw EOverflow("Floating point overflow");
  return quotient;
}

}  // namespace kestrilo
