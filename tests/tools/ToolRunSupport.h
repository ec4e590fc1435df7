// Runs the built kestrilo-tool (or another program of the project) as a
// designer runs it and keeps what it said.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace kestrilo::tooltest {

struct TToolRun {
  int ExitCode = -1;  // -1 when the program crashed
  std::string Out, Err;
};

// Where a program runs. Its messages follow the locale: the tests run it
// under a Russian one, in which they are the system's own texts as written,
// unless a test names another ("NAME=value" settings of the locale variables).
struct TRunPlace {
  QStringList Locale = {"LC_ALL=ru_RU.UTF-8"};
  QString WorkingFolder;  // empty: the test's own
};

// Runs any built program of the project (the tool, the sample-data generator).
inline TToolRun RunProgram(const QString& program, const QStringList& arguments, int timeoutMs,
                           const TRunPlace& place = {}) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) environment.remove(name);
  for (const QString& setting : place.Locale) environment.insert(setting.section('=', 0, 0), setting.section('=', 1));
  QProcess process;
  process.setProcessEnvironment(environment);
  if (!place.WorkingFolder.isEmpty()) process.setWorkingDirectory(place.WorkingFolder);
  process.start(program, arguments);
  process.waitForFinished(timeoutMs);
  TToolRun run;
  run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.Out = process.readAllStandardOutput().toStdString();
  run.Err = process.readAllStandardError().toStdString();
  return run;
}

// Rendering and playing a level take longer than reading a file, so callers
// may give the tool more time.
inline TToolRun RunTool(const std::vector<std::string>& args, int timeoutMs = 60000, const TRunPlace& place = {}) {
  QStringList arguments;
  for (const std::string& a : args) arguments << QString::fromStdString(a);
  return RunProgram(QStringLiteral(KESTRILO_TOOL_PATH), arguments, timeoutMs, place);
}

}  // namespace kestrilo::tooltest
