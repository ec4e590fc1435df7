#include "editor/Recorder.h"

#include "platform/DXInput.h"
#include "world/GameContext.h"

namespace kestrilo {

void TInputRecorder::Start() {
  recording_ = true;
  ticks_ = 0;
  script_ = TReplayScript();
  StartCell.reset();
}

THeldKeys TInputRecorder::HeldKeys(const TDXInput& Input) {
  THeldKeys keys;
  if (Input.ActiveOnly && !Input.Foreground()) return keys;
  for (uint32_t key = 0; key < 256; ++key)
    if (Input.IsKeyDown(key) && NameOfVirtualKey(key)) keys.push_back(key);
  return keys;
}

void TInputRecorder::RecordTick(const TDXInput& Input, TEditMode EditMode) {
  if (!recording_ || EditMode != TEditMode::Previewing) return;
  ++ticks_;
  script_.Hold(ticks_, HeldKeys(Input));
}

}  // namespace kestrilo
