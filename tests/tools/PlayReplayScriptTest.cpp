// The replay file: key names, the line format, its errors and the keys held per tick.
#include <gtest/gtest.h>

#include "editor/ReplayScript.h"

namespace kestrilo {
namespace {

constexpr uint32_t vkEnter = 13, vkShift = 16, vkSpace = 32, vkLeft = 37, vkUp = 38, vkRight = 39, vkDown = 40,
                   vkF2 = 113;

TEST(PlayReplayKeyNames, EveryNamedKeyHasItsWindowSystemCode) {
  EXPECT_EQ(VirtualKeyOfName("A"), 65u);
  EXPECT_EQ(VirtualKeyOfName("d"), 68u);  // letter case does not matter
  EXPECT_EQ(VirtualKeyOfName("W"), 87u);
  EXPECT_EQ(VirtualKeyOfName("S"), 83u);
  EXPECT_EQ(VirtualKeyOfName("Z"), 90u);
  EXPECT_EQ(VirtualKeyOfName("0"), 48u);
  EXPECT_EQ(VirtualKeyOfName("9"), 57u);
  EXPECT_EQ(VirtualKeyOfName("Space"), vkSpace);
  EXPECT_EQ(VirtualKeyOfName("SPACE"), vkSpace);
  EXPECT_EQ(VirtualKeyOfName("Shift"), vkShift);
  EXPECT_EQ(VirtualKeyOfName("Enter"), vkEnter);
  EXPECT_EQ(VirtualKeyOfName("Left"), vkLeft);
  EXPECT_EQ(VirtualKeyOfName("Right"), vkRight);
  EXPECT_EQ(VirtualKeyOfName("Up"), vkUp);
  EXPECT_EQ(VirtualKeyOfName("Down"), vkDown);
  EXPECT_EQ(VirtualKeyOfName("F2"), vkF2);
}

TEST(PlayReplayKeyNames, UnknownNamesAndKeysHaveNone) {
  for (const char* name : {"", "AA", "F1", "F12", "Ctrl", "-", "#", " A", "Ä"})
    EXPECT_FALSE(VirtualKeyOfName(name)) << name;
  EXPECT_FALSE(NameOfVirtualKey(17));   // Ctrl
  EXPECT_FALSE(NameOfVirtualKey(112));  // F1
  EXPECT_FALSE(NameOfVirtualKey(97));   // the code of 'a' is the numeric pad's 1, not a letter
}

TEST(PlayReplayKeyNames, NamesGoBackToTheirCodes) {
  for (uint32_t key = 0; key < 256; ++key) {
    const auto name = NameOfVirtualKey(key);
    if (name) {
      EXPECT_EQ(VirtualKeyOfName(*name), key) << *name;
    }
  }
  EXPECT_EQ(NameOfVirtualKey(vkEnter), "Enter");
}

TEST(PlayReplayScriptParse, KeysHoldFromTheirTickUntilTheNextLine) {
  const TReplayScript script = TReplayScript::Parse(
      "# walk right, jump, stop\n"
      "\n"
      "1 D\n"
      "50 D,W\n"
      "  60   A , Shift  \r\n"
      "80 -\n");
  EXPECT_TRUE(script.KeysAt(0).empty());
  EXPECT_EQ(script.KeysAt(1), (THeldKeys{68}));
  EXPECT_EQ(script.KeysAt(49), (THeldKeys{68}));
  EXPECT_EQ(script.KeysAt(50), (THeldKeys{68, 87}));
  EXPECT_EQ(script.KeysAt(60), (THeldKeys{vkShift, 65}));
  EXPECT_EQ(script.KeysAt(79), (THeldKeys{vkShift, 65}));
  EXPECT_TRUE(script.KeysAt(80).empty());
  EXPECT_TRUE(script.KeysAt(100000).empty());
}

TEST(PlayReplayScriptParse, NothingIsHeldBeforeTheFirstLineOrWithoutLines) {
  EXPECT_TRUE(TReplayScript::Parse("").Changes().empty());
  EXPECT_TRUE(TReplayScript::Parse("# only a comment\n\n").KeysAt(1).empty());
  const TReplayScript late = TReplayScript::Parse("10 Space");
  EXPECT_TRUE(late.KeysAt(9).empty());
  EXPECT_EQ(late.KeysAt(10), (THeldKeys{vkSpace}));
}

TEST(PlayReplayScriptParse, RepeatedKeysAndRepeatedLinesChangeNothing) {
  const TReplayScript script = TReplayScript::Parse("1 D,d,D\n5 D\n9 -\n12 -\n");
  ASSERT_EQ(script.Changes().size(), 2u);
  EXPECT_EQ(script.Changes()[0], (TReplayChange{1, {68}}));
  EXPECT_EQ(script.Changes()[1], (TReplayChange{9, {}}));
}

std::string ErrorOf(std::string_view text) {
  try {
    TReplayScript::Parse(text, "walk.replay");
  } catch (const EReplayError& e) {
    return e.what();
  }
  return "";
}

TEST(PlayReplayScriptParse, MalformedLinesAreErrorsWithTheirLineNumber) {
  EXPECT_EQ(ErrorOf("# comment\n1 D\nD 5\n"), "walk.replay line 3: 'D' is not a tick (a whole number from 1)");
  EXPECT_EQ(ErrorOf("1 D\n2 Q1\n"), "walk.replay line 2: unknown key 'Q1'");
  EXPECT_EQ(ErrorOf("7\n"), "walk.replay line 1: expected \"TICK KEYS\", got '7'");
  EXPECT_EQ(ErrorOf("0 D\n"), "walk.replay line 1: '0' is not a tick (a whole number from 1)");
  EXPECT_EQ(ErrorOf("-3 D\n"), "walk.replay line 1: '-3' is not a tick (a whole number from 1)");
  EXPECT_EQ(ErrorOf("1.5 D\n"), "walk.replay line 1: '1.5' is not a tick (a whole number from 1)");
  EXPECT_EQ(ErrorOf("99999999999 D\n"), "walk.replay line 1: '99999999999' is not a tick (a whole number from 1)");
  EXPECT_EQ(ErrorOf("5 D\n5 A\n"), "walk.replay line 2: tick 5 does not come after tick 5");
  EXPECT_EQ(ErrorOf("5 D\n4 A\n"), "walk.replay line 2: tick 4 does not come after tick 5");
  // A repeated line that would be dropped is still checked for order.
  EXPECT_EQ(ErrorOf("5 D\n6 D\n6 D\n"), "walk.replay line 3: tick 6 does not come after tick 6");
  EXPECT_EQ(ErrorOf("1 D,,A\n"), "walk.replay line 1: a key name is missing in 'D,,A'");
  EXPECT_EQ(ErrorOf("1 D,\n"), "walk.replay line 1: a key name is missing in 'D,'");
  EXPECT_EQ(ErrorOf("1 D A\n"), "walk.replay line 1: unknown key 'D A'");
  EXPECT_EQ(ErrorOf("1 -,D\n"), "walk.replay line 1: unknown key '-'");
}

TEST(PlayReplayScriptParse, ControlCharactersOfALineAreWrittenOutInItsError) {
  EXPECT_EQ(ErrorOf("1 \x1b]0;owned\x07\n"), "walk.replay line 1: unknown key '\\x1b]0;owned\\x07'");
  EXPECT_EQ(ErrorOf("\x1b[2J 1\n"), "walk.replay line 1: '\\x1b[2J' is not a tick (a whole number from 1)");
  EXPECT_EQ(ErrorOf("\x7f\n"), "walk.replay line 1: expected \"TICK KEYS\", got '\\x7f'");
}

TEST(PlayReplayScriptFormat, FormattedScriptsReadBackTheSame) {
  TReplayScript script;
  script.Hold(1, {68});
  script.Hold(40, {87, 68, vkSpace});
  script.Hold(41, {87, 68, vkSpace});  // no change: dropped
  script.Hold(90, {});
  const std::string text = script.Format({"level: demo.mtf", "ticks: 120"});
  EXPECT_EQ(text, "# level: demo.mtf\n# ticks: 120\n1 D\n40 Space,D,W\n90 -\n");
  EXPECT_EQ(TReplayScript::Parse(text).Changes(), script.Changes());
}

TEST(PlayReplayScriptFormat, HoldRefusesTicksOutOfOrder) {
  TReplayScript script;
  EXPECT_THROW(script.Hold(0, {68}), EReplayError);
  script.Hold(3, {68});
  EXPECT_THROW(script.Hold(3, {65}), EReplayError);
  EXPECT_THROW(script.Hold(2, {65}), EReplayError);
  EXPECT_EQ(FormatKeys({}), "-");
  EXPECT_EQ(FormatKeys({17}), "-");  // a key without a name cannot be replayed
  EXPECT_EQ(FormatKeys({vkF2, vkEnter, 48}), "Enter,0,F2");
}

TEST(PlayReplayScriptFile, AMissingFileCannotBeOpened) {
  EXPECT_THROW(TReplayScript::LoadFromFile("/nonexistent/walk.replay"), EFOpenError);
}

}  // namespace
}  // namespace kestrilo
