// Runs the built kestrilo-tool (or another program of the project) as a
// designer runs it and keeps what it said.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace kestrilo::tooltest {

struct TToolRun {
  int ExitCode = -1;  // -1 when the program crashed
  std::string Out, Err;
};

// Runs any built program of the project (the tool, the sample-data generator).
inline TToolRun RunProgram(const QString& program, const QStringList& arguments, int timeoutMs) {
  QProcess process;
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
inline TToolRun RunTool(const std::vector<std::string>& args, int timeoutMs = 60000) {
  QStringList arguments;
  for (const std::string& a : args) arguments << QString::fromStdString(a);
  return RunProgram(QStringLiteral(KESTRILO_TOOL_PATH), arguments, timeoutMs);
}

}  // namespace kestrilo::tooltest
