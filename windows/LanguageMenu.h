// Настройки → "Язык / Language": Русский or English, kept in the settings and
// applied at the next start (the running windows keep their language).
#pragma once

#include <QObject>

#include "editor/Translations.h"

class QAction;
class QMenu;
class QSettings;

namespace kestrilo {

class TForm1;

class TLanguageMenu : public QObject {
  Q_OBJECT
 public:
  // Running is the language the windows were made in.
  TLanguageMenu(TForm1& Form, QSettings& Settings, TLanguage Running);

  QMenu* Menu() const { return menu_; }
  QAction* RussianItem() const { return russian_; }
  QAction* EnglishItem() const { return english_; }
  void Choose(TLanguage Language);

 private:
  TForm1& Form;
  QSettings& Settings;
  TLanguage running_;
  QMenu* menu_ = nullptr;
  QAction* russian_ = nullptr;
  QAction* english_ = nullptr;
};

}  // namespace kestrilo
