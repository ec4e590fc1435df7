// kestrilo-tool: command-line work on Kestrilo files without a window.
// Every command is one line of the table below, which also gives the help
// text (and so the manual page). Errors print the system's message on stderr
// and end with status 1; a command line the tool cannot take ends with its
// usage and status 2. Messages follow the user's locale.
#include <QGuiApplication>
#include <QLocale>

#include <clocale>
#include <cstring>
#include <exception>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "LevelCommands.h"
#include "LevelEditCommands.h"
#include "MonstersEditCommands.h"
#include "ObjectsCommands.h"
#include "PicturesCommands.h"
#include "PlayCommands.h"
#include "RenderCommands.h"
#include "ToolSupport.h"
#include "editor/Translations.h"
#include "platform/Cp1251.h"

namespace {

using kestrilo::tool::TToolCommand;

constexpr int kStatusUsage = 2;

struct TCommandEntry {
  const char* Group;
  const char* Command;    // "" for a command that is its group word alone
  const char* Arguments;  // what follows the command's words
  const char* Summary;
  TToolCommand Run;

  std::string Words() const { return std::string(Group) + (Command[0] ? " " : "") + Command; }
  std::string Synopsis() const { return "kestrilo-tool " + Words() + " " + Arguments; }
};

// One line per command; each command file declares its functions in its own header.
const TCommandEntry kCommands[] = {
    {"pictures", "list", "FILE.dxg [--json]", "list the pictures of a graphics file", kestrilo::tool::PicturesList},
    {"pictures", "add",
     "FILE.dxg PICTURE --name NAME [--pattern W H] [--skip W H] [--transparent 0|1] [--key VALUE] "
     "[--system-memory 0|1]",
     "add a picture file (BMP, DIB, ICO, WMF and EMF as they are; PNG, JPEG, GIF and the other formats Qt reads as "
     "24-bit bitmaps)",
     kestrilo::tool::PicturesAdd},
    {"pictures", "extract", "FILE.dxg DIR", "write every picture as DIR/INDEX.png", kestrilo::tool::PicturesExtract},
    {"objects", "list", "FILE.obj [--json]", "list the object library", kestrilo::tool::ObjectsList},
    {"monsters", "list", "FILE.mon [--json]", "list the monster records", kestrilo::tool::MonstersList},
    {"monsters", "add", "FILE.mon --name NAME [--FIELD VALUE ...]", "add a monster record",
     kestrilo::tool::MonstersAdd},
    {"monsters", "set", "FILE.mon NAME --FIELD VALUE ...", "change fields of a monster record",
     kestrilo::tool::MonstersSet},
    {"level", "info", "FILE.mtf [--json]", "the anchors, solid cells and back-plane entries of a level",
     kestrilo::tool::LevelInfo},
    {"level", "check", "LEVEL.mtf --data DIR [--json]",
     "what the level uses that its library lacks, and what else a designer must know; status 1 when anything is "
     "found",
     kestrilo::tool::LevelCheck},
    {"level", "find", "LEVEL.mtf --data DIR --name NAME [--json]",
     "every anchor of an object as plane, column and row (plane 0 is the main plane)", kestrilo::tool::LevelFind},
    {"level", "replace",
     "LEVEL.mtf --data DIR --from NAME --to NAME [--plane P] [--region C0 R0 C1 R1] [--out OUT.mtf]",
     "replace one object by another (in place without --out), keeping each cell's lift height and key code; "
     "placements whose new footprint would cross the level's edge or another object are left and counted",
     kestrilo::tool::LevelReplace},
    {"level", "set", "LEVEL.mtf --data DIR --cell COLUMN ROW [--plane P] (--lift-height H | --key-code K)",
     "set the lift height (-128..127, lifts) or key code (0..255, keys and doors) of the object anchored at a "
     "cell; refused, and nothing written, when it cannot be set",
     kestrilo::tool::LevelSet},
    {"level", "render", "FILE.mtf --data DIR --out FILE.png [--view COLUMN ROW] [--ticks N]",
     "draw the level as the editor shows it", kestrilo::tool::LevelRender},
    {"play", "",
     "LEVEL.mtf --data DIR [--seed N] [--ticks N] [--input FILE] [--preview 0|1] [--gravity 0|1] [--visible 0|1] "
     "[--grid 0|1] [--start COLUMN ROW] [--state FILE.json] [--frames DIR --every K]",
     "play the level headless, from a replay of held keys", kestrilo::tool::Play},
};

// A command's summary goes on lines of its own, indented as far as the
// manual page's generator wants a tagged paragraph's text.
void PrintCommandList(std::ostream& out) {
  constexpr size_t kIndent = 20, kWidth = 79;
  for (const TCommandEntry& entry : kCommands) {
    out << "  " << entry.Words() << " " << entry.Arguments << "\n";
    std::string line;
    std::istringstream words{std::string(entry.Summary)};
    for (std::string word; words >> word;) {
      if (!line.empty() && kIndent + line.size() + 1 + word.size() > kWidth) {
        out << std::string(kIndent, ' ') << line << "\n";
        line.clear();
      }
      line += (line.empty() ? "" : " ") + word;
    }
    out << std::string(kIndent, ' ') << line << "\n";
  }
}

void PrintUsage(std::ostream& out) {
  out << "Usage: kestrilo-tool COMMAND ARGUMENTS...\n"
         "  or:  kestrilo-tool --help | --version\n"
         "Commands:\n";
  PrintCommandList(out);
}

void PrintHelp(std::ostream& out) {
  out << "Usage: kestrilo-tool COMMAND ARGUMENTS...\n"
         "  or:  kestrilo-tool --help | --version\n"
         "Works on the Kestrilo level editor's files without a window: graphics files,\n"
         "object libraries, monster files and levels.\n"
         "\n"
         "Commands:\n";
  PrintCommandList(out);
  out << "\n"
         "Names are printed and taken as UTF-8. Messages are Russian when the locale\n"
         "(LC_ALL, LC_MESSAGES, LANG) is Russian, English otherwise.\n"
         "\n"
         "Exit status: 0 on success; 1 on an error, or when level check finds\n"
         "something; 2 when the command line is wrong.\n"
         "\n"
         "Options:\n"
         "  -h, --help     show this help (after a command: that command's usage) and exit\n"
         "  -v, --version  show the version and exit\n";
}

void PrintCommandUsage(const TCommandEntry& entry, std::ostream& out) {
  out << "Usage: " << entry.Synopsis() << "\n" << entry.Summary << "\n";
}

const TCommandEntry* FindCommand(int argc, char** argv) {
  for (const TCommandEntry& entry : kCommands) {
    if (std::strcmp(argv[1], entry.Group) != 0) continue;
    if (entry.Command[0] == '\0' || (argc > 2 && std::strcmp(argv[2], entry.Command) == 0)) return &entry;
  }
  return nullptr;
}

bool IsOneOf(const char* argument, const char* shortForm, const char* longForm) {
  return std::strcmp(argument, shortForm) == 0 || std::strcmp(argument, longForm) == 0;
}

// Playing and rendering run the editor's drawing area and draw its status
// text, which need a GUI application; the offscreen platform gives one without
// a display. The other commands keep to a plain application.
bool NeedsGuiApplication(int argc, char** argv) {
  if (argc < 2) return false;
  return std::strcmp(argv[1], "play") == 0 ||
         (argc > 2 && std::strcmp(argv[1], "level") == 0 && std::strcmp(argv[2], "render") == 0);
}

// The runtime folder is of no use to the tool; Qt's note that it is unset
// would only clutter the command's error output.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QStringLiteral("QStandardPaths: "))) return;
  std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << "\n";
}

