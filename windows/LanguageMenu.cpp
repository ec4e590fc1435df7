#include "windows/LanguageMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "windows/MainForm.h"

namespace kestrilo {

TLanguageMenu::TLanguageMenu(TForm1& Form, QSettings& Settings, TLanguage Running)
    : QObject(&Form), Form(Form), Settings(Settings), running_(Running) {
  // The menu and its items read the same in both languages, so that either
  // can find the way back.
  menu_ = Form.N9->addMenu(QString::fromUtf8("Язык / Language"));
  menu_->setObjectName("LanguageMenu");
  auto* group = new QActionGroup(menu_);
  russian_ = menu_->addAction(QString::fromUtf8("Русский"));
  russian_->setObjectName("LanguageRussian");
  english_ = menu_->addAction("English");
  english_->setObjectName("LanguageEnglish");
  for (QAction* item : {russian_, english_}) {
    item->setCheckable(true);
    group->addAction(item);
  }
  (StoredLanguage(Settings) == TLanguage::English ? english_ : russian_)->setChecked(true);
  connect(russian_, &QAction::triggered, this, [this] { Choose(TLanguage::Russian); });
  connect(english_, &QAction::triggered, this, [this] { Choose(TLanguage::English); });
}

void TLanguageMenu::Choose(TLanguage Language) {
  const bool changed = StoredLanguage(Settings) != Language;
  StoreLanguage(Settings, Language);
  (Language == TLanguage::English ? english_ : russian_)->setChecked(true);
  if (!changed) return;
  if (Language == running_) return;  // back to the language the windows already speak
  Form.Dialogs().ShowMessage(
      "Язык интерфейса сменится при следующем запуске.\nThe interface language changes at the next start.");
}

}  // namespace kestrilo
