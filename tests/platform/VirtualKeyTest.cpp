// Key events as virtual-key codes: the numeric pad's digits, which Qt reports
// as digits with the keypad modifier, have codes of their own.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "platform/DXInput.h"

using namespace kestrilo;

TEST(VirtualKey, PadDigitsAndMainRowDigitsHaveTheirOwnCodes) {
  for (int digit = 0; digit <= 9; ++digit) {
    const QKeyEvent pad(QEvent::KeyPress, Qt::Key_0 + digit, Qt::KeypadModifier, QString::number(digit));
    const QKeyEvent row(QEvent::KeyPress, Qt::Key_0 + digit, Qt::NoModifier, QString::number(digit));
    EXPECT_EQ(VirtualKeyOf(pad), 96u + digit) << digit;
    EXPECT_EQ(VirtualKeyOf(row), 48u + digit) << digit;
    // Other modifiers held with a digit do not make it a pad key.
    const QKeyEvent shifted(QEvent::KeyPress, Qt::Key_0 + digit, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(VirtualKeyOf(shifted), 48u + digit) << digit;
    const QKeyEvent padShifted(QEvent::KeyPress, Qt::Key_0 + digit, Qt::KeypadModifier | Qt::ShiftModifier);
    EXPECT_EQ(VirtualKeyOf(padShifted), 96u + digit) << digit;
  }
}

TEST(VirtualKey, ThePadModifierLeavesEveryOtherKeyAsItIs) {
  // The pad's cursor keys (Num Lock off), Enter, and keys Qt never reports from the pad.
  for (const int key :
       {int(Qt::Key_Up), int(Qt::Key_Down), int(Qt::Key_Left), int(Qt::Key_Right), int(Qt::Key_Home), int(Qt::Key_End),
        int(Qt::Key_PageUp), int(Qt::Key_PageDown), int(Qt::Key_Insert), int(Qt::Key_Delete), int(Qt::Key_Enter),
        int(Qt::Key_A), int(Qt::Key_Space), int(Qt::Key_F2), int(Qt::Key_Plus), int(Qt::Key_Period)}) {
    const QKeyEvent pad(QEvent::KeyPress, key, Qt::KeypadModifier);
    const QKeyEvent plain(QEvent::KeyPress, key, Qt::NoModifier);
    EXPECT_EQ(VirtualKeyOf(pad), VirtualKeyOf(plain)) << key;
    EXPECT_EQ(VirtualKeyOf(plain), QtKeyToVirtualKey(key)) << key;
  }
  EXPECT_EQ(VirtualKeyOf(QKeyEvent(QEvent::KeyPress, Qt::Key_Up, Qt::KeypadModifier)), 38u);
  EXPECT_EQ(VirtualKeyOf(QKeyEvent(QEvent::KeyRelease, Qt::Key_8, Qt::KeypadModifier)), 104u);
}
