// Keyboard input: the held-key table and the 36 input states made from it.
// The held-key table is filled from Qt key events, translated to the window
// system's virtual-key codes, and read only while the main window is in front.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

class QKeyEvent;

namespace kestrilo {

constexpr int kInputStateCount = 36;
using TInputStates = std::bitset<kInputStateCount>;

// State numbers read by the game.
enum TInputState : int {
  isUp = 0,
  isDown = 1,
  isLeft = 2,
  isRight = 3,
  isButton1 = 4,   // A: move left
  isButton2 = 5,   // D: move right
  isButton3 = 6,   // S
  isButton4 = 7,   // W: move up
  isButton5 = 8,   // Space: start a lift
  isButton6 = 9,   // Enter
  isButton7 = 10,  // Shift: fire
  isButton8 = 11,
  isButton9 = 12,  // F2
};

// For each state up to three window-system key codes, 0 meaning none.
using TKeyAssigns = std::array<std::array<uint32_t, 3>, kInputStateCount>;

// The assignments of this program.
TKeyAssigns DefaultKeyAssigns();
// The 432-byte stored form: 36 states of three little-endian 32-bit codes.
std::string KeyAssignsToBytes(const TKeyAssigns& assigns);
TKeyAssigns KeyAssignsFromBytes(const std::string& bytes);  // throws EReadError when not 432 bytes

// Qt key code (Qt::Key) -> window-system virtual-key code, 0 when it has none.
// Digits typed on the numeric pad (Keypad) have codes of their own (96..105).
uint32_t QtKeyToVirtualKey(int qtKey, bool Keypad = false);
// The virtual-key code of a key event: Qt reports the numeric pad's digits as
// digits with the keypad modifier. Everything that turns a key event into a
// code (the held-key table, the window's key handler) goes through here, so
// they agree.
uint32_t VirtualKeyOf(const QKeyEvent& event);

class TDXInput {
 public:
  TDXInput() : Assigns(DefaultKeyAssigns()) {}

  bool ActiveOnly = true;
  TKeyAssigns Assigns;
  TInputStates InputStates;

  // The live keyboard: which virtual keys are down now (filled by the window).
  void SetKeyDown(uint32_t virtualKey, bool down);
  void ReleaseAllKeys();
  bool IsKeyDown(uint32_t virtualKey) const { return virtualKey < 256 && keys_[virtualKey]; }
  // Whether the main window is in the foreground (set by the window).
  void SetForeground(bool foreground) { foreground_ = foreground; }
  bool Foreground() const { return foreground_; }

  // Polls the keyboard and refreshes InputStates with the previous-set rule.
  void UpdateInput();

 private:
  std::array<bool, 256> keys_{};
  bool foreground_ = true;
  TInputStates previous_;
};

}  // namespace kestrilo
