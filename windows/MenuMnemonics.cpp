#include "windows/MenuMnemonics.h"

#include <QAction>
#include <QActionEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QVariant>

namespace kestrilo {

namespace {

// What we made of an action's text, so that a text we marked is told from
// one its owner set since.
constexpr const char* kMarkedText = "kestriloMarkedText";
constexpr const char* kPlainText = "kestriloPlainText";
constexpr const char* kWatched = "kestriloMnemonicsWatched";

bool MayMark(QChar c) { return c.isLetterOrNumber(); }

// The part of an item's text a mnemonic may come from: a shortcut shown after a tab is not.
qsizetype EndOfCaption(const QString& text) {
  const qsizetype tab = text.indexOf('\t');
  return tab < 0 ? text.size() : tab;
}

// Where to put the mark in a text with none: the first word start whose letter
// is free, else the first free letter; -1 when every letter is taken.
qsizetype MarkPlace(const QString& text, const QSet<QChar>& taken) {
  const qsizetype end = EndOfCaption(text);
  qsizetype anyFree = -1;
  for (qsizetype i = 0; i < end; ++i) {
    if (text[i] == '&') {  // "&&" is a shown "&"
      ++i;
      continue;
    }
    if (!MayMark(text[i]) || taken.contains(text[i].toLower())) continue;
    if (i == 0 || !MayMark(text[i - 1])) return i;
    if (anyFree < 0) anyFree = i;
  }
  return anyFree;
}

}  // namespace

QChar TMenuMnemonics::MnemonicOf(const QString& Text) {
  const qsizetype end = EndOfCaption(Text);
  for (qsizetype i = 0; i + 1 < end; ++i) {
    if (Text[i] != '&') continue;
    if (Text[i + 1] != '&') return Text[i + 1].toLower();
    ++i;
  }
  return {};
}

QString TMenuMnemonics::WithoutMnemonic(const QString& Text) {
  QString plain;
  for (qsizetype i = 0; i < Text.size(); ++i) {
    if (Text[i] == '&' && i + 1 < Text.size()) ++i;
    plain += Text[i];
  }
  return plain;
}

TMenuMnemonics::TMenuMnemonics(QMenuBar* Bar) : QObject(Bar) { Watch(Bar); }

void TMenuMnemonics::Watch(QWidget* Container) {
  if (Container->property(kWatched).toBool()) return;
  Container->setProperty(kWatched, true);
  Container->installEventFilter(this);
  for (QAction* action : Container->actions())
    if (action->menu()) Watch(action->menu());
  Assign(Container);
}

void TMenuMnemonics::Assign(QWidget* Container) {
  struct TEntry {
    QAction* Action;
    QString Plain;
  };
  QList<TEntry> unmarked;
  QSet<QChar> taken;
  for (QAction* action : Container->actions()) {
    if (action->isSeparator() || action->text().isEmpty()) continue;
    const QString text = action->text();
    if (text == action->property(kMarkedText).toString()) {
      unmarked.push_back({action, action->property(kPlainText).toString()});
    } else if (const QChar own = MnemonicOf(text); !own.isNull()) {
      taken.insert(own);  // marked by its owner: kept
    } else {
      unmarked.push_back({action, text});
    }
  }
  assigning_ = true;
  for (const TEntry& entry : unmarked) {
    QString marked = entry.Plain;
    const qsizetype at = MarkPlace(entry.Plain, taken);
    if (at >= 0) {
      taken.insert(entry.Plain[at].toLower());
      marked.insert(at, '&');
    }
    entry.Action->setProperty(kPlainText, entry.Plain);
    entry.Action->setProperty(kMarkedText, marked);
    entry.Action->setText(marked);
  }
  assigning_ = false;
}

bool TMenuMnemonics::eventFilter(QObject* Watched, QEvent* Event) {
  const QEvent::Type type = Event->type();
  if (assigning_ || (type != QEvent::ActionAdded && type != QEvent::ActionChanged && type != QEvent::ActionRemoved))
    return false;
  auto* container = static_cast<QWidget*>(Watched);
  if (type == QEvent::ActionAdded) {
    QAction* added = static_cast<QActionEvent*>(Event)->action();
    if (added->menu()) Watch(added->menu());
  }
  Assign(container);
  return false;
}

void OpenMenuBarFromKeyboard(QMenuBar* Bar) {
  for (QAction* head : Bar->actions()) {
    if (!head->isVisible() || !head->isEnabled() || !head->menu()) continue;
    Bar->setActiveAction(head);
    return;
  }
}

}  // namespace kestrilo
