#include "windows/CommandLine.h"

#include <QAction>
#include <QCoreApplication>
#include <set>

#include "platform/Errors.h"
#include "platform/Translated.h"
#include "windows/MainForm.h"

namespace kestrilo {

namespace {

// Qt's own options, which the application object takes for itself; they are
// passed over here so that the rest can be judged before any window exists.
const std::set<std::string> kQtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "style",    "stylesheet",         "session",       "display", "geometry",        "name",        "title"};
const std::set<std::string> kQtFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

std::string OptionName(const std::string& argument) { return argument.substr(argument.find_first_not_of('-')); }

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& Arguments) {
  TCommandLine result;
  bool optionsEnded = false;
  for (size_t i = 0; i < Arguments.size(); ++i) {
    const std::string& argument = Arguments[i];
    if (!optionsEnded && argument.size() > 1 && argument[0] == '-' && argument != "--") {
      const std::string name = OptionName(argument);
      if (kQtFlags.count(name)) continue;
      if (kQtOptionsWithValue.count(name)) {
        ++i;  // and its value
        continue;
      }
    }
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded && (argument == "--help" || argument == "-h")) {
      result.Action = TCommandLine::TAction::PrintHelp;
      return result;  // help wins over anything else given
    }
    if (!optionsEnded && (argument == "--version" || argument == "-v")) {
      result.Action = TCommandLine::TAction::PrintVersion;
      continue;  // a later --help still wins
    }
    if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
      result.Action = TCommandLine::TAction::Fail;
      result.Error = Translated("CommandLine", "Неизвестный параметр: ") + ShownFileName(argument);
      continue;
    }
    if (argument.empty()) continue;
    if (!result.LevelFile.empty()) {
      result.Action = TCommandLine::TAction::Fail;
      result.Error = Translated("CommandLine", "Можно указать только один файл уровня.");
      continue;
    }
    result.LevelFile = argument;
  }
  if (result.Action == TCommandLine::TAction::Fail) result.LevelFile.clear();
  return result;
}

std::string CommandLineHelp() {
  return Translated("CommandLine",
                    "Использование: kestrilo [УРОВЕНЬ.mtf]\n"
                    "Редактор уровней Kestrilo. С файлом уровня открывает файл объектов\n"
                    "из папки данных и затем этот уровень.\n"
                    "\n"
                    "Параметры:\n"
                    "  -h, --help     показать эту справку и выйти\n"
                    "  -v, --version  показать версию и выйти\n");
}

std::string VersionLine() { return std::string("kestrilo ") + KESTRILO_VERSION + "\n"; }

void OpenStartupLevel(TForm1& Form, const std::string& Path) {
  Form.N2->trigger();  // Объект → Открыть файл объектов, as the designer would choose it
  Form.Editor().Files().LoadLevelFrom(Path);
}

}  // namespace kestrilo
