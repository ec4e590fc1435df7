#include <gtest/gtest.h>

#include "DesktopTestSupport.h"
#include "matrix/Matrix.h"
#include "windows/CommandLine.h"
#include "world/GameContext.h"

using namespace kestrilo;
using namespace kestrilo::editortest;
using TAction = TCommandLine::TAction;

TEST(CommandLineParsing, LevelHelpVersionAndRefusedArguments) {
  EXPECT_EQ(ParseCommandLine({}).Action, TAction::Run);
  EXPECT_EQ(ParseCommandLine({}).LevelFile, "");

  const TCommandLine level = ParseCommandLine({"levels/one.mtf"});
  EXPECT_EQ(level.Action, TAction::Run);
  EXPECT_EQ(level.LevelFile, "levels/one.mtf");

  for (const char* help : {"--help", "-h"}) EXPECT_EQ(ParseCommandLine({help}).Action, TAction::PrintHelp) << help;
  for (const char* version : {"--version", "-v"})
    EXPECT_EQ(ParseCommandLine({version}).Action, TAction::PrintVersion) << version;
  // Help wins wherever it stands, also over a refused argument.
  EXPECT_EQ(ParseCommandLine({"--version", "--help"}).Action, TAction::PrintHelp);
  EXPECT_EQ(ParseCommandLine({"--bogus", "--help"}).Action, TAction::PrintHelp);

  const TCommandLine unknown = ParseCommandLine({"--bogus", "a.mtf"});
  EXPECT_EQ(unknown.Action, TAction::Fail);
  EXPECT_NE(unknown.Error.find("--bogus"), std::string::npos) << unknown.Error;
  EXPECT_EQ(unknown.LevelFile, "");  // nothing is opened from a refused command line

  const TCommandLine two = ParseCommandLine({"a.mtf", "b.mtf"});
  EXPECT_EQ(two.Action, TAction::Fail);
  EXPECT_FALSE(two.Error.empty());

  // After "--" a name that starts with a dash is a file.
  const TCommandLine dashed = ParseCommandLine({"--", "-odd.mtf"});
  EXPECT_EQ(dashed.Action, TAction::Run);
  EXPECT_EQ(dashed.LevelFile, "-odd.mtf");
  EXPECT_EQ(ParseCommandLine({"-"}).LevelFile, "-");
}

TEST(CommandLineParsing, QtsOwnOptionsArePassedOverWithTheirValues) {
  const TCommandLine line = ParseCommandLine({"-platform", "offscreen", "--style", "Fusion", "-reverse", "one.mtf"});
  EXPECT_EQ(line.Action, TAction::Run);
  EXPECT_EQ(line.LevelFile, "one.mtf");
  EXPECT_EQ(ParseCommandLine({"-platform", "xcb"}).LevelFile, "");
  // After "--" they are file names like any other.
  EXPECT_EQ(ParseCommandLine({"--", "-reverse"}).LevelFile, "-reverse");
}

TEST(CommandLineParsing, HelpNamesTheFormAndVersionTheNumber) {
  EXPECT_NE(CommandLineHelp().find("kestrilo [УРОВЕНЬ.mtf]"), std::string::npos);
  EXPECT_NE(CommandLineHelp().find("--version"), std::string::npos);
  EXPECT_EQ(VersionLine(), "kestrilo 0.9\n");
}

TEST(CommandLineOpening, OpensTheObjectsFileAndThenTheLevel) {
  TDesktopFixture f;
  f.SaveLevel();
  TForm1& form = f.Open();
  OpenStartupLevel(form, f.Level());
  EXPECT_TRUE(f.Dialogs.Messages().empty());
  EXPECT_TRUE(f.Dialogs.Asked.empty());  // no file dialog was asked
  EXPECT_TRUE(form.Context().ObjectsLoaded);
  EXPECT_GT(form.ComboBox2->count(), 0);  // the side panel shows the library as the menu command does
  EXPECT_NE(form.Context().PlayerSprite, nullptr);
  const TMatrix& m = *form.Context().PlayedLevel;
  EXPECT_EQ(m.Cells[0][14].ObjectNumber, 1);
  EXPECT_EQ(m.Cells[2][14].ObjectNumber, 2);
  EXPECT_EQ(form.Editor().LevelFile, f.Level());
}

TEST(CommandLineOpening, ALevelThatCannotBeOpenedGivesTheMessageAndAnEmptyLevel) {
  TDesktopFixture f;
  TForm1& form = f.Open();
  OpenStartupLevel(form, f.Sample.Path("missing.mtf"));
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_EQ(f.Dialogs.Messages()[0], "Нет файла с таким именем! " + f.Sample.Path("missing.mtf"));
  EXPECT_EQ(form.Context().ObjectsLoaded, 1);  // the objects file was opened all the same
  const TMatrix& m = *form.Context().PlayedLevel;
  for (int column = 0; column < 4; ++column) EXPECT_EQ(m.Cells[column][14].Kind, -1) << column;

  // A damaged level file: its error message, and still an empty level.
  TDesktopFixture g;
  testsupport::WriteFile(g.Level(), std::string(100, '\x01'));
  TForm1& other = g.Open();
  OpenStartupLevel(other, g.Level());
  ASSERT_EQ(g.Dialogs.Messages().size(), 1u);
  EXPECT_FALSE(g.Dialogs.Messages()[0].empty());
  EXPECT_EQ(other.Context().PlayedLevel->Cells[0][14].Kind, -1);
}
