// The benchmarks drive the headless editor: the same commands and frame step
// as the main window, with a drawing area that is never shown.
#pragma once

#include "editor/HeadlessEditor.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/SpriteEngine.h"

namespace kestrilo::bench {

class TBenchEditor : public THeadlessEditor {
 public:
  using THeadlessEditor::THeadlessEditor;

  // Preview on, the player visible and with gravity (menu commands, in that order).
  void StartPreview() {
    SetPreview(true);
    SetPlayerVisible(true);
    SetGravity(true);
  }
  // One frame step with no key held.
  void Tick() { THeadlessEditor::Tick({}); }
  TSpriteEngine& Root() { return *Context().SpriteEngine->Engine(); }
};

}  // namespace kestrilo::bench
