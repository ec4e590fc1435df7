// Going to a chosen step of the history at once (the history panel): the
// steps between are undone or redone one by one, through the same commands
// Ctrl+Z and Ctrl+Y run, so the level, the overview map and the unsaved marks
// follow exactly as they would; the result line says what was undone or redone.
#pragma once

namespace kestrilo {

class TEditor;

// Moves the editor's undo stack to Index (0 is the state before the first
// step, the stack's count after the last). An index out of the stack's range
// or the current one changes nothing. An error of a step ends the walk there
// and is shown as any command's error is.
void GoToHistoryStep(TEditor& Editor, int Index);

}  // namespace kestrilo
