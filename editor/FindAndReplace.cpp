#include "editor/FindAndReplace.h"

#include <QCoreApplication>

#include <algorithm>
#include <tuple>

#include "editor/Editor.h"
#include "library/ObjectDataBase.h"
#include "platform/Cp1251.h"
#include "world/GameContext.h"
#include "world/LevelDraft.h"

namespace kestrilo {

namespace {

QString Text(const char* SourceText) { return QCoreApplication::translate("TFindAndReplace", SourceText); }
// A name as the designer sees it, its control characters written out.
QString Shown(const std::string& Name) {
  return QString::fromStdString(cp1251::EscapeControls(cp1251::ToQString(Name).toStdString()));
}

// The order the search walks in: plane, column, row, as FindAnchors lists them.
auto OrderOf(const TPlacedAnchor& At) { return std::tuple(At.Plane, At.Column, At.Row); }

}  // namespace

TFindAndReplace::TFindAndReplace(TEditor& Editor) : editor_(Editor) {
  // Every change of the level (an edit, an undo, a load) moves the marks along.
  followsHistory_ = QObject::connect(&editor_.UndoStack, &QUndoStack::indexChanged, [this] { RefreshMarks(); });
}

TFindAndReplace::~TFindAndReplace() { QObject::disconnect(followsHistory_); }

std::optional<TFindAndReplace::TScope> TFindAndReplace::ScopeOf(TSearchScope Scope, std::string& Refusal) const {
  if (Scope == TSearchScope::Level) return TScope{};
  if (editor_.Selection.Empty()) {
    Refusal = Text(QT_TRANSLATE_NOOP("TFindAndReplace", "Ничего не выделено: выделите клетки Shift и левой кнопкой"))
                  .toStdString();
    return std::nullopt;
  }
  return TScope{editor_.Selection.AllPlanes ? kAllPlanes : PlaneBit(editor_.Context.CurrentPlane),
                editor_.Selection.Region()};
}

std::vector<TPlacedAnchor> TFindAndReplace::PlacementsIn(const std::string& Name, const TScope& Scope) const {
  const TGameContext& context = editor_.Context;
  if (!context.PlayedLevel || !context.ObjectDataBase) return {};
  std::vector<TPlacedAnchor> anchors = FindAnchors(context.DesignedLevel(), *context.ObjectDataBase, Name);
  std::erase_if(anchors, [&Scope](const TPlacedAnchor& At) {
    return (Scope.Planes & PlaneBit(At.Plane)) == 0 || !Scope.Region.Contains(At.Column, At.Row);
  });
  return anchors;
}

std::vector<TPlacedAnchor> TFindAndReplace::Placements(const QString& Name, TSearchScope Scope) const {
  std::string refusal;
  const std::optional<TScope> scope = ScopeOf(Scope, refusal);
  return scope ? PlacementsIn(cp1251::FromQString(Name), *scope) : std::vector<TPlacedAnchor>{};
}

TFoundPlacement TFindAndReplace::Step(const QString& Name, TSearchScope Scope, bool Forward) {
  TFoundPlacement found;
  const std::string name = cp1251::FromQString(Name);
  const std::optional<TScope> scope = ScopeOf(Scope, found.Message);
  if (name != lastName_ || scope != lastScope_) lastShown_.reset();
  lastName_ = name;
  lastScope_ = scope;
  if (scope && (!editor_.Context.ObjectDataBase || NumbersNamed(*editor_.Context.ObjectDataBase, name).empty()))
    found.Message = NoObjectNamed(name);
  if (found.Message.empty()) {
    const std::vector<TPlacedAnchor> anchors = PlacementsIn(name, *scope);
    found.Count = static_cast<int32_t>(anchors.size());
    if (anchors.empty()) {
      found.Message =
          (Scope == TSearchScope::Level ? Text(QT_TRANSLATE_NOOP("TFindAndReplace", "«%1» в уровне не найден"))
                                        : Text(QT_TRANSLATE_NOOP("TFindAndReplace", "«%1» в выделенном не найден")))
              .arg(Shown(name))
              .toStdString();
    } else {
      // The first placement past the one last shown; the list is in walking order.
      std::vector<TPlacedAnchor>::const_iterator next;
      if (Forward) {
        next = lastShown_ ? std::find_if(anchors.begin(), anchors.end(),
                                         [&](const TPlacedAnchor& At) { return OrderOf(At) > OrderOf(*lastShown_); })
                          : anchors.begin();
        found.Wrapped = next == anchors.end();
        if (found.Wrapped) next = anchors.begin();
      } else {
        const auto before =
            lastShown_ ? std::find_if(anchors.rbegin(), anchors.rend(),
                                      [&](const TPlacedAnchor& At) { return OrderOf(At) < OrderOf(*lastShown_); })
                       : anchors.rbegin();
        found.Wrapped = before == anchors.rend();
        next = found.Wrapped ? anchors.end() - 1 : std::prev(before.base());
      }
      // A first step starts at one end without having gone round.
      if (!lastShown_) found.Wrapped = false;
      found.At = *next;
      found.Position = static_cast<int32_t>(next - anchors.begin()) + 1;
      lastShown_ = *next;
      QString message = Text(QT_TRANSLATE_NOOP("TFindAndReplace", "«%1»: %2 из %3, план %4, столбец %5, строка %6"))
                            .arg(Shown(name))
                            .arg(found.Position)
                            .arg(found.Count)
                            .arg(next->Plane)
                            .arg(next->Column)
                            .arg(next->Row);
      if (found.Wrapped)
        message += Forward ? Text(QT_TRANSLATE_NOOP("TFindAndReplace", " (поиск начат сначала)"))
                           : Text(QT_TRANSLATE_NOOP("TFindAndReplace", " (поиск начат с конца)"));
      found.Message = message.toStdString();
      editor_.ShowCell(next->Column, next->Row);
    }
  }
  editor_.SetResult(found.Message);
  return found;
}

TFoundPlacement TFindAndReplace::FindNext(const QString& Name, TSearchScope Scope) { return Step(Name, Scope, true); }

TFoundPlacement TFindAndReplace::FindPrevious(const QString& Name, TSearchScope Scope) {
  return Step(Name, Scope, false);
}

std::string TFindAndReplace::MarkAll(const QString& Name, TSearchScope Scope) {
  std::string message;
  const std::string name = cp1251::FromQString(Name);
  const std::optional<TScope> scope = ScopeOf(Scope, message);
  if (scope && (!editor_.Context.ObjectDataBase || NumbersNamed(*editor_.Context.ObjectDataBase, name).empty()))
    message = NoObjectNamed(name);
  ClearMarks();
  if (message.empty()) {
    marked_.emplace(name, *scope);
    RefreshMarks();
    message = Text(QT_TRANSLATE_NOOP("TFindAndReplace", "Отмечено размещений «%1»: %2"))
                  .arg(Shown(name))
                  .arg(markedRegions_.size())
                  .toStdString();
  }
  editor_.SetResult(message);
  return message;
}

void TFindAndReplace::ClearMarks() {
  marked_.reset();
  markedRegions_.clear();
}

void TFindAndReplace::RefreshMarks() {
  markedRegions_.clear();
  const TGameContext& context = editor_.Context;
  if (!marked_ || !context.PlayedLevel || !context.ObjectDataBase) return;
  for (const TPlacedAnchor& at : PlacementsIn(marked_->first, marked_->second)) {
    const std::optional<TPlacedObject> object = PlacedObjectAt(context.DesignedLevel(), *context.ObjectDataBase, at);
    if (object) markedRegions_.push_back(TMatrix::FootprintRegion(at.Column, at.Row, object->Footprint));
  }
}

TReplacement TFindAndReplace::Replace(const QString& From, const QString& To, TSearchScope Scope) {
  TReplacement result;
  const std::optional<TScope> scope = ScopeOf(Scope, result.Refusal);
  const TGameContext& context = editor_.Context;
  if (scope && (!context.PlayedLevel || !context.ObjectDataBase))
    result.Refusal = NoObjectNamed(cp1251::FromQString(From));
  if (!result.Refusal.empty()) {
    editor_.SetResult(result.Refusal);
    return result;
  }
  TLevelDraft draft(context.DesignedLevel());
  const std::string from = cp1251::FromQString(From), to = cp1251::FromQString(To);
  result = ReplaceObjects(draft, *context.ObjectDataBase, from, to, scope->Planes, scope->Region);
  if (!result.Refusal.empty()) {
    editor_.SetResult(result.Refusal);
    return result;
  }
  const std::string summary = result.Summary();
  const QString undoText =
      Text(QT_TRANSLATE_NOOP("TFindAndReplace", "замена «%1» на «%2»")).arg(Shown(from)).arg(Shown(to));
  // A draft that changed nothing records no step; the result line still counts.
  const int index = editor_.UndoStack.index();
  editor_.Guarded([&] { editor_.RecordDraft(draft, undoText, summary); });
  if (editor_.UndoStack.index() == index) editor_.SetResult(summary);
  return result;
}

}  // namespace kestrilo