std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
  std::unique_ptr<QCoreApplication> application;
  if (NeedsGuiApplication(argc, argv)) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    application = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    application = std::make_unique<QCoreApplication>(argc, argv);
  }
  // Qt takes the user's locale for the C library; numbers on the command
  // line ("--animSpeed 1.5") are written with a point whatever the locale.
  std::setlocale(LC_NUMERIC, "C");
  return application;
}

int RunCommand(const TCommandEntry& entry, int argc, char** argv) {
  const bool groupAlone = entry.Command[0] == '\0';
  const std::vector<std::string> args(argv + (groupAlone ? 2 : 3), argv + argc);
  try {
    return entry.Run(args, std::cout);
  } catch (const kestrilo::tool::EHelpRequested&) {
    PrintCommandUsage(entry, std::cout);
    return 0;
  } catch (const kestrilo::tool::EUsageError& e) {
    std::cerr << e.what() << "\n";
    PrintCommandUsage(entry, std::cerr);
    return kStatusUsage;
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Image plugins (icons) are found through the application object.
  const std::unique_ptr<QCoreApplication> application = MakeApplication(argc, argv);
  const kestrilo::TInterfaceTranslators translators(kestrilo::LanguageOfLocale(QLocale::system()));
  if (argc < 2) {
    PrintUsage(std::cerr);
    return kStatusUsage;
  }
  if (IsOneOf(argv[1], "-h", "--help")) {
    PrintHelp(std::cout);
    return 0;
  }
  if (IsOneOf(argv[1], "-v", "--version")) {
    std::cout << "kestrilo-tool " << KESTRILO_VERSION << "\n";
    return 0;
  }
  if (const TCommandEntry* entry = FindCommand(argc, argv)) return RunCommand(*entry, argc, argv);
  if (argv[1][0] == '-')
    std::cerr << "Unknown option " << kestrilo::cp1251::EscapeControls(argv[1]) << "\n";
  else
    std::cerr << "Unknown command: " << kestrilo::cp1251::EscapeControls(argv[1])
              << (argc > 2 ? " " + kestrilo::cp1251::EscapeControls(argv[2]) : std::string()) << "\n";
  PrintUsage(std::cerr);
  return kStatusUsage;
}
