// The monster editor's changes as undoable commands over the monster list.
// Each command tells the window which record to show after it ran (`Show`),
// so that undo and redo land where the change was made.
#pragma once

#include <QUndoCommand>

#include <functional>
#include <string>

#include "library/MonsterFile.h"

namespace kestrilo {

using TShowMonster = std::function<void(int32_t index)>;

// Replaces one record's fields. Successive changes of the same field of the
// same record (typing into a number field) merge into one step.
class TChangeMonsterCommand : public QUndoCommand {
 public:
  TChangeMonsterCommand(TMonsterFile& file, int32_t index, const TMonsterRecord& after, std::string field,
                        TShowMonster show);
  void redo() override;
  void undo() override;
  int id() const override { return 1; }
  bool mergeWith(const QUndoCommand* other) override;

 private:
  TMonsterFile& file_;
  int32_t index_;
  TMonsterRecord before_, after_;
  std::string field_;
  TShowMonster show_;
};

// A record put into the list or taken out of it, kept with its bytes so that
// either step can be taken back.
class TMonsterEntryCommand : public QUndoCommand {
 protected:
  TMonsterEntryCommand(TMonsterFile& file, int32_t index, TMonsterFileEntry entry, TShowMonster show)
      : file_(file), index_(index), entry_(std::move(entry)), show_(std::move(show)) {}
  void Put();
  void Take();

 private:
  TMonsterFile& file_;
  int32_t index_;
  TMonsterFileEntry entry_;
  TShowMonster show_;
};

// Puts a record into the list (a new one, or a copy of another).
class TInsertMonsterCommand : public TMonsterEntryCommand {
 public:
  TInsertMonsterCommand(TMonsterFile& file, int32_t index, TMonsterFileEntry entry, const QString& text,
                        TShowMonster show);
  void redo() override { Put(); }
  void undo() override { Take(); }
};

// Takes a record out of the list, keeping its bytes for undo.
class TRemoveMonsterCommand : public TMonsterEntryCommand {
 public:
  TRemoveMonsterCommand(TMonsterFile& file, int32_t index, TShowMonster show);
  void redo() override { Take(); }
  void undo() override { Put(); }
};

// Moves a record to another place in the list.
class TMoveMonsterCommand : public QUndoCommand {
 public:
  TMoveMonsterCommand(TMonsterFile& file, int32_t from, int32_t to, TShowMonster show);
  void redo() override;
  void undo() override;

 private:
  TMonsterFile& file_;
  int32_t from_, to_;
  TShowMonster show_;
};

}  // namespace kestrilo
