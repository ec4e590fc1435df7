// The keyboard's way into the menus. Every menu title and item gets a
// mnemonic (Alt+letter) in whatever language it is shown: the first letter of
// a word that no earlier entry of the same menu took, else any free letter or
// digit, marked with "&" in the shown text so that the words stay as they
// are. A mark a text already carries ("&1" of the recent levels) is kept.
// Menus and items added or renamed later (undo's "Отменить: ...", the recent
// levels) get theirs when that happens.
#pragma once

#include <QObject>
#include <QString>

class QMenuBar;
class QWidget;

namespace kestrilo {

class TMenuMnemonics : public QObject {
  Q_OBJECT
 public:
  // Watches the bar and every menu under it; a child of the bar.
  explicit TMenuMnemonics(QMenuBar* Bar);

  // The letter a shown text's single "&" marks (lower case), or a null
  // character when it has none ("&&" is a plain "&").
  static QChar MnemonicOf(const QString& Text);
  // The shown text without its mark: the words as written.
  static QString WithoutMnemonic(const QString& Text);

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void Watch(QWidget* Container);
  void Assign(QWidget* Container);

  bool assigning_ = false;  // our own renaming is no change to answer
};

// Opens the bar's first menu, as F10 does; arrows and Enter move through the
// menus from there, Escape closes them.
void OpenMenuBarFromKeyboard(QMenuBar* Bar);

}  // namespace kestrilo
