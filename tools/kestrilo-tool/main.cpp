// kestrilo-tool: command-line work on Kestrilo files without a window.
// Every command is one line of the table below; errors print the system's
// message on stderr and end with status 1.
#include <QApplication>

#include <cstring>
#include <exception>
#include <memory>
#include <iostream>
#include <string>
#include <vector>

#include "LevelCommands.h"
#include "MonstersEditCommands.h"
#include "ObjectsCommands.h"
#include "PicturesCommands.h"
#include "PlayCommands.h"
#include "RenderCommands.h"
#include "ToolSupport.h"
#include "platform/Cp1251.h"

namespace {

using kestrilo::tool::TToolCommand;

struct TCommandEntry {
  const char* Group;
  const char* Command;  // "" for a command that is its group word alone
  TToolCommand Run;
};

// One line per command; each command file declares its functions in its own header.
const TCommandEntry kCommands[] = {
    {"pictures", "list", kestrilo::tool::PicturesList},
    {"pictures", "add", kestrilo::tool::PicturesAdd},
    {"pictures", "extract", kestrilo::tool::PicturesExtract},
    {"objects", "list", kestrilo::tool::ObjectsList},
    {"monsters", "list", kestrilo::tool::MonstersList},
    {"monsters", "add", kestrilo::tool::MonstersAdd},
    {"monsters", "set", kestrilo::tool::MonstersSet},
    {"level", "info", kestrilo::tool::LevelInfo},
    {"level", "check", kestrilo::tool::LevelCheck},
    {"level", "render", kestrilo::tool::LevelRender},
    {"play", "", kestrilo::tool::Play},
};

void PrintUsage() {
  std::cerr << "usage: kestrilo-tool GROUP COMMAND ...\ncommands:\n";
  for (const TCommandEntry& entry : kCommands) std::cerr << "  " << entry.Group << (entry.Command[0] ? " " : "") << entry.Command << "\n";
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
  if (!NeedsGuiApplication(argc, argv)) return std::make_unique<QCoreApplication>(argc, argv);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietMessages);
  return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
  // Image plugins (icons) are found through the application object.
  const std::unique_ptr<QCoreApplication> application = MakeApplication(argc, argv);
  if (argc < 2) {
    PrintUsage();
    return 1;
  }
  for (const TCommandEntry& entry : kCommands) {
    const bool groupAlone = entry.Command[0] == '\0';
    if (std::strcmp(argv[1], entry.Group) != 0) continue;
    if (!groupAlone && (argc < 3 || std::strcmp(argv[2], entry.Command) != 0)) continue;
    const std::vector<std::string> args(argv + (groupAlone ? 2 : 3), argv + argc);
    try {
      return entry.Run(args, std::cout);
    } catch (const std::exception& e) {
      std::cerr << e.what() << "\n";
      return 1;
    }
  }
  std::cerr << "Unknown command: " << kestrilo::cp1251::EscapeControls(argv[1])
            << (argc > 2 ? " " + kestrilo::cp1251::EscapeControls(argv[2]) : std::string()) << "\n";
  PrintUsage();
  return 1;
}
