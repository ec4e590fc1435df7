#include "editor/RegionCommands.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>

#include "editor/Editor.h"
#include "library/ObjectDataBase.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "platform/Translated.h"
#include "world/GameContext.h"
#include "world/LevelDraft.h"
#include "world/LevelEdits.h"
#include "world/ObjectPictures.h"

namespace kestrilo {

TPlaneMask TRegionCommands::SelectionPlanes() const {
  return Editor.Selection.AllPlanes ? kAllPlanes
                                    : PlaneBit(std::clamp<int32_t>(Editor.Context.CurrentPlane, TMatrix::kMainPlane,
                                                                   TMatrix::kBackPlaneCount));
}

void TRegionCommands::CopySelection() {
  Editor.Guarded([&] {
    Editor.Require(Editor.Context.PlayedLevel && Editor.Context.ObjectDataBase, "The matrix");
    if (Editor.Selection.Empty()) return;
    const TMatrix& level = Editor.Context.DesignedLevel();
    Editor.Clipboard = CopyObjects(level, *Editor.Context.ObjectDataBase, Editor.Selection.Region(), SelectionPlanes());
    Editor.SetResult(Translated("TEditor", "Скопировано объектов: ") + std::to_string(Editor.Clipboard.Objects.size()));
  });
}

void TRegionCommands::DeleteSelection() {
  Editor.Guarded([&] {
    Editor.Require(Editor.Context.PlayedLevel && Editor.Context.ObjectDataBase, "The matrix");
    if (Editor.Selection.Empty()) return;
    const TMatrix& level = Editor.Context.DesignedLevel();
    TLevelDraft draft(level);
    EraseObjects(draft, *Editor.Context.ObjectDataBase, Editor.Selection.Region(), SelectionPlanes());
    Editor.RecordDraft(draft, QCoreApplication::translate("TEditor", "удаление выделенного"),
                       Translated("TEditor", "Выделенное удалено"));
  });
}

void TRegionCommands::CutSelection() {
  CopySelection();
  Editor.Guarded([&] {
    if (Editor.Selection.Empty()) return;
    const TMatrix& level = Editor.Context.DesignedLevel();
    TLevelDraft draft(level);
    EraseObjects(draft, *Editor.Context.ObjectDataBase, Editor.Selection.Region(), SelectionPlanes());
    Editor.RecordDraft(draft, QCoreApplication::translate("TEditor", "вырезание выделенного"),
                       Translated("TEditor", "Вырезано объектов: ") + std::to_string(Editor.Clipboard.Objects.size()));
  });
}

void TRegionCommands::PasteAt(int64_t Column, int64_t Row) {
  Editor.Guarded([&] {
    Editor.Require(Editor.Context.PlayedLevel != nullptr, "The matrix");
    if (Editor.Clipboard.Empty()) return;
    const TMatrix& level = Editor.Context.DesignedLevel();
    TLevelDraft draft(level);
    const int32_t written = PasteClip(draft, Editor.Clipboard, Column, Row);
    Editor.RecordDraft(draft, QCoreApplication::translate("TEditor", "вставка"),
                       Translated("TEditor", "Вставлено объектов: ") + std::to_string(written));
  });
}

void TRegionCommands::MoveSelection(int64_t Columns, int64_t Rows) {
  Editor.Guarded([&] {
    Editor.Require(Editor.Context.PlayedLevel && Editor.Context.ObjectDataBase, "The matrix");
    if (Editor.Selection.Empty() || (Columns == 0 && Rows == 0)) return;
    const TMatrix& level = Editor.Context.DesignedLevel();
    const TLevelClip moving =
        CopyObjects(level, *Editor.Context.ObjectDataBase, Editor.Selection.Region(), SelectionPlanes());
    // The objects stop at the level's edges rather than fall off them.
    const TCellRegion& from = Editor.Selection.Region();
    Columns = std::clamp<int64_t>(Columns, -from.FirstColumn, TMatrix::kColumns - from.FirstColumn - moving.Columns);
    Rows = std::clamp<int64_t>(Rows, -from.FirstRow, TMatrix::kRows - from.FirstRow - moving.Rows);
    if (Columns == 0 && Rows == 0) return;
    TLevelDraft draft(level);
    EraseObjects(draft, *Editor.Context.ObjectDataBase, Editor.Selection.Region(), SelectionPlanes());
    PasteClip(draft, moving, Editor.Selection.Region().FirstColumn + Columns,
              Editor.Selection.Region().FirstRow + Rows);
    const std::string refusal =
        Editor.RecordDraft(draft, QCoreApplication::translate("TEditor", "перемещение выделенного"),
                           Translated("TEditor", "Выделенное перемещено"));
    if (refusal.empty()) Editor.Selection.Shift(Columns, Rows);
  });
}

void TRegionCommands::FillSelection(const TPlacementInputs& Inputs) {
  Editor.Guarded([&] {
    Editor.Require(Editor.Context.PlayedLevel && Editor.Context.ObjectDataBase, "The matrix");
    if (Editor.Selection.Empty()) return;
    if (IsNamelessName(Inputs.ObjectName)) return;  // nothing chosen fills nothing
    const TObjectRecord record = Editor.ChosenRecord(Inputs);
    const int32_t plane = Editor.Context.CurrentPlane;
    TMatrixCell cell;
    cell.Kind = static_cast<int8_t>(record.ObjType);
    cell.ObjectNumber = record.Number;
    cell.LiftHeight = record.LiftHeight;
    cell.KeyCode = record.KeyCode;
    // A missing picture is reported before anything changes, as placing does.
    TFootprintSize size;
    if (TMatrix::IsMainPlane(plane)) {
      const TObjectDataBase::TFrameSize frame = Editor.Context.ObjectDataBase->FrameSizeOfNumber(record.Number);
      size = FootprintOfFrame(frame.Width, frame.Height);
    }
    const TMatrix& level = Editor.Context.DesignedLevel();
    TLevelDraft draft(level);
    const int32_t written = ::kestrilo::FillSelection(draft, Editor.Selection.Region(), plane, cell, size);
    const std::string name = cp1251::ToUtf8(record.Name);
    Editor.RecordDraft(draft,
                       QCoreApplication::translate("TEditor", "заполнение «%1»").arg(QString::fromStdString(name)),
                       Translated("TEditor", "Заполнено объектов: ") + std::to_string(written));
  });
}

}  // namespace kestrilo
