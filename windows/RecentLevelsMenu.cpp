#include "windows/RecentLevelsMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "editor/RecentLevels.h"
#include "platform/Errors.h"
#include "windows/MainForm.h"

namespace kestrilo {

TRecentLevelsMenu::TRecentLevelsMenu(TForm1& Form, TRecentLevels& Levels) : QObject(&Form), Form(Form), Levels(Levels) {
  menu_ = new QMenu(tr("Последние уровни"), &Form);
  menu_->setObjectName("RecentLevelsMenu");
  Form.N1->insertMenu(Form.N4, menu_);
  connect(menu_, &QMenu::aboutToShow, this, &TRecentLevelsMenu::Rebuild);
  Rebuild();
}

void TRecentLevelsMenu::Rebuild() {
  menu_->clear();
  const std::vector<std::string> paths = Levels.Paths();
  if (paths.empty()) {
    menu_->addAction(tr("(пусто)"))->setEnabled(false);
    return;
  }
  for (int i = 0; i < static_cast<int>(paths.size()); ++i) {
    const QString path = QString::fromStdString(ShownFileName(paths[i]));
    // The number is the item's keyboard accelerator; "&" in a path is shown as typed.
    QString shown = QDir::toNativeSeparators(path);
    shown.replace('&', "&&");
    QAction* item = menu_->addAction(QString("&%1 %2").arg(i + 1).arg(shown));
    item->setObjectName(QString("RecentLevel%1").arg(i + 1));
    connect(item, &QAction::triggered, this, [this, i] { Choose(i); });
  }
}

void TRecentLevelsMenu::Choose(int Index) {
  const std::vector<std::string> paths = Levels.Paths();
  if (Index < 0 || Index >= static_cast<int>(paths.size())) return;
  const std::string path = paths[Index];
  if (!QFileInfo(QString::fromStdString(path)).isFile()) {
    Levels.Remove(path);
    Form.Dialogs().ShowMessage(tr("Файл %1 не найден и убран из списка последних уровней.")
                                   .arg(QString::fromStdString(ShownFileName(path)))
                                   .toStdString());
    Rebuild();
    return;
  }
  Form.Editor().Files().LoadLevelFrom(path);
  Rebuild();
}

}  // namespace kestrilo
