// Texts shown to the designer pass through Qt's translation system: the
// Russian text as written is the source and is shown when no translation is
// installed. Texts that belong to files (object, picture and colour names)
// never pass here. The translation tools read calls of Translated(CONTEXT,
// "text") like QCoreApplication::translate.
#pragma once

#include <QCoreApplication>
#include <string>

namespace kestrilo {

inline std::string Translated(const char* Context, const char* SourceText) {
  return QCoreApplication::translate(Context, SourceText).toStdString();
}

}  // namespace kestrilo
