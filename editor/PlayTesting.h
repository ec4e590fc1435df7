// The play-testing commands. Test from here (F5) starts the preview with a
// fresh player, visible and falling, at the cell under the view pixel (X, Y)
// and the world built anew from the level as designed; the same key ends a
// session. TestFromCell does it for a level cell; EndTest (Esc, or the
// preview switched off) gives back the world as designed. RestartTest (F6)
// builds the world again and puts a fresh player where the current play
// began. TogglePause (Pause) freezes the world, StepOnce (F10) lets one tick
// move. TogglePreview switches the preview itself on and off.
#pragma once

#include <cstdint>

#include "editor/PlayTest.h"

namespace kestrilo {

class TEditor;

class TPlayTesting {
 public:
  explicit TPlayTesting(TEditor& Editor) : Editor(Editor) {}

  void ToggleTestFromHere(int32_t X, int32_t Y);
  void TestFromCell(int32_t Column, int32_t Row);
  void EndTest();
  void RestartTest();
  void TogglePause();
  void StepOnce();
  void TogglePreview();
  const TPlayTest& PlayTest() const { return playTest_; }
  // The frame step asks whether this tick moves the world (no while paused).
  bool TakeTick() { return playTest_.TakeTick(); }

 private:
  void BeginTestAt(TStartCell Pointed);
  void PlayFromStart();
  void EndTestNow();

  TEditor& Editor;
  TPlayTest playTest_;  // where play began, the test-from-here session, the pause
};

}  // namespace kestrilo
