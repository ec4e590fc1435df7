// What every kestrilo-tool command shares: its arguments, JSON output and the
// text of names (UTF-8 on the command line, Windows-1251 in the files).
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Errors.h"

namespace kestrilo::tool {

// A command line the tool cannot take (an unknown option, a missing argument):
// the tool prints the message with the command's usage and exits with status 2.
class EUsageError : public EKestriloError {
 public:
  using EKestriloError::EKestriloError;
};

// --help among a command's options: the tool prints the command's usage.
class EHelpRequested : public std::exception {};

// A command: its arguments after the group and command words, and where to print.
using TToolCommand = int (*)(const std::vector<std::string>& args, std::ostream& out);

// Positional arguments and "--name value..." options. Each command states
// its options and how many values each takes; anything else is a usage error,
// and --help (or -h) asks for the command's usage.
class TArguments {
 public:
  TArguments(const std::vector<std::string>& args, const std::map<std::string, int>& optionArity);

  size_t PositionalCount() const { return positional_.size(); }
  // "Missing argument NAME" when there is no such positional argument.
  const std::string& Positional(size_t index, std::string_view name) const;
  // Demands exactly `count` positional arguments.
  void ExpectPositional(size_t count) const;

  bool Has(const std::string& option) const { return options_.count(option) != 0; }
  // "Missing option --NAME" when absent.
  const std::string& Value(const std::string& option, size_t index = 0) const;
  int32_t Integer(const std::string& option, size_t index = 0) const;
  bool Boolean01(const std::string& option) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::vector<std::string>> options_;
};

// "'%s' is not a valid integer value" for anything but a whole 32-bit number.
int32_t ParseInteger(const std::string& text);
// Decimal, 0x-hex or a colour name (clNone, clFuchsia...).
uint32_t ParseColor(const std::string& text);
// The colour's name, or 0x and eight hex digits.
std::string FormatColor(uint32_t color);

// The shortest text that reads back as the same double ("inf", "nan" included).
std::string FormatDouble(double value);

// Names typed as UTF-8 become the stored bytes; a character the stored code
// page lacks is an error rather than a silent '?'.
std::string ToStoredName(const std::string& utf8);
std::string ToShownName(const std::string& stored);
// A stored name as a text listing prints it: UTF-8 with its control
// characters written out (JSON escapes them its own way).
std::string ListedName(const std::string& stored);

// A minimal JSON writer: values appended in order, commas placed for you.
class TJsonWriter {
 public:
  TJsonWriter& BeginObject();
  TJsonWriter& EndObject();
  TJsonWriter& BeginArray();
  TJsonWriter& EndArray();
  TJsonWriter& Key(std::string_view key);
  TJsonWriter& String(std::string_view utf8);
  TJsonWriter& Number(int64_t value);
  // A double in its shortest exact form; null for infinities and NaN.
  TJsonWriter& Double(double value);
  TJsonWriter& Boolean(bool value);
  const std::string& Text() const { return text_; }

 private:
  void BeforeValue();
  std::string text_;
  std::vector<bool> firstInContainer_;
  bool afterKey_ = false;
};

std::string JsonQuoted(std::string_view utf8);

}  // namespace kestrilo::tool
