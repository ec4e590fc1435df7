#include "editor/Editor.h"
#include "world/LevelDraft.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdlib>
#include <exception>

#include "editor/EditorTexts.h"
#include "editor/HelpTexts.h"
#include "library/DXImageList.h"
#include "library/DataFileNames.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/DXTimer.h"
#include "platform/DrawingSurface.h"
#include "platform/Errors.h"
#include "platform/Rounding.h"
#include "platform/Translated.h"
#include "sprites/DXSpriteEngine.h"
#include "world/GameContext.h"
#include "world/LevelEdits.h"
#include "world/PlacedObjectFactory.h"
#include "world/PlaneNames.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

namespace {

// Window-system key codes the editor reacts to.
constexpr uint32_t vkDelete = 46;
constexpr uint32_t vkSpace = 32, vkLeft = 37, vkUp = 38, vkRight = 39, vkDown = 40;
constexpr uint32_t vkPause = 19, vkEscape = 27, vkF6 = 117, vkF10 = 121;

}  // namespace

int32_t AutoPlaneOfType(uint8_t Type) {
  switch (static_cast<TObjectType>(Type)) {
    case otBackground:
    case otMonster:
    case otMedKit:
    case otAmmo: return 1;
    case otPlayer: return 4;
    default: return 0;
  }
}

TFieldStates AutoFieldsOfType(uint8_t Type) {
  TFieldStates fields{false, false, false};
  if (Type == otLift) fields.LiftHeight = true;
  if (Type == otKey || Type == otDoor) fields.KeyCode = true;
  if (Type == otBackground || Type == otMonster) fields.ZPlane = true;
  return fields;
}

TEditor::TEditor(TGameContext& Context, TDialogService& Dialogs)
    : Properties(Context,
                 [this](const TLevelDraft& Draft, const QString& Text, const std::string& Result) {
                   std::string refusal;
                   Guarded([&] { refusal = RecordDraft(Draft, Text, Result); });
                   return refusal;
                 }),
      Context(Context),
      Dialogs(Dialogs) {
  // No limit: the saved points are positions on the stack, which a limit would shift.
  UndoStack.setUndoLimit(0);
  hooks_.Report = [this](const std::string& message) { this->Dialogs.ShowMessage(message); };
  hooks_.LevelChanged = [this](int32_t Plane) { LevelChangedOn(Plane); };
  hooks_.LibraryChanged = [this] {
    if (Attachments.LibraryChanged) Attachments.LibraryChanged();
  };
  QObject::connect(&UndoStack, &QUndoStack::indexChanged, [this] {
    autosave_.DocumentChanged(Attachments.Clock ? std::optional<uint64_t>(Attachments.Clock()) : std::nullopt);
    if (Attachments.DocumentChanged) Attachments.DocumentChanged();
  });
}

TEditor::~TEditor() {
  // The stack's own clearing as it goes must not reach the window.
  QObject::disconnect(&UndoStack, nullptr, nullptr, nullptr);
  Attachments.DocumentChanged = nullptr;
  Attachments.LibraryChanged = nullptr;
}

void TEditor::SetResult(const std::string& Text) {
  Document.LastResult = Text;
  if (Attachments.DocumentChanged) Attachments.DocumentChanged();
}

// The overview map keeps showing the plane being edited, whichever plane an
// undo or redo changed.
void TEditor::LevelChangedOn(int32_t /*Plane*/) { RedrawOverview(Context.CurrentPlane); }

void TEditor::ReportLevelCheck() {
  if (Attachments.LevelChecked)
    Attachments.LevelChecked(
        CheckLevel(Context.DesignedLevel(), *Context.ObjectDataBase, Context.MonstersDataBase.get()));
}

void TEditor::Record(TEditCommand* Command) {
  ++commandsRun_;
  Document.BeforePush(*Command);
  UndoStack.push(Command);
}

void TEditor::ClearHistory() {
  Document.BeforeClear();
  UndoStack.clear();
}

