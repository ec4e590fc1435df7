#include "editor/EditorSettings.h"

#include "editor/EditorAttachments.h"
#include "platform/DXTimer.h"
#include "world/GameContext.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

void TEditorSettings::Reset() {
  Ticks.PlayerVisible = false;
  Context.GridVisible = true;
  Context.ObjectsLoaded = false;
  Ticks.AutoControl = true;
  Context.EditMode = TEditMode::Editing;
  Context.Random.Randomize();
}

void TEditorSettings::TogglePlayerVisible() {
  Ticks.PlayerVisible = !Ticks.PlayerVisible;
  if (Context.PlayerSprite) Context.PlayerSprite->Visible = Ticks.PlayerVisible;
}

void TEditorSettings::TogglePlayerGravity() {
  Ticks.PlayerGravity = !Ticks.PlayerGravity;
  if (Context.PlayerSprite) Context.PlayerSprite->GravityOn = Ticks.PlayerGravity;
}

void TEditorSettings::SetGridSize(uint16_t CellSize) {
  Context.GridSize = CellSize;
  Context.GridVisible = true;
}

void TEditorSettings::ToggleGrid() { Context.GridVisible = !Context.GridVisible; }

void TEditorSettings::ToggleAutoControl() { Ticks.AutoControl = !Ticks.AutoControl; }

void TEditorSettings::ToggleFrameDelay() {
  Ticks.FrameDelay = !Ticks.FrameDelay;
  if (Attachments.FrameTimer) Attachments.FrameTimer->SetInterval(Ticks.FrameDelay ? kFrameDelayMs : 0);
}

}  // namespace kestrilo
