// The Settings menu's ticks and the commands that switch them: the player's
// visibility and gravity, the grid and its size, auto control, the frame
// delay. The preview's own tick is kept here too; play-testing switches it.
#pragma once

#include <cstdint>

namespace kestrilo {

struct TEditorAttachments;
struct TGameContext;

// The frame timer's interval with the frame delay on, in milliseconds.
constexpr int32_t kFrameDelayMs = 14;

// The ticks of the Settings menu items that are state in their own right.
struct TSettingsTicks {
  bool PlayerVisible = false;  // Игрок... → "Видимость"
  bool PlayerGravity = false;  // Игрок... → "Гравитация"
  bool AutoControl = true;     // "Авто контроль"
  bool FrameDelay = true;      // "Задержка вкл"
  bool Preview = false;        // "Предварительный просмотр"
};

class TEditorSettings {
 public:
  TEditorSettings(TGameContext& Context, const TEditorAttachments& Attachments)
      : Context(Context), Attachments(Attachments) {}

  // The settings as a run starts with them.
  void Reset();
  void TogglePlayerVisible();
  void TogglePlayerGravity();
  void SetGridSize(uint16_t CellSize);  // and shows the grid
  void ToggleGrid();
  void ToggleAutoControl();
  void ToggleFrameDelay();

  TSettingsTicks Ticks;

 private:
  TGameContext& Context;
  const TEditorAttachments& Attachments;
};

}  // namespace kestrilo