void TEditor::Undo() {
  Guarded([&] {
    if (!UndoStack.canUndo()) return;
    const std::string text = UndoStack.undoText().toStdString();
    UndoStack.undo();
    SetResult(EditorTextWith(QT_TRANSLATE_NOOP("TEditor", "Отменено: %1"), text));
  });
}

void TEditor::Redo() {
  Guarded([&] {
    if (!UndoStack.canRedo()) return;
    const std::string text = UndoStack.redoText().toStdString();
    UndoStack.redo();
    SetResult(EditorTextWith(QT_TRANSLATE_NOOP("TEditor", "Повторено: %1"), text));
  });
}

std::string TEditor::StatusText() const {
  std::string level = Document.LevelFile.empty()
                          ? Translated("TEditor", "новый уровень")
                          : QFileInfo(QString::fromStdString(Document.LevelFile)).fileName().toStdString();
  std::string text =
      EditorTextWith(QT_TRANSLATE_NOOP("TEditor", "Уровень: %1"), level) + (Document.LevelModified() ? " *" : "");
  text += "   " + Translated("TEditor", "Библиотека") + (Document.LibraryModified() ? " *" : "");
  if (!Document.LastResult.empty()) text += "   " + Document.LastResult;
  return text;
}

bool TEditor::Guarded(const std::function<void()>& Command) {
  // The frame loop's own tick is not a command.
  if (!frames_.InTick()) ++commandsRun_;
  try {
    Command();
    return true;
  } catch (const std::exception& e) {
    Dialogs.ShowMessage(e.what());
    return false;
  }
}

void TEditor::Require(bool present, const char* what) const {
  if (!present) throw EKestriloError(std::string(what) + " is not ready yet");
}

TSpriteEngine& TEditor::Root() const {
  Require(Context.SpriteEngine != nullptr, "The sprite engine");
  return *Context.SpriteEngine->Engine();
}

std::string TEditor::DataPath(const std::string& FileName) const {
  return (DataFolder.empty() ? Context.ExecutableDir + "Data/" : DataFolder) + FileName;
}

TObjectRecord TEditor::ChosenRecord(const TPlacementInputs& Inputs) const {
  TObjectRecord record = Context.ObjectDataBase->FindByName(Inputs.ObjectName);
  record.LiftHeight = static_cast<int8_t>(Inputs.LiftHeight);
  record.KeyCode = static_cast<uint8_t>(Inputs.KeyCode);
  return record;
}

std::string TEditor::RecordDraft(const TLevelDraft& Draft, const QString& Text, const std::string& Result) {
  TPlaneMask touched = 0;
  for (int32_t plane = 0; plane < TMatrix::kPlaneCount; ++plane)
    if (!Draft.Touched(plane).Empty()) touched |= PlaneBit(plane);
  if (const std::optional<std::string> refusal = RefusalOnLockedPlanes(touched)) return *refusal;
  TLevelEdits edits = TLevelEdits::Of(Context);
  std::string spriteMessage;
  std::vector<TLevelChange> changes = Draft.Commit(edits, &spriteMessage);
  if (!changes.empty()) {
    Record(new TLevelEditCommand(Context, std::move(changes), Text, hooks_));
    SetResult(Result);
  }
  RedrawOverview(Context.CurrentPlane);
  if (!spriteMessage.empty()) Dialogs.ShowMessage(spriteMessage);
  return {};
}

std::optional<std::string> TEditor::RefusalOnLockedPlanes(TPlaneMask Edited) {
  const std::optional<int32_t> locked = Planes.LockedAmong(Edited);
  if (!locked) return std::nullopt;
  std::string text = TPlaneView::RefusalText(*locked);
  SetResult(text);
  return text;
}

// ---- start-up ------------------------------------------------------------

