// What reading a file came to when it is no error: read, or not read because
// the file is not there, with the message the designer is told. Read errors
// are exceptions; the caller decides how to show either.
#pragma once

#include <string>
#include <utility>

namespace kestrilo {

struct TLoadOutcome {
  static TLoadOutcome Read() { return {}; }
  static TLoadOutcome NotRead(std::string Message) { return {false, std::move(Message)}; }

  bool Loaded = true;
  std::string Message;  // why nothing was read; empty when read
  explicit operator bool() const { return Loaded; }
};

}  // namespace kestrilo
