// Файл → "Последние уровни": the recent-levels list as a submenu of the main
// window's File menu. Choosing an entry loads that level as Файл → "Загрузить
// матрицу" would; an entry whose file is gone is dropped with a message.
#pragma once

#include <QObject>
#include <string>

class QMenu;

namespace kestrilo {

class TForm1;
class TRecentLevels;

class TRecentLevelsMenu : public QObject {
  Q_OBJECT
 public:
  // Puts the submenu into Form's File menu, before its last item (Выход).
  TRecentLevelsMenu(TForm1& Form, TRecentLevels& Levels);

  QMenu* Menu() const { return menu_; }
  // Fills the submenu from the list (it is refilled each time it opens).
  void Rebuild();
  // Loads the Index-th entry (0 newest).
  void Choose(int Index);

 private:
  TForm1& Form;
  TRecentLevels& Levels;
  QMenu* menu_ = nullptr;
};

}  // namespace kestrilo
