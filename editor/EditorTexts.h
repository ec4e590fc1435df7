// How the editor's parts word their results: a text of the editor with one
// argument (a file or a name), through the translation system, the argument's
// control characters escaped so that a file name cannot garble the message.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>

#include "platform/Cp1251.h"

namespace kestrilo {

inline std::string EditorTextWith(const char* Text, const std::string& Argument) {
  return QCoreApplication::translate("TEditor", Text)
      .arg(QString::fromStdString(cp1251::EscapeControls(Argument)))
      .toStdString();
}

}  // namespace kestrilo
