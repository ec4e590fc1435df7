// The command-line programs as a shell user and a packager meet them: --help
// and --version answer on standard output with status 0, a command line they
// cannot take gets the usage on standard error with status 2, nothing is
// written where they run, and messages follow the locale.
#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <string>

#include "ToolRunSupport.h"

namespace kestrilo {
namespace {

using tooltest::RunProgram;
using tooltest::TRunPlace;
using tooltest::TToolRun;

bool HasCyrillic(const std::string& text) {
  return QString::fromStdString(text).contains(QRegularExpression("[\\x{0400}-\\x{04FF}]"));
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CommandLineConventions, HelpVersionAndWrongCommandLinesOfBothPrograms) {
  const QString tool = QStringLiteral(KESTRILO_TOOL_PATH);
  const QString generator = QStringLiteral(KESTRILO_SAMPLE_DATA_PATH);
  struct TCase {
    QString Program;
    QStringList Args;
    int Status;
    std::vector<std::string> Says;  // on standard output for status 0, on standard error otherwise
  };
  const TCase cases[] = {
      {tool,
       {"--help"},
       0,
       {"Usage: kestrilo-tool", "pictures add FILE.dxg PICTURE", "level check LEVEL.mtf", "play LEVEL.mtf",
        "Exit status"}},
      {tool, {"-h"}, 0, {"Usage: kestrilo-tool"}},
      {tool, {"level", "check", "--help"}, 0, {"Usage: kestrilo-tool level check LEVEL.mtf --data DIR [--json]\n"}},
      {tool, {"--version"}, 0, {"kestrilo-tool "}},
      {tool, {"-v"}, 0, {"kestrilo-tool "}},
      {tool, {}, 2, {"Usage: kestrilo-tool", "level render"}},
      {tool, {"frobnicate"}, 2, {"Unknown command: frobnicate\n", "Usage: kestrilo-tool"}},
      {tool, {"--frobnicate"}, 2, {"Unknown option --frobnicate\n", "Usage: kestrilo-tool"}},
      {tool,
       {"level", "info", "a.mtf", "--xml"},
       2,
       {"Unknown option --xml\n", "Usage: kestrilo-tool level info FILE.mtf"}},
      {tool, {"level", "info"}, 2, {"Expected 1 argument(s), got 0\n", "Usage: kestrilo-tool level info"}},
      {tool,
       {"level", "check", "a.mtf", "--data"},
       2,
       {"Option --data needs 1 value(s)", "Usage: kestrilo-tool level check"}},
      {tool, {"play", "a.mtf"}, 2, {"Missing option --data\n", "Usage: kestrilo-tool play LEVEL.mtf"}},
      {generator, {"--help"}, 0, {"Usage: kestrilo-sample-data [--] DIR", "--screenshot FILE.png"}},
      {generator, {"-h"}, 0, {"Usage: kestrilo-sample-data"}},
      {generator, {"--version"}, 0, {"kestrilo-sample-data "}},
      {generator, {}, 2, {"Usage: kestrilo-sample-data"}},
      {generator, {"--bogus"}, 2, {"Unknown option --bogus\n", "Usage: kestrilo-sample-data"}},
      {generator, {"one", "two"}, 2, {"Usage: kestrilo-sample-data"}},
      {generator, {"--screenshot"}, 2, {"Usage: kestrilo-sample-data"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE((QFileInfo(c.Program).fileName() + " " + c.Args.join(' ')).toStdString());
    QTemporaryDir workingFolder;
    const TToolRun run = RunProgram(c.Program, c.Args, 60000, {{"LC_ALL=C.UTF-8"}, workingFolder.path()});
    EXPECT_EQ(run.ExitCode, c.Status) << run.Err;
    const std::string& said = c.Status == 0 ? run.Out : run.Err;
    for (const std::string& part : c.Says) EXPECT_TRUE(Has(said, part)) << "no '" << part << "' in:\n" << said;
    EXPECT_TRUE((c.Status == 0 ? run.Err : run.Out).empty()) << run.Out << run.Err;
    if (c.Args.contains("--version") || c.Args.contains("-v")) {
      EXPECT_TRUE(QString::fromStdString(run.Out).contains(QRegularExpression("^kestrilo-[a-z-]+ \\d+\\.\\d+\n$")))
          << run.Out;
    }
    // Nothing answering a question or refusing a command line writes a file
    // or a folder (a folder named "--help" was once the answer to --help).
    EXPECT_TRUE(QDir(workingFolder.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
  }
}

TEST(CommandLineConventions, AFolderThatLooksLikeAnOptionIsTakenAfterTheDoubleDash) {
  QTemporaryDir workingFolder;
  const TToolRun run = RunProgram(QStringLiteral(KESTRILO_SAMPLE_DATA_PATH), {"--", "-data"}, 120000,
                                  {{"LC_ALL=C.UTF-8"}, workingFolder.path()});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_TRUE(QFileInfo::exists(workingFolder.filePath("-data/test.obj")));
}

// The shared code's messages (here the level loader's) are Russian only for a
// Russian locale; any other locale gets the English translation.
TEST(CommandLineConventions, MessagesFollowTheLocaleAndAreEnglishUnlessItIsRussian) {
  QTemporaryDir scratch;
  const std::string missingLevel = QDir(scratch.path()).filePath("none.mtf").toStdString();
  struct TCase {
    QStringList Locale;
    bool Russian;
  };
  const TCase cases[] = {
      {{"LC_ALL=ru_RU.UTF-8"}, true},
      {{"LANG=ru_RU.UTF-8"}, true},
      {{"LANG=en_GB.UTF-8", "LC_MESSAGES=ru_RU.UTF-8"}, true},
      {{"LANG=ru_RU.UTF-8", "LC_ALL=C"}, false},
      {{"LC_ALL=en_US.UTF-8"}, false},
      {{"LC_ALL=de_DE.UTF-8"}, false},
      {{"LC_ALL=C.UTF-8"}, false},
      {{}, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Locale.join(' ').toStdString());
    const TToolRun run = tooltest::RunTool({"level", "info", missingLevel}, 60000, {c.Locale, {}});
    EXPECT_EQ(run.ExitCode, 1);
    ASSERT_FALSE(run.Err.empty());
    EXPECT_EQ(HasCyrillic(run.Err), c.Russian) << run.Err;
  }
}

}  // namespace
}  // namespace kestrilo
