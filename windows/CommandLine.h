// The editor's command line: `kestrilo [LEVEL.mtf]`, `--help`, `--version`.
// Parsing is plain string work, so that --help and --version answer without
// a display; opening the given level runs the menu's own commands.
#pragma once

#include <string>
#include <vector>

namespace kestrilo {

class TForm1;

struct TCommandLine {
  enum class TAction { Run, PrintHelp, PrintVersion, Fail };
  TAction Action = TAction::Run;
  std::string LevelFile;  // empty: start with an empty level
  std::string Error;      // why the arguments were refused (Fail), UTF-8
};

// Arguments without the program's name.
TCommandLine ParseCommandLine(const std::vector<std::string>& Arguments);

// The usage text --help prints, in the interface language.
std::string CommandLineHelp();
// The line --version prints.
std::string VersionLine();

// Opens the objects file and then the level at Path, as Объект → "Открыть
// файл объектов" and Файл → "Загрузить матрицу" would; a level that cannot be
// read gives the usual message and leaves an empty level.
void OpenStartupLevel(TForm1& Form, const std::string& Path);

}  // namespace kestrilo
