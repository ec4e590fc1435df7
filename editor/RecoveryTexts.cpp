#include "editor/RecoveryTexts.h"

#include <QCoreApplication>

#include "platform/Errors.h"

namespace kestrilo {

namespace {

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
// A file's name as messages show it: control characters escaped.
QString Shown(const std::string& path) { return Q(ShownFileName(path)); }

// Day first, as the designer's calendar has it; seconds tell two copies of one minute apart.
QString WhenWritten(const QDateTime& Written) { return Written.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")); }

}  // namespace

std::string RecoveryQuestion(const TRecovery::TFound& Found) {
  QString question = QCoreApplication::translate(
      "TEditor", "Прошлая работа редактора завершилась аварийно. Восстановить несохранённые изменения ?");
  question += QStringLiteral("\n");
  if (!Found.LevelCopy.empty()) {
    const QString level = Found.LevelFile.empty()
                              ? QCoreApplication::translate("TEditor", "новый уровень, ещё не сохранявшийся")
                              : Shown(Found.LevelFile);
    // One pass over both arguments, so that a "%2" in a file name stays as it is.
    question +=
        QStringLiteral("\n") +
        QCoreApplication::translate("TEditor", "Уровень: %1, копия от %2").arg(level, WhenWritten(Found.LevelWritten));
  }
  if (!Found.LibraryCopy.empty()) {
    question += QStringLiteral("\n") + QCoreApplication::translate("TEditor", "Библиотека объектов: копия от %1")
                                           .arg(WhenWritten(Found.LibraryWritten));
  }
  return question.toStdString();
}

std::string DamagedCopyMessage(const TRecovery::TDamaged& Damaged, const std::string& SetAsideTo) {
  return QCoreApplication::translate("TEditor",
                                     "Копию несохранённой работы %1 не удалось прочитать: %2. "
                                     "Её файлы перенесены в %3 и больше не предлагаются.")
      .arg(Shown(Damaged.Copy), Q(Damaged.Reason), Shown(SetAsideTo))
      .toStdString();
}

std::string UnmovedDamagedCopyMessage(const TRecovery::TDamaged& Damaged, const std::string& MoveError) {
  return QCoreApplication::translate("TEditor",
                                     "Копию несохранённой работы %1 не удалось прочитать: %2. "
                                     "Её файлы не удалось отложить: %3")
      .arg(Shown(Damaged.Copy), Q(Damaged.Reason), Q(MoveError))
      .toStdString();
}

}  // namespace kestrilo
