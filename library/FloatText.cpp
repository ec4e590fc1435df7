#include "library/FloatText.h"

#include <charconv>
#include <cmath>
#include <regex>

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

}  // namespace

double TFloatText::StrToFloat(const std::string& text, char decimalSeparator) {
  std::string number = Trimmed(text);
  for (char& c : number) {
    if (c == decimalSeparator) c = '.';
  }
  // The grammar is checked here; from_chars alone would accept "inf" and "nan".
  static const std::regex kGrammar(R"([+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)");
  if (!std::regex_match(number, kGrammar)) NotAFloat(text);
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
