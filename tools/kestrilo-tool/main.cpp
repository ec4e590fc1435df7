// kestrilo-tool: command-line work on Kestrilo files without a window.
// Every command is one line of the table below; errors print the system's
// message on stderr and end with status 1.
#include <QCoreApplication>

#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "LevelCommands.h"
#include "ObjectsCommands.h"
#include "PicturesCommands.h"
#include "ToolSupport.h"

namespace {

using kestrilo::tool::TToolCommand;

struct TCommandEntry {
  const char* Group;
  const char* Command;
  TToolCommand Run;
};

// One line per command; each command file declares its functions in its own header.
const TCommandEntry kCommands[] = {
    {"pictures", "list", kestrilo::tool::PicturesList},
    {"pictures", "add", kestrilo::tool::PicturesAdd},
    {"pictures", "extract", kestrilo::tool::PicturesExtract},
    {"objects", "list", kestrilo::tool::ObjectsList},
    {"monsters", "list", kestrilo::tool::MonstersList},
    {"level", "info", kestrilo::tool::LevelInfo},
};

void PrintUsage() {
  std::cerr << "usage: kestrilo-tool GROUP COMMAND ...\ncommands:\n";
  for (const TCommandEntry& entry : kCommands) std::cerr << "  " << entry.Group << " " << entry.Command << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  // Image plugins (icons) are found through the application object.
  QCoreApplication application(argc, argv);
  if (argc < 3) {
    PrintUsage();
    return 1;
  }
  for (const TCommandEntry& entry : kCommands) {
    if (std::strcmp(argv[1], entry.Group) != 0 || std::strcmp(argv[2], entry.Command) != 0) continue;
    const std::vector<std::string> args(argv + 3, argv + argc);
    try {
      return entry.Run(args, std::cout);
    } catch (const std::exception& e) {
      std::cerr << e.what() << "\n";
      return 1;
    }
  }
  std::cerr << "Unknown command: " << argv[1] << " " << argv[2] << "\n";
  PrintUsage();
  return 1;
}
