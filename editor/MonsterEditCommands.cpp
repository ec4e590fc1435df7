#include "editor/MonsterEditCommands.h"

#include <QCoreApplication>

#include <algorithm>

namespace kestrilo {

TChangeMonsterCommand::TChangeMonsterCommand(TMonsterFile& file, int32_t index, const TMonsterRecord& after,
                                             std::string field, TShowMonster show)
    : file_(file),
      index_(index),
      before_(file.Record(index)),
      after_(after),
      field_(std::move(field)),
      show_(std::move(show)) {
  setText(QString::fromStdString(field_));
}

void TChangeMonsterCommand::redo() {
  file_.SetRecord(index_, after_);
  show_(index_);
}

void TChangeMonsterCommand::undo() {
  file_.SetRecord(index_, before_);
  show_(index_);
}

bool TChangeMonsterCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = dynamic_cast<const TChangeMonsterCommand*>(other);
  if (next == nullptr || next->index_ != index_ || next->field_ != field_) return false;
  after_ = next->after_;
  return true;
}

void TMonsterEntryCommand::Put() {
  file_.Insert(index_, entry_);
  show_(index_);
}

void TMonsterEntryCommand::Take() {
  file_.Remove(index_);
  show_(std::min(index_, file_.Count() - 1));
}

TInsertMonsterCommand::TInsertMonsterCommand(TMonsterFile& file, int32_t index, TMonsterFileEntry entry,
                                             const QString& text, TShowMonster show)
    : TMonsterEntryCommand(file, index, std::move(entry), std::move(show)) {
  setText(text);
}

TRemoveMonsterCommand::TRemoveMonsterCommand(TMonsterFile& file, int32_t index, TShowMonster show)
    : TMonsterEntryCommand(file, index, file.Entry(index), std::move(show)) {
  setText(QCoreApplication::translate("TMonsterEditCommands", "удаление монстра"));
}

TMoveMonsterCommand::TMoveMonsterCommand(TMonsterFile& file, int32_t from, int32_t to, TShowMonster show)
    : file_(file), from_(from), to_(to), show_(std::move(show)) {
  setText(QCoreApplication::translate("TMonsterEditCommands", "перемещение монстра"));
}

void TMoveMonsterCommand::redo() {
  file_.Move(from_, to_);
  show_(to_);
}

void TMoveMonsterCommand::undo() {
  file_.Move(to_, from_);
  show_(from_);
}

}  // namespace kestrilo