void TEditor::CreateComponents() {
  Context.ObjectPictureList = std::make_unique<TDXImageList>();
  Context.PortalPictureList = std::make_unique<TDXImageList>();
  Context.SpriteEngine = std::make_unique<TDXSpriteEngine>();
  Context.SpriteEngine->Engine()->Context = &Context;
  if (Attachments.DrawArea) {
    Context.ObjectPictureList->SetDXDraw(Attachments.DrawArea);
    Context.PortalPictureList->SetDXDraw(Attachments.DrawArea);
    Context.SpriteEngine->SetDXDraw(Attachments.DrawArea);
  }
  // Doors redraw the overview of the main plane after they have opened.
  Context.RedrawOverview = [this] { RedrawOverview(0); };
}

void TEditor::CreateEmptyLibraryAndLevel() {
  Require(Context.ObjectPictureList != nullptr, "The object picture list");
  Context.ObjectDataBase = std::make_unique<TObjectDataBase>(&Context.ObjectPictureList->Items);
  Context.MonstersDataBase = std::make_unique<TMonstersDataBase>();  // reads its file when objects are opened
  Context.PlayedLevel = std::make_unique<TMatrix>();
  Context.SeparateDesign = std::make_unique<TMatrix>();
  Context.GridSize = 32;
  Context.CurrentPlane = TMatrix::kMainPlane;
  if (Attachments.FrameTimer) Attachments.FrameTimer->SetInterval(kFrameDelayMs);
  Context.Random.Randomize();
}

// ---- objects file and objects ---------------------------------------------

void TEditor::ShowObjectPicture(const std::string& Name, TSidePanelUpdate& Update) {
  QImage picture = Context.ObjectDataBase->ShowPicture(Name);
  if (!picture.isNull()) Update.Picture = picture;
}

void TEditor::AddObject() {
  Guarded([&] {
    Require(Context.ObjectDataBase != nullptr, "The object library");
    if (!Context.ObjectsLoaded &&
        Dialogs.MessageBox(Translated("TEditor", "База данных объектов не загружена! Желаете создать новую ?"),
                           Translated("TEditor", "Внимание!"), TMsgButtons::YesNoCancel) != TModalResult::mrYes)
      return;
    if (!Attachments.NewObjectSource) throw EKestriloError("The new-object dialog is not available");
    Attachments.NewObjectSource->ShowModal(Context.ObjectDataBase->NextFreeNumber());
    const TNewObject entry = Attachments.NewObjectSource->Build(Context.ObjectDataBase->NextFreeNumber());
    TObjectDataBase& library = *Context.ObjectDataBase;
    const size_t before = library.Records.size();
    library.AddObject(entry.Record, entry.PictureFileName, entry.Settings);
    if (library.Records.size() == before) return;  // no picture chosen: nothing added
    TLibraryEntry added = library.EntryAt(library.Records.size() - 1, library.Images->Count() - 1);
    const std::string name = cp1251::ToUtf8(added.Record.Name);
    Record(new TLibraryEntryCommand(library, TLibraryEntryCommand::TKind::Added, std::move(added), hooks_));
    if (Attachments.LibraryChanged) Attachments.LibraryChanged();
    SetResult(EditorTextWith(QT_TRANSLATE_NOOP("TEditor", "Объект добавлен: %1"), name));
  });
}

