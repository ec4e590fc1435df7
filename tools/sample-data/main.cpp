// kestrilo-sample-data DIR: draws the sample pictures and writes the sample
// object library, monsters, portal pictures and demo level into DIR.
// kestrilo-sample-data --screenshot FILE.png: writes the sample into a
// scratch folder and saves a picture of it in the editor's main window.
// --help and --version answer and exit 0; a command line it cannot take gets
// the usage and status 2.
#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "SampleDataWriter.h"
#include "Screenshot.h"
#include "editor/Translations.h"

namespace {

int Screenshot(int argc, char** argv, const std::string& pngPath) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The picture shows the editor in its own language, whatever the locale.
  QApplication app(argc, argv);
  QTemporaryDir scratch;
  const std::string executableDir = scratch.path().toStdString() + "/";
  kestrilo::sample::WriteSampleData(executableDir + "Data");
  const QImage shot = kestrilo::sample::RenderEditorScreenshot(executableDir);
  if (shot.isNull() || !shot.save(QString::fromStdString(pngPath), "PNG", 9)) {
    std::cerr << "kestrilo-sample-data: cannot write " << pngPath << "\n";
    return 1;
  }
  return 0;
}

// What the command line asks for. A folder that begins with a dash is given
// after "--", so that a mistyped option never becomes a folder.
struct TRequest {
  enum class TAction { WriteData, Screenshot, Help, Version, Wrong } Action = TAction::Wrong;
  std::string Path;
  std::string Error;
};

TRequest ParseArguments(const std::vector<std::string>& args) {
  TRequest request;
  const auto is = [&](size_t index, const char* text) { return args.size() > index && args[index] == text; };
  if (is(0, "--help") || is(0, "-h")) {
    request.Action = TRequest::TAction::Help;
  } else if (is(0, "--version") || is(0, "-v")) {
    request.Action = TRequest::TAction::Version;
  } else if (args.size() == 2 && args[0] == "--screenshot") {
    request = {TRequest::TAction::Screenshot, args[1], {}};
  } else if (args.size() == 2 && args[0] == "--") {
    request = {TRequest::TAction::WriteData, args[1], {}};
  } else if (args.size() == 1 && !args[0].empty() && args[0][0] != '-') {
    request = {TRequest::TAction::WriteData, args[0], {}};
  } else if (!args.empty() && args[0].size() > 1 && args[0][0] == '-' && args[0] != "--" && args[0] != "--screenshot") {
    request.Error = "Unknown option " + args[0];
  }
  return request;
}

const char* const kUsage =
    "Usage: kestrilo-sample-data [--] DIR\n"
    "  or:  kestrilo-sample-data --screenshot FILE.png\n"
    "  or:  kestrilo-sample-data --help | --version\n";

}  // namespace

int main(int argc, char** argv) {
  const TRequest request = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  switch (request.Action) {
    case TRequest::TAction::Help:
      std::cout << kUsage
                << "Draws the sample pictures and writes the sample object library, monsters,\n"
                   "portal pictures and demo level of the Kestrilo level editor into DIR; with\n"
                   "--screenshot, saves a picture of that sample in the editor's main window.\n";
      return 0;
    case TRequest::TAction::Version: std::cout << "kestrilo-sample-data " << KESTRILO_VERSION << "\n"; return 0;
    case TRequest::TAction::Wrong:
      if (!request.Error.empty()) std::cerr << "kestrilo-sample-data: " << request.Error << "\n";
      std::cerr << kUsage;
      return 2;
    default: break;
  }
  try {
    if (request.Action == TRequest::TAction::Screenshot) return Screenshot(argc, argv, request.Path);
    QCoreApplication app(argc, argv);
    const kestrilo::TInterfaceTranslators translators(kestrilo::LanguageOfLocale(QLocale::system()));
    kestrilo::sample::WriteSampleData(request.Path);
  } catch (const std::exception& e) {
    std::cerr << "kestrilo-sample-data: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
