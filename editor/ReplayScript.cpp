#include "editor/ReplayScript.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"

namespace kestrilo {

namespace {

struct TNamedKey {
  const char* Name;
  uint32_t VirtualKey;
};

// The keys with names beyond letters and digits.
constexpr std::array<TNamedKey, 9> kNamedKeys{{
    {"Enter", 13},
    {"Shift", 16},
    {"Space", 32},
    {"Left", 37},
    {"Up", 38},
    {"Right", 39},
    {"Down", 40},
    {"F2", 113},
    {"Return", 13},  // "Return": a spelling people type
}};

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

THeldKeys Normalized(THeldKeys keys) {
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

const THeldKeys kNoKeys;

}  // namespace

std::optional<uint32_t> VirtualKeyOfName(std::string_view name) {
  if (name.size() == 1) {
    const auto c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(name[0])));
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;  // letters and digits are their own codes
    return std::nullopt;
  }
  for (const TNamedKey& key : kNamedKeys)
    if (cp1251::SameText(name, key.Name)) return key.VirtualKey;
  return std::nullopt;
}

std::optional<std::string> NameOfVirtualKey(uint32_t virtualKey) {
  if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
    return std::string(1, static_cast<char>(virtualKey));
  for (const TNamedKey& key : kNamedKeys)  // the first spelling of a code is its canonical name
    if (key.VirtualKey == virtualKey) return std::string(key.Name);
  return std::nullopt;
}

std::string FormatKeys(const THeldKeys& Keys) {
  if (Keys.empty()) return "-";
  std::string text;
  for (const uint32_t key : Normalized(Keys)) {
    const auto name = NameOfVirtualKey(key);
    if (!name) continue;  // a key without a name cannot be replayed; it is left out
    if (!text.empty()) text += ",";
    text += *name;
  }
  return text.empty() ? "-" : text;
}

void TReplayScript::Hold(int32_t Tick, THeldKeys Keys) {
  const int32_t lastTick = changes_.empty() ? 0 : changes_.back().Tick;
  if (Tick < 1) throw EReplayError("Replay ticks count from 1, not " + std::to_string(Tick));
  if (Tick <= lastTick)
    throw EReplayError("Replay tick " + std::to_string(Tick) + " does not come after tick " + std::to_string(lastTick));
  Keys = Normalized(std::move(Keys));
  const THeldKeys& held = changes_.empty() ? kNoKeys : changes_.back().Keys;
  if (Keys == held) return;
  changes_.push_back({Tick, std::move(Keys)});
}

const THeldKeys& TReplayScript::KeysAt(int32_t Tick) const {
  // The last change at or before the tick.
  const auto after = std::upper_bound(changes_.begin(), changes_.end(), Tick,
                                      [](int32_t tick, const TReplayChange& change) { return tick < change.Tick; });
  return after == changes_.begin() ? kNoKeys : std::prev(after)->Keys;
}

TReplayScript TReplayScript::Parse(std::string_view text, const std::string& source) {
  TReplayScript script;
  int32_t lineNumber = 0;
  int32_t lastTick = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;

    const auto fail = [&](const std::string& what) {
      throw EReplayError(ShownFileName(source) + " line " + std::to_string(lineNumber) + ": " + what);
    };
    const size_t gap = line.find_first_of(" \t");
    if (gap == std::string_view::npos) fail("expected \"TICK KEYS\", got '" + cp1251::EscapeControls(line) + "'");
    const std::string_view tickText = line.substr(0, gap);
    const std::string_view keysText = Trim(line.substr(gap));

    int32_t tick = 0;
    const auto parsed = std::from_chars(tickText.data(), tickText.data() + tickText.size(), tick);
    if (parsed.ec != std::errc() || parsed.ptr != tickText.data() + tickText.size() || tick < 1)
      fail("'" + cp1251::EscapeControls(tickText) + "' is not a tick (a whole number from 1)");
    if (tick <= lastTick)
      fail("tick " + std::to_string(tick) + " does not come after tick " + std::to_string(lastTick));

    THeldKeys keys;
    if (keysText != "-") {
      std::string_view rest = keysText;
      while (true) {
        const size_t comma = rest.find(',');
        const std::string_view name = Trim(rest.substr(0, comma));
        if (name.empty()) fail("a key name is missing in '" + cp1251::EscapeControls(keysText) + "'");
        const auto key = VirtualKeyOfName(name);
        if (!key) fail("unknown key '" + cp1251::EscapeControls(name) + "'");
        keys.push_back(*key);
        if (comma == std::string_view::npos) break;
        rest = rest.substr(comma + 1);
      }
    }
    lastTick = tick;
    script.Hold(tick, std::move(keys));
  }
  return script;
}

TReplayScript TReplayScript::LoadFromFile(const std::string& path) { return Parse(ReadWholeFile(path), path); }

std::string TReplayScript::Format(const std::vector<std::string>& Comments) const {
  std::string text;
  for (const std::string& comment : Comments) text += "# " + comment + "\n";
  for (const TReplayChange& change : changes_)
    text += std::to_string(change.Tick) + " " + FormatKeys(change.Keys) + "\n";
  return text;
}

}  // namespace kestrilo