TSidePanelUpdate TEditor::DeleteObject(const std::string& SelectedName, uint8_t CurrentType) {
  TSidePanelUpdate update;
  Guarded([&] {
    Require(Context.ObjectDataBase != nullptr, "The object library");
    // Only a confirmed Yes deletes: a question closed without an answer keeps the entry.
    if (Dialogs.MessageBox(Translated("TEditor", "Удалить текущий объект ?"),
                           Translated("TEditor", "Подтвердите удаление"), TMsgButtons::YesNo,
                           TModalResult::mrNo) != TModalResult::mrYes)
      return;
    TObjectDeletion deletion = Context.ObjectDataBase->DeleteObject(SelectedName);
    for (const std::string& notice : deletion.Notices) Dialogs.ShowMessage(notice);
    // The list is refilled whatever the deletion came to: an entry whose
    // picture was missing has gone all the same.
    std::vector<std::string> names;
    update.ObjectIndex = Context.ObjectDataBase->FillNameList(CurrentType, names);
    update.ObjectNames = std::move(names);
    if (deletion.Error) std::rethrow_exception(deletion.Error);
    if (deletion.Removed) {
      const std::string name = cp1251::ToUtf8(deletion.Removed->Record.Name);
      Record(new TLibraryEntryCommand(*Context.ObjectDataBase, TLibraryEntryCommand::TKind::Deleted,
                                      std::move(*deletion.Removed), hooks_));
      SetResult(EditorTextWith(QT_TRANSLATE_NOOP("TEditor", "Объект удалён из библиотеки: %1"), name));
    }
  });
  return update;
}

// ---- settings --------------------------------------------------------------

void TEditor::ShowAbout() { Dialogs.ShowMessage(AboutMessage()); }

// ---- side panel ------------------------------------------------------------

TSidePanelUpdate TEditor::ChangeObjectType(uint8_t Type) {
  TSidePanelUpdate update;
  Guarded([&] { ShowObjectsOfType(Type, update); });
  return update;
}

void TEditor::ShowObjectsOfType(uint8_t Type, TSidePanelUpdate& Update) {
  Require(Context.ObjectDataBase != nullptr, "The object library");
  std::vector<std::string> names;
  Update.ObjectIndex = Context.ObjectDataBase->FillNameList(Type, names);
  Update.ObjectNames = names;
  if (Update.ObjectIndex >= 0) ShowObjectPicture(names[Update.ObjectIndex], Update);
  if (!settings_.Ticks.AutoControl) return;
  Update.EnabledFields = AutoFieldsOfType(Type);
  Update.ZPosition = AutoPlaneOfType(Type);
  Context.CurrentPlane = *Update.ZPosition;
  RedrawOverview(Context.CurrentPlane);
}

TSidePanelUpdate TEditor::ObjectList(uint8_t Type) {
  TSidePanelUpdate update;
  Guarded([&] {
    Require(Context.ObjectDataBase != nullptr, "The object library");
    std::vector<std::string> names;
    update.ObjectIndex = Context.ObjectDataBase->FillNameList(Type, names);
    update.ObjectNames = names;
    if (update.ObjectIndex >= 0) ShowObjectPicture(names[update.ObjectIndex], update);
  });
  return update;
}

TSidePanelUpdate TEditor::ChooseObject(const std::string& SelectedName) {
  TSidePanelUpdate update;
  Guarded([&] {
    Require(Context.ObjectDataBase != nullptr, "The object library");
    ShowObjectPicture(SelectedName, update);
  });
  return update;
}

void TEditor::ChangePlane(int32_t Plane) {
  Guarded([&] {
    Context.CurrentPlane = Plane;
    RedrawOverview(Context.CurrentPlane);
  });
}

// ---- mouse and keyboard ----------------------------------------------------

void TEditor::PlaceAt(int32_t X, int32_t Y, const TPlacementInputs& Inputs) {
  Guarded([&] { PlaceChosenObject(X, Y, Inputs); });
}

