#include <gtest/gtest.h>

#include <Qt>

#include "platform/DXInput.h"
#include "platform/Errors.h"

using namespace kestrilo;

TEST(DXInput, StoredAssignsAre432BytesInStateOrder) {
  const std::string bytes = KeyAssignsToBytes(DefaultKeyAssigns());
  ASSERT_EQ(bytes.size(), 432u);
  // state 0: K (75), up (38), numpad 8 (104)
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 75);
  EXPECT_EQ(static_cast<unsigned char>(bytes[4]), 38);
  EXPECT_EQ(static_cast<unsigned char>(bytes[8]), 104);
  // state 10: Shift
  EXPECT_EQ(static_cast<unsigned char>(bytes[10 * 12]), 16);
  // state 11 has none, state 12 F2
  EXPECT_EQ(bytes.substr(11 * 12, 12), std::string(12, '\0'));
  EXPECT_EQ(static_cast<unsigned char>(bytes[12 * 12]), 113);
  EXPECT_EQ(KeyAssignsFromBytes(bytes), DefaultKeyAssigns());
  EXPECT_THROW(KeyAssignsFromBytes(bytes.substr(1)), EReadError);
}

TEST(DXInput, TwoKeysOfOneStateHeldTogetherAndOneReleased) {
  TDXInput input;
  input.SetKeyDown(38, true);  // up arrow
  input.SetKeyDown(75, true);  // K
  input.UpdateInput();
  EXPECT_TRUE(input.InputStates[isUp]);
  input.SetKeyDown(38, false);
  input.UpdateInput();
  EXPECT_TRUE(input.InputStates[isUp]);
  input.SetKeyDown(75, false);
  input.UpdateInput();
  EXPECT_FALSE(input.InputStates[isUp]);
}

TEST(DXInput, NoKeyCountsWhileTheWindowIsInTheBackground) {
  TDXInput input;
  input.SetKeyDown(65, true);
  input.SetKeyDown(16, true);
  input.UpdateInput();
  EXPECT_TRUE(input.InputStates[isButton1]);
  EXPECT_TRUE(input.InputStates[isButton7]);
  input.SetForeground(false);
  input.UpdateInput();
  EXPECT_FALSE(input.InputStates.any());
  input.SetForeground(true);
  input.UpdateInput();
  EXPECT_TRUE(input.InputStates[isButton1]);
}

TEST(DXInput, QtKeysTranslateToWindowSystemCodes) {
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_A), 65u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_W), 87u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Space), 32u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Shift), 16u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Return), 13u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Left), 37u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Down), 40u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_F2), 113u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_5), 53u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Launch0), 0u);
  // The numeric pad's digits are keys of their own; its arrows stay arrows.
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_8, true), 104u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_2, true), 98u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_4, true), 100u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_6, true), 102u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_0, true), 96u);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Up, true), 38u);
}
