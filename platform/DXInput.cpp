#include "platform/DXInput.h"

#include <QKeyEvent>
#include <Qt>

#include "platform/BinaryIO.h"

namespace kestrilo {

TKeyAssigns DefaultKeyAssigns() {
  TKeyAssigns a{};
  a[0] = {75, 38, 104};
  a[1] = {74, 40, 98};
  a[2] = {72, 37, 100};
  a[3] = {76, 39, 102};
  a[4] = {65, 0, 0};
  a[5] = {68, 0, 0};
  a[6] = {83, 0, 0};
  a[7] = {87, 0, 0};
  a[8] = {32, 0, 0};
  a[9] = {13, 0, 0};
  a[10] = {16, 0, 0};
  a[12] = {113, 0, 0};
  return a;
}

std::string KeyAssignsToBytes(const TKeyAssigns& assigns) {
  TByteWriter w;
  for (const auto& state : assigns)
    for (uint32_t code : state) w.U32(code);
  return w.Data();
}

TKeyAssigns KeyAssignsFromBytes(const std::string& bytes) {
  if (bytes.size() != 432) TByteReader::Fail();
  TByteReader r(bytes);
  TKeyAssigns a{};
  for (auto& state : a)
    for (uint32_t& code : state) code = r.U32();
  return a;
}

uint32_t QtKeyToVirtualKey(int key, bool Keypad) {
  if (Keypad && key >= Qt::Key_0 && key <= Qt::Key_9) return 96 + static_cast<uint32_t>(key - Qt::Key_0);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint32_t>(key);  // 'A'..'Z' = 65..90
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint32_t>(key);  // '0'..'9' = 48..57
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + static_cast<uint32_t>(key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
  }
}

uint32_t VirtualKeyOf(const QKeyEvent& event) {
  return QtKeyToVirtualKey(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

void TDXInput::SetKeyDown(uint32_t virtualKey, bool down) {
  if (virtualKey > 0 && virtualKey < 256) keys_[virtualKey] = down;
}

void TDXInput::ReleaseAllKeys() { keys_.fill(false); }

void TDXInput::UpdateInput() {
  // Background windows hold no keys.
  const bool read = !ActiveOnly || foreground_;
  TInputStates s;
  if (read) {
    for (int i = 0; i < kInputStateCount; ++i)
      for (uint32_t code : Assigns[i])
        if (code != 0 && IsKeyDown(code)) s.set(i);
  }
  for (int i = 0; i < kInputStateCount; ++i) {
    if (s[i] && !previous_[i]) InputStates.set(i);
    if (!s[i] && previous_[i]) InputStates.reset(i);
  }
  previous_ = s;
}

}  // namespace kestrilo
