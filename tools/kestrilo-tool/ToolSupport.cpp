#include "ToolSupport.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "library/Colors.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"

namespace kestrilo::tool {

TArguments::TArguments(const std::vector<std::string>& args, const std::map<std::string, int>& optionArity) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") throw EHelpRequested();
    if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      const std::string name = arg.substr(2);
      const auto arity = optionArity.find(name);
      if (arity == optionArity.end()) throw EUsageError("Unknown option " + cp1251::EscapeControls(arg));
      std::vector<std::string> values;
      for (int v = 0; v < arity->second; ++v) {
        if (++i >= args.size())
          throw EUsageError("Option " + cp1251::EscapeControls(arg) + " needs " + std::to_string(arity->second) +
                            " value(s)");
        values.push_back(args[i]);
      }
      options_[name] = std::move(values);
    } else {
      positional_.push_back(arg);
    }
  }
}

const std::string& TArguments::Positional(size_t index, std::string_view name) const {
  if (index >= positional_.size()) throw EUsageError("Missing argument " + std::string(name));
  return positional_[index];
}

void TArguments::ExpectPositional(size_t count) const {
  if (positional_.size() != count)
    throw EUsageError("Expected " + std::to_string(count) + " argument(s), got " + std::to_string(positional_.size()));
}

const std::string& TArguments::Value(const std::string& option, size_t index) const {
  const auto found = options_.find(option);
  if (found == options_.end() || index >= found->second.size()) throw EUsageError("Missing option --" + option);
  return found->second[index];
}

int32_t TArguments::Integer(const std::string& option, size_t index) const {
  return ParseInteger(Value(option, index));
}

bool TArguments::Boolean01(const std::string& option) const {
  const std::string& value = Value(option);
  if (value == "0") return false;
  if (value == "1") return true;
  throw EConvertError("'" + cp1251::EscapeControls(value) + "' is not a valid boolean value (0 or 1)");
}

int32_t ParseInteger(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || value < INT32_MIN || value > INT32_MAX)
    throw EConvertError("'" + cp1251::EscapeControls(text) + "' is not a valid integer value");
  return static_cast<int32_t>(value);
}

uint32_t ParseColor(const std::string& text) {
  if (auto named = IdentToColor(text)) return *named;
  errno = 0;
  char* end = nullptr;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
                   std::isxdigit(static_cast<unsigned char>(text[2]));
  const long long value = hex ? std::strtoll(text.c_str() + 2, &end, 16) : std::strtoll(text.c_str(), &end, 10);
  const bool digits = hex || (!text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-'));
  if (!digits || *end != '\0' || errno != 0 || value < INT32_MIN || value > UINT32_MAX)
    throw EConvertError("'" + cp1251::EscapeControls(text) + "' is not a valid color value");
  return static_cast<uint32_t>(value);
}

std::string FormatColor(uint32_t color) {
  if (auto named = ColorToIdent(color)) return std::string(*named);
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", color);
  return text;
}

std::string FormatDouble(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string ToStoredName(const std::string& utf8) {
  std::string stored = cp1251::FromUtf8(utf8);
  if (cp1251::ToUtf8(stored) != utf8)
    throw EConvertError("'" + cp1251::EscapeControls(utf8) +
                        "' cannot be stored: only Windows-1251 characters are allowed");
  return stored;
}

std::string ToShownName(const std::string& stored) { return cp1251::ToUtf8(stored); }

std::string ListedName(const std::string& stored) { return cp1251::EscapeControls(ToShownName(stored)); }

std::string JsonQuoted(std::string_view utf8) {
  std::string out = "\"";
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
}

void TJsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!firstInContainer_.empty()) {
    if (!firstInContainer_.back()) text_ += ",";
    firstInContainer_.back() = false;
  }
}

TJsonWriter& TJsonWriter::BeginObject() {
  BeforeValue();
  text_ += "{";
  firstInContainer_.push_back(true);
  return *this;
}

TJsonWriter& TJsonWriter::EndObject() {
  firstInContainer_.pop_back();
  text_ += "}";
  return *this;
}

TJsonWriter& TJsonWriter::BeginArray() {
  BeforeValue();
  text_ += "[";
  firstInContainer_.push_back(true);
  return *this;
}

TJsonWriter& TJsonWriter::EndArray() {
  firstInContainer_.pop_back();
  text_ += "]";
  return *this;
}

TJsonWriter& TJsonWriter::Key(std::string_view key) {
  BeforeValue();
  text_ += JsonQuoted(key) + ":";
  afterKey_ = true;
  return *this;
}

TJsonWriter& TJsonWriter::String(std::string_view utf8) {
  BeforeValue();
  text_ += JsonQuoted(utf8);
  return *this;
}

TJsonWriter& TJsonWriter::Number(int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
  return *this;
}

TJsonWriter& TJsonWriter::Double(double value) {
  BeforeValue();
  // JSON has no spelling for infinities and NaN; a bare inf would make the
  // whole document unreadable.
  text_ += std::isfinite(value) ? FormatDouble(value) : "null";
  return *this;
}

TJsonWriter& TJsonWriter::Boolean(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
  return *this;
}

}  // namespace kestrilo::tool