void TEditor::PlaceChosenObject(int32_t X, int32_t Y, const TPlacementInputs& Inputs) {
  Require(Context.PlayedLevel && Context.ObjectDataBase, "The matrix");
  TSpriteEngine& root = Root();
  const int32_t grid = Context.GridSize;
  if (grid <= 0) return;
  // Snapped down to the grid; truncation toward zero. A zoomed-out view shows
  // more of the level than there is: nothing is placed past its edge.
  const int32_t cellX = (ToViewPixel(X) / grid) * grid;
  const int32_t cellY = (ToViewPixel(Y) / grid) * grid;
  if (ViewDivisor() > 1 &&
      !TMatrix::IsInside(Context.PlayedLevel->ViewColumn(cellX), Context.PlayedLevel->ViewRow(cellY)))
    return;

  const TObjectRecord record = ChosenRecord(Inputs);
  const int32_t plane = Context.CurrentPlane;
  (void)root;
  if (RefusalOnLockedPlanes(PlaneBit(plane))) return;
  TLevelChange change = TLevelEdits::Of(Context).Place(record, cellX, cellY, plane, *Context.ObjectDataBase);
  const std::exception_ptr spriteError = change.SpriteError;
  const std::string name = cp1251::ToUtf8(record.Name);
  if (!change.Empty()) {
    Record(new TLevelEditCommand(
        Context, std::move(change),
        QCoreApplication::translate("TEditor", "размещение «%1»").arg(QString::fromStdString(name)), hooks_));
    SetResult(EditorTextWith(QT_TRANSLATE_NOOP("TEditor", "Объект размещён: %1"), name));
  }
  RedrawOverview(plane);
  if (spriteError) std::rethrow_exception(spriteError);
}

void TEditor::DeleteAt(int32_t X, int32_t Y) {
  Guarded([&] {
    Require(Context.PlayedLevel != nullptr, "The matrix");
    if (RefusalOnLockedPlanes(PlaneBit(Context.CurrentPlane))) return;
    TErasure erasure = TLevelEdits::Of(Context).EraseAt(ToViewPixel(X), ToViewPixel(Y), Context.CurrentPlane);
    for (const std::string& notice : erasure.Notices()) Dialogs.ShowMessage(notice);
    // The status line names the plane that does hold what is under the pointer.
    if (erasure.Outcome == TEraseOutcome::NotOnPlane && erasure.HeldOnPlane >= 0)
      SetResult(EditorTextWith(QT_TRANSLATE_NOOP("TEditor", "Не удалено: здесь объект, стоящий на плане «%1»"),
                               PlaneName(erasure.HeldOnPlane)));
    if (!erasure.Change.Empty()) {
      Record(new TLevelEditCommand(Context, std::move(erasure.Change),
                                   QCoreApplication::translate("TEditor", "удаление объекта с уровня"), hooks_));
      SetResult(Translated("TEditor", "Объект удалён с уровня"));
    }
    RedrawOverview(Context.CurrentPlane);
  });
}

void TEditor::PressKey(uint32_t Key) {
  if (Key == vkEscape) playTesting_.EndTest();
  if (Key == vkF6) playTesting_.RestartTest();
  if (Key == vkPause) playTesting_.TogglePause();
  if (Key == vkF10) playTesting_.StepOnce();
  Guarded([&] {
    Require(Context.PlayedLevel != nullptr, "The matrix");
    TSpriteEngine& root = Root();
    if (Key == vkLeft) Context.PlayedLevel->Scroll(root, TScrollDirection::Left);
    if (Key == vkRight) Context.PlayedLevel->Scroll(root, TScrollDirection::Right);
    if (Key == vkDown) Context.PlayedLevel->Scroll(root, TScrollDirection::Down);
    if (Key == vkUp) Context.PlayedLevel->Scroll(root, TScrollDirection::Up);
    if (Key == vkSpace && Context.PlayerSprite) Context.PlayerSprite->GravityOn = true;
    if (Key == vkDelete && !Selection.Empty() && Context.IsEditing()) regions_.DeleteSelection();
    RedrawOverview(Context.CurrentPlane);
  });
}

void TEditor::ScrollByWheel(int32_t Notches) {
  Guarded([&] {
    if (Notches == 0 || !Context.PlayedLevel) return;
    TSpriteEngine& root = Root();
    const TScrollDirection direction = Notches > 0 ? TScrollDirection::Up : TScrollDirection::Down;
    for (int32_t i = 0; i < std::abs(Notches); ++i) Context.PlayedLevel->Scroll(root, direction);
    RedrawOverview(Context.CurrentPlane);
  });
}

}  // namespace kestrilo
