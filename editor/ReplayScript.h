// A replay: which keys are held in each tick of a headless play, written as
// one line per change, "TICK KEYS". From that tick on (ticks count from 1)
// exactly the listed keys are held until the next line; "-" holds none.
// Lines starting with '#' are comments. The editor's recorder writes this
// format and the headless player reads it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Errors.h"

namespace kestrilo {

// A replay file that cannot be read as one; the message names the line.
class EReplayError : public EKestriloError {
 public:
  explicit EReplayError(const std::string& message) : EKestriloError(message) {}
};

// Key names of the replay format and their window-system key codes: A..Z,
// 0..9, Space, Shift, Enter, Left, Right, Up, Down, F2. Names are matched
// ignoring letter case.
std::optional<uint32_t> VirtualKeyOfName(std::string_view name);
// The canonical name, or none for a key the format has no name for.
std::optional<std::string> NameOfVirtualKey(uint32_t virtualKey);

// Held keys: window-system key codes, ascending, each once.
using THeldKeys = std::vector<uint32_t>;

struct TReplayChange {
  int32_t Tick = 1;
  THeldKeys Keys;
  bool operator==(const TReplayChange&) const = default;
};

class TReplayScript {
 public:
  // Reads the text of a replay; `source` names it in error messages.
  // Throws EReplayError "SOURCE line N: ..." for a malformed line.
  static TReplayScript Parse(std::string_view text, const std::string& source = "replay");
  // Throws "Cannot open file %s" when the file cannot be read.
  static TReplayScript LoadFromFile(const std::string& path);

  // From Tick on exactly Keys are held. Ticks must grow from one change to
  // the next and start at 1; a change that holds what is already held is
  // dropped, so the script stays minimal.
  void Hold(int32_t Tick, THeldKeys Keys);

  const std::vector<TReplayChange>& Changes() const { return changes_; }
  // The keys held in a tick (none before the first change).
  const THeldKeys& KeysAt(int32_t Tick) const;

  // The script in the file format, one change a line, after the comment
  // lines given (each written with a leading "# ").
  std::string Format(const std::vector<std::string>& Comments = {}) const;

 private:
  std::vector<TReplayChange> changes_;
};

// "A,D,Space" for the keys (ascending code order), "-" for none.
std::string FormatKeys(const THeldKeys& Keys);

}  // namespace kestrilo
