// Decimal numbers typed by the designer, read and divided with the system's
// own conversion and arithmetic errors.
#pragma once

#include <string>

namespace kestrilo {

class TFloatText {
 public:
  // Reads `text` (UTF-8) as a decimal number: optional blanks, sign, digits with
  // `decimalSeparator` (a '.' is also accepted), optional exponent.
  // EConvertError "'%s' is not a valid floating point value" otherwise, also
  // for numbers beyond the range of a double.
  static double StrToFloat(const std::string& text, char decimalSeparator = '.');

  // numerator / denominator; EZeroDivide "Floating point division by zero",
  // EInvalidOp "Invalid floating point operation" for 0 / 0, EOverflow
  // "Floating point overflow" when the quotient is too large.
  static double Divide(double numerator, double denominator);
};

}  // namespace kestrilo
