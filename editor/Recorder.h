// Keeps the keys held in each preview tick so that a level played once in the
// window can be replayed headless afterwards (see ReplayScript.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "editor/PlayTest.h"
#include "editor/ReplayScript.h"

namespace kestrilo {

class TDXInput;
enum class TEditMode : uint8_t;

class TInputRecorder {
 public:
  // The seed a recording starts with: the headless player's default.
  static constexpr uint32_t kSeed = 1;

  // Begins a new recording; what was kept before, the start cell included, is dropped.
  void Start();
  // Ends the recording; what was kept stays until the next Start.
  void Stop() { recording_ = false; }
  bool Recording() const { return recording_; }

  // Called by the frame step once per tick, after the keyboard was polled.
  // Only ticks with the preview on (EditMode Previewing) count: the headless player
  // runs every tick with the preview on, so its tick n is the n-th kept here.
  void RecordTick(const TDXInput& Input, TEditMode EditMode);

  // The cell play began at when the recording began with "test from here";
  // none when it began with the player where the level put it.
  std::optional<TStartCell> StartCell;

  // Preview ticks kept so far.
  int32_t Ticks() const { return ticks_; }
  const TReplayScript& Script() const { return script_; }

  // The keys the window's keyboard holds now, as the input polling counts
  // them (none while the window is in the background), limited to the keys
  // a replay can name.
  static THeldKeys HeldKeys(const TDXInput& Input);

 private:
  bool recording_ = false;
  int32_t ticks_ = 0;
  TReplayScript script_;
};

}  // namespace kestrilo
