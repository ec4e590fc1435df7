// Runs the built kestrilo-tool as a designer runs it and keeps what it said.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace kestrilo::tooltest {

struct TToolRun {
  int ExitCode = -1;  // -1 when the tool did not end normally (crash or timeout)
  std::string Out, Err;
};

// Rendering and playing a level take longer than reading a file, so callers
// may give the tool more time.
inline TToolRun RunTool(const std::vector<std::string>& args, int timeoutMs = 60000) {
  QStringList arguments;
  for (const std::string& a : args) arguments << QString::fromStdString(a);
  QProcess process;
  process.start(QStringLiteral(KESTRILO_TOOL_PATH), arguments);
  process.waitForFinished(timeoutMs);
  TToolRun run;
  run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.Out = process.readAllStandardOutput().toStdString();
  run.Err = process.readAllStandardError().toStdString();
  return run;
}

}  // namespace kestrilo::tooltest
