#include "editor/Editor.h"
#include "world/LevelDraft.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdlib>
#include <exception>

#include "library/DXImageList.h"
#include "library/DataFileNames.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/DrawingSurface.h"
#include "platform/DXTimer.h"
#include "platform/Errors.h"
#include "platform/Rounding.h"
#include "platform/Translated.h"
#include "editor/HelpTexts.h"
#include "editor/LevelFileChoice.h"
#include "editor/Recorder.h"
#include "editor/RecoveryTexts.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/SpriteEngine.h"
#include "world/DynamicObjectPortal.h"
#include "world/GameContext.h"
#include "world/LevelEdits.h"
#include "world/PlacedObjectFactory.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

namespace {

// A text of the editor with its argument (a file or a name, shown with its
// control characters escaped), through the translation system.
std::string TextWith(const char* text, const std::string& argument) {
  return QCoreApplication::translate("TEditor", text)
      .arg(QString::fromStdString(cp1251::EscapeControls(argument)))
      .toStdString();
}

constexpr int32_t kFrameMoveCount = 16;

// Window-system key codes the editor reacts to.
constexpr uint32_t vkDelete = 46;
constexpr uint32_t vkSpace = 32, vkLeft = 37, vkUp = 38, vkRight = 39, vkDown = 40;
constexpr uint32_t vkPause = 19, vkEscape = 27, vkF6 = 117, vkF10 = 121;

}  // namespace

int32_t AutoPlaneOfType(uint8_t Type) {
  switch (static_cast<TObjectType>(Type)) {
    case otBackground: case otMonster: case otMedKit: case otAmmo: return 1;
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
                   Guarded([&] { RecordDraft(Draft, Text, Result); });
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
    if (!staleSince_ && Attachments.Clock) staleSince_ = Attachments.Clock();
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

void TEditor::LevelChangedOn(int32_t Plane) { RedrawOverview(Plane); }

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
    SetResult(TextWith(QT_TRANSLATE_NOOP("TEditor", "Отменено: %1"), text));
  });
}

void TEditor::Redo() {
  Guarded([&] {
    if (!UndoStack.canRedo()) return;
    const std::string text = UndoStack.redoText().toStdString();
    UndoStack.redo();
    SetResult(TextWith(QT_TRANSLATE_NOOP("TEditor", "Повторено: %1"), text));
  });
}

std::string TEditor::StatusText() const {
  std::string level = Document.LevelFile.empty()
                          ? Translated("TEditor", "новый уровень")
                          : QFileInfo(QString::fromStdString(Document.LevelFile)).fileName().toStdString();
  std::string text = TextWith(QT_TRANSLATE_NOOP("TEditor", "Уровень: %1"), level) + (Document.LevelModified() ? " *" : "");
  text += "   " + Translated("TEditor", "Библиотека") + (Document.LibraryModified() ? " *" : "");
  if (!Document.LastResult.empty()) text += "   " + Document.LastResult;
  return text;
}

bool TEditor::Guarded(const std::function<void()>& Command) {
  if (!inTick_) ++commandsRun_;
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

void TEditor::RedrawOverview(int32_t Plane) {
  ++commandsRun_;
  if (!Attachments.OverviewCanvas || !Context.PlayedLevel || Plane < 0 || Plane > TMatrix::kBackPlaneCount) return;
  // The map frames what the view shows: as many cells, in squares that fit its place.
  const TMatrix& level = *Context.PlayedLevel;
  const TOverviewPlace& place = Viewport.OverviewPlace;
  const TOverviewFrame frame =
      TOverviewFrame::Fit(ColumnsShown(), RowsShown(), level.GetOriginX(), level.GetOriginY(), place);
  if (frame != Viewport.OverviewShown) {
    // The map drawn before may reach further.
    const uint32_t brush = Attachments.OverviewCanvas->BrushColor;
    Attachments.OverviewCanvas->BrushColor = place.Background;
    Attachments.OverviewCanvas->FillRect(Bounds(place.Left, place.Top, place.Width, place.Height));
    Attachments.OverviewCanvas->BrushColor = brush;
    Viewport.OverviewShown = frame;
  }
  level.DrawMiniMap(*Attachments.OverviewCanvas, static_cast<uint8_t>(Plane), place.Left, place.Top, frame.Columns, frame.Rows,
                    frame.Square);
  Attachments.OverviewCanvas->Release();
  if (Attachments.OverviewChanged) Attachments.OverviewChanged();
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

TSidePanelUpdate TEditor::OpenObjectsFile() {
  TSidePanelUpdate update;
  Guarded([&] {
    if (Document.LibraryModified() && !SaveChangesFirst()) return;
    ReadObjectsFile(update, DataPath(kObjectsFileName));
  });
  return update;
}

void TEditor::ReadObjectsFile(TSidePanelUpdate& Update, const std::string& ObjectsPath) {
  Require(Context.ObjectDataBase && Context.MonstersDataBase && Context.PlayedLevel, "The object library");
  TSpriteEngine& root = Root();
  // A missing objects file is told; the command goes on.
  const TLoadOutcome read = Context.ObjectDataBase->LoadFromFile(ObjectsPath);
  if (!read) Dialogs.ShowMessage(read.Message);
  if (read) {
    // The library's history refers to entries that are gone now.
    ClearHistory();
    Document.LibraryOpened = true;
    Document.LibrarySaved();
    // The library's recovery copy stays when it is what was read.
    if (!Recovery.IsLibraryCopy(ObjectsPath)) Recovery.RemoveLibrary();
    SetResult(TextWith(QT_TRANSLATE_NOOP("TEditor", "Файл объектов открыт: %1"), kObjectsFileName));
  }

  const std::string dynamicGraphics = DataPath(kPortalGraphicsFileName);
  if (FileExists(dynamicGraphics)) {
    TPictureCollection& dynamicPictures = Context.PortalPictures();
    dynamicPictures.LoadFromFile(dynamicGraphics);
    // The picture is looked up first so that a failure leaves no half-made portal.
    TPictureCollectionItem* picture = dynamicPictures.Items(0);
    auto* portal = new TDinamicPortal(&root);
    portal->Picture = picture;
    portal->Width = picture->Width();
    portal->Height = picture->Height();
    portal->Visible = false;
    portal->X = 350;
    portal->Y = 200;
  }

  std::vector<std::string> names;
  Update.ObjectIndex = Context.ObjectDataBase->FillNameList(otWall, names);
  Update.ObjectNames = names;
  if (Update.ObjectIndex >= 0) ShowObjectPicture(names[Update.ObjectIndex], Update);

  Context.MonstersDataBase->LoadFromFile(DataPath(kMonstersFileName));
  Context.ObjectsLoaded = true;

  // A missing "Игрок" picture ends the command here, with no player made.
  Context.PlayerSprite = TPlayerSprite::CreateFor(&root, Context.ObjectPictures());
  RedrawOverview(1);
}

void TEditor::SaveObjectsFile() {
  Guarded([&] { SaveObjectsFileNow(); });
}

bool TEditor::SaveObjectsFileNow() {
  Require(Context.ObjectDataBase != nullptr, "The object library");
  // Without an opened objects file the library holds only what was added in
  // this run, if anything; an empty one would wipe the designer's files.
  if (!Document.LibraryOpened && Context.ObjectDataBase->Records.empty()) {
    Dialogs.ShowMessage(Translated("TEditor",
                                   "Файл объектов не был открыт, и библиотека пуста: сохранять нечего. "
                                   "Откройте файл объектов (Объект → Открыть файл объектов)."));
    return false;
  }
  const std::string path = DataPath(kObjectsFileName);
  if (!MayReplace(path, QT_TRANSLATE_NOOP("TEditor", "Файл существет! Перезаписать ?"),
                  QT_TRANSLATE_NOOP("TEditor", "File Exists!")))
    return false;
  Context.ObjectDataBase->SaveToFile(path);
  Document.LibrarySaved();
  Recovery.RemoveLibrary();
  SetResult(TextWith(QT_TRANSLATE_NOOP("TEditor", "Файл объектов сохранён: %1"), kObjectsFileName));
  return true;
}

void TEditor::AddObject() {
  Guarded([&] {
    Require(Context.ObjectDataBase != nullptr, "The object library");
    if (!Context.ObjectsLoaded &&
        Dialogs.MessageBox(Translated("TEditor", "База данных объектов не загружена! Желаете создать новую ?"), Translated("TEditor", "Внимание!"),
                           TMsgButtons::YesNoCancel) != TModalResult::mrYes)
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
    SetResult(TextWith(QT_TRANSLATE_NOOP("TEditor", "Объект добавлен: %1"), name));
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
      SetResult(TextWith(QT_TRANSLATE_NOOP("TEditor", "Объект удалён из библиотеки: %1"), name));
    }
  });
  return update;
}

// ---- matrix files ----------------------------------------------------------

TFileDialogRequest TEditor::LevelDialog(const char* filter) const {
  TFileDialogRequest request;
  request.InitialDir = Context.ExecutableDir;
  request.Filter = Translated("TEditor", filter);
  request.DefaultExt = "*.mtf";
  return request;
}

bool TEditor::SaveLevel() {
  // A level with a file of its own goes back there, with no dialog and no question.
  return SaveLevelTo([&] { return OwnLevelFileOrAsk(); });
}

std::optional<std::string> TEditor::OwnLevelFileOrAsk() {
  if (!Document.LevelFile.empty()) return Document.LevelFile;
  return AskLevelFileToWrite(Dialogs, LevelSaveRequest(Context.ExecutableDir, {}));
}

bool TEditor::SaveLevelAs() {
  return SaveLevelTo([&] { return AskLevelFileToWrite(Dialogs, LevelSaveRequest(Context.ExecutableDir, Document.LevelFile)); });
}

bool TEditor::SaveLevelTo(const std::function<std::optional<std::string>()>& ChooseFile) {
  bool saved = false;
  Guarded([&] {
    Require(Context.PlayedLevel != nullptr, "The matrix");
    const auto file = ChooseFile();
    if (!file) return;
    if (LevelNamesUnsavedEntries()) {
      const TModalResult answer = Dialogs.MessageBox(
          Translated("TEditor", "Уровень использует объекты, которых ещё нет в сохранённой библиотеке. "
                                "Сохранить и библиотеку ?"),
          Translated("TEditor", "Несохранённые объекты"), TMsgButtons::YesNoCancel, TModalResult::mrYes);
      if (answer != TModalResult::mrYes && answer != TModalResult::mrNo) return;
      // The library first: a level whose library could not be saved is not
      // written to name what the objects file lacks.
      if (answer == TModalResult::mrYes && !SaveObjectsFileNow()) return;
    }
    WriteLevelTo(*file);
    saved = true;
  });
  return saved;
}

void TEditor::NewLevel() {
  Guarded([&] {
    Require(Context.PlayedLevel != nullptr, "The matrix");
    if (Document.LevelModified() && !SaveChangesFirst()) return;
    PutLevelInPlace(*std::make_unique<TMatrix>());  // a level is large for the stack
    Document.LevelFile.clear();
    Document.LevelSaved();
    Recovery.RemoveLevel();
    RedrawOverview(Context.CurrentPlane);
    SetResult(Translated("TEditor", "Новый уровень"));
  });
}

bool TEditor::LevelNamesUnsavedEntries() const {
  // An unchanged library is what its objects file holds.
  if (!Document.LibraryModified() || !Context.ObjectDataBase) return false;
  const std::string objects = DataPath(kObjectsFileName);
  std::vector<TObjectRecord> saved;
  try {
    if (FileExists(objects)) saved = TObjectDataBase::RecordsFromBytes(ReadWholeFile(objects));
  } catch (const EFOpenError&) {
    // An objects file that cannot be read holds nothing the level may name.
  }
  return !UnsavedEntriesInUse(Context.DesignedLevel(), Context.ObjectDataBase->Records, saved).empty();
}

bool TEditor::MayReplace(const std::string& Path, const char* Question, const char* Caption) {
  return !FileExists(Path) || Dialogs.MessageBox(Translated("TEditor", Question), Translated("TEditor", Caption),
                                                 TMsgButtons::YesNo, TModalResult::mrNo) == TModalResult::mrYes;
}

void TEditor::WriteLevelTo(const std::string& Path) {
  Context.DesignedLevel().SaveToFile(Path);
  Document.LevelFile = Path;
  Document.LevelSaved();
  Recovery.RemoveLevel();
  if (Attachments.LevelFileUsed) Attachments.LevelFileUsed(Path);
  SetResult(TextWith(QT_TRANSLATE_NOOP("TEditor", "Уровень сохранён: %1"), Path));
}

void TEditor::LoadLevel() {
  Guarded([&] { ReadLevel([&] { return Dialogs.OpenFile(LevelDialog(QT_TRANSLATE_NOOP("TEditor", "Файлы матрицы Kestrilo (*.mtf)|*.mtf"))); }); });
}

void TEditor::LoadLevelFrom(const std::string& Path) {
  Guarded([&] { ReadLevel([&] { return std::optional<std::string>(Path); }); });
}

void TEditor::ReadLevel(const std::function<std::optional<std::string>()>& ChooseFile) {
  if (!Context.ObjectsLoaded) {
    Dialogs.ShowMessage(Translated("TEditor", "Файл объектов загружен не был... Невозможно загрузить матрицу!"));
    return;
  }
  Require(Context.PlayedLevel && Context.ObjectDataBase, "The matrix");
  if (Document.LevelModified() && !SaveChangesFirst()) return;
  const auto file = ChooseFile();
  if (!file) return;  // nothing changes
  ReadLevelFile(*file);
}

void TEditor::ReadLevelFile(const std::string& Path) {
  // Read into a level of its own: the current level, its sprites and the
  // camera stay as they are until both files have been read and checked.
  auto loaded = std::make_unique<TMatrix>();
  if (Attachments.LoadingWindow) Attachments.LoadingWindow->ShowAndPaint();
  TLoadOutcome read;
  try {
    read = loaded->LoadFromFile(Path, Attachments.LoadingWindow ? Attachments.LoadingWindow->MainBar() : nullptr,
                                Attachments.LoadingWindow ? Attachments.LoadingWindow->PlanesBar() : nullptr);
  } catch (...) {
    // The loading window goes first, so that it never stands over the level.
    if (Attachments.LoadingWindow) Attachments.LoadingWindow->Close();
    throw;
  }
  // A missing file is told while the loading window is still up.
  if (!read) Dialogs.ShowMessage(read.Message);
  if (Attachments.LoadingWindow) Attachments.LoadingWindow->Close();
  if (!read) return;

  PutLevelInPlace(*loaded);
  Document.LevelFile = Path;
  Document.LevelSaved();
  Recovery.RemoveLevel();
  RedrawOverview(Context.CurrentPlane);
  if (Attachments.LevelFileUsed) Attachments.LevelFileUsed(Path);
  SetResult(TextWith(QT_TRANSLATE_NOOP("TEditor", "Уровень загружен: %1"), Path));
  if (Attachments.LevelChecked) Attachments.LevelChecked(CheckLevel(Context.DesignedLevel(), *Context.ObjectDataBase, Context.MonstersDataBase.get()));
}

void TEditor::PutLevelInPlace(const TMatrix& Level) {
  TSpriteEngine& root = Root();
  if (!Context.SeparateDesign) Context.SeparateDesign = std::make_unique<TMatrix>();
  *Context.SeparateDesign = Level;
  // The camera and the view go back to the level's start.
  root.X = 0;
  root.Y = 0;
  Context.PlayedLevel->SetOrigin(0, 0);
  TLevelEdits::Of(Context).RebuildWorld();
  ClearHistory();
}

bool TEditor::SaveChangesFirst() {
  const bool level = Document.LevelModified();
  const bool library = Document.LibraryModified();
  if (!level && !library) return true;
  const char* question =
      level && library ? QT_TRANSLATE_NOOP("TEditor", "Есть несохранённые изменения в уровне и в библиотеке объектов. Сохранить их ?")
      : level          ? QT_TRANSLATE_NOOP("TEditor", "Есть несохранённые изменения в уровне. Сохранить их ?")
                       : QT_TRANSLATE_NOOP("TEditor", "Есть несохранённые изменения в библиотеке объектов. Сохранить их ?");
  const TModalResult answer =
      Dialogs.MessageBox(Translated("TEditor", question), Translated("TEditor", "Несохранённые изменения"),
                         TMsgButtons::YesNoCancel, TModalResult::mrYes);
  if (answer == TModalResult::mrNo) return true;
  if (answer != TModalResult::mrYes) return false;
  // The level goes to its own file when it has one, as Save does.
  std::optional<std::string> levelFile;
  if (level) {
    levelFile = OwnLevelFileOrAsk();
    if (!levelFile) return false;
  }
  // The library before the level, so that the level never names entries its
  // objects file lacks; Да saves both, so nothing more is asked about it.
  if (library && !SaveObjectsFileNow()) return false;
  if (level) WriteLevelTo(*levelFile);
  return true;
}

bool TEditor::CloseRequested() {
  if (!exitAgreed_) {
    bool mayClose = false;
    if (!Guarded([&] { mayClose = SaveChangesFirst(); }) || !mayClose) return false;
    exitAgreed_ = true;
  }
  // Only now is the run over: until the window really closes, a crash must
  // still find the marker and the copies.
  EndCleanly();
  return true;
}

bool TEditor::RequestExit() {
  bool confirmed = false;
  Guarded([&] {
    // With unsaved work the question is whether to save it; without, whether to leave.
    if (Document.LevelModified() || Document.LibraryModified()) confirmed = SaveChangesFirst();
    else
      confirmed = Dialogs.MessageBox(Translated("TEditor", "Правда выйти ?"),
                                     Translated("TEditor", "Подтвердите выход!"), TMsgButtons::YesNo) ==
                  TModalResult::mrYes;
    if (!confirmed) return;
    // The end closes the window, whose close then takes this answer as its own.
    exitAgreed_ = true;
    if (Attachments.Terminate) Attachments.Terminate();
  });
  return confirmed;
}

void TEditor::EndCleanly() { Recovery.EndRun(); }

void TEditor::AutosaveIfDue() {
  if (!Recovery.Enabled() || !Attachments.Clock || !staleSince_) return;
  constexpr uint64_t kAutosaveAfterMs = 30'000;
  if (Attachments.Clock() - *staleSince_ < kAutosaveAfterMs) return;
  AutosaveNow();
}

void TEditor::AutosaveNow() {
  if (!Recovery.Enabled()) return;
  Guarded([&] {
    // Cleared first: a failing write is not retried at every frame.
    staleSince_.reset();
    // The library first: stopped between the two, the autosave leaves the
    // earlier level copy beside the new library, which still holds every
    // object that level names unless one was deleted since, rather than a
    // level naming objects its library's copy lacks.
    if (Document.LibraryModified() && Context.ObjectDataBase) Recovery.WriteLibrary(*Context.ObjectDataBase);
    if (Document.LevelModified() && Context.PlayedLevel) {
      const TMatrix& designed = Context.DesignedLevel();
      Recovery.WriteLevel(designed, Document.LevelFile);
    }
  });
}

void TEditor::OfferRecovery() {
  Guarded([&] {
    if (!Recovery.StartRun()) return;
    const TRecovery::TFound found = Recovery.Find();
    // A copy that cannot be read is told once and moved aside, so that it is
    // neither lost nor offered again at every start.
    for (const TRecovery::TDamaged& damaged : found.Damaged) {
      std::string told;
      try {
        told = DamagedCopyMessage(damaged, Recovery.SetAside(damaged.Copy));
      } catch (const EKestriloError& e) {
        told = UnmovedDamagedCopyMessage(damaged, e.what());
      }
      Dialogs.ShowMessage(told);
    }
    if (!found.Any()) return;
    const TModalResult answer = Dialogs.MessageBox(RecoveryQuestion(found), Translated("TEditor", "Восстановление"),
                                                   TMsgButtons::YesNo, TModalResult::mrYes);
    if (answer != TModalResult::mrYes) {
      Recovery.RemoveLevel();
      Recovery.RemoveLibrary();
      return;
    }
    // The copies stay as they are until the designer's own files hold what
    // they hold: restoring them writes and removes nothing.
    TSidePanelUpdate ignored;
    // The library first: the level's objects are looked up in it.
    ReadObjectsFile(ignored, found.LibraryCopy.empty() ? DataPath(kObjectsFileName) : found.LibraryCopy);
    if (!found.LibraryCopy.empty()) Document.LibraryMarkedUnsaved();
    if (Attachments.LibraryChanged) Attachments.LibraryChanged();  // the object list shows the restored library
    if (found.Level) {
      PutLevelInPlace(*found.Level);
      Document.LevelFile = found.LevelFile;
      Document.LevelMarkedUnsaved();
      RedrawOverview(Context.CurrentPlane);
      if (Attachments.LevelChecked) Attachments.LevelChecked(CheckLevel(Context.DesignedLevel(), *Context.ObjectDataBase, Context.MonstersDataBase.get()));
    }
    SetResult(Translated("TEditor", "Несохранённые изменения восстановлены"));
  });
}

// ---- settings --------------------------------------------------------------

void TEditor::ShowAbout() {
  Dialogs.ShowMessage(AboutMessage());
}

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
  if (ViewDivisor() > 1 && !TMatrix::IsInside(Context.PlayedLevel->ViewColumn(cellX), Context.PlayedLevel->ViewRow(cellY)))
    return;

  const TObjectRecord record = ChosenRecord(Inputs);
  const int32_t plane = Context.CurrentPlane;
  (void)root;
  TLevelChange change = TLevelEdits::Of(Context).Place(record, cellX, cellY, plane, *Context.ObjectDataBase);
  const std::exception_ptr spriteError = change.SpriteError;
  const std::string name = cp1251::ToUtf8(record.Name);
  if (!change.Empty()) {
    Record(new TLevelEditCommand(Context, std::move(change),
                                 QCoreApplication::translate("TEditor", "размещение «%1»").arg(QString::fromStdString(name)),
                                 hooks_));
    SetResult(TextWith(QT_TRANSLATE_NOOP("TEditor", "Объект размещён: %1"), name));
  }
  RedrawOverview(plane);
  if (spriteError) std::rethrow_exception(spriteError);
}

void TEditor::DeleteAt(int32_t X, int32_t Y) {
  Guarded([&] {
    Require(Context.PlayedLevel != nullptr, "The matrix");
    TErasure erasure = TLevelEdits::Of(Context).EraseAt(ToViewPixel(X), ToViewPixel(Y), Context.CurrentPlane);
    for (const std::string& notice : erasure.Notices()) Dialogs.ShowMessage(notice);
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
    if (Key == vkDelete && !Selection.Empty() && Context.IsEditing()) DeleteSelection();
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

// ---- frame -----------------------------------------------------------------

void TEditor::FrameStep() {
  // An error message shown from a tick runs its own event loop, in which the
  // timer would tick again; those ticks are skipped until the message is gone.
  if (inTick_) return;
  inTick_ = true;
  struct TReset { bool& flag; ~TReset() { flag = false; } } reset{inTick_};
  Guarded([&] {
    if (!Attachments.DrawArea || !Attachments.DrawArea->ReadyToDraw()) {
      if (Attachments.Terminate) Attachments.Terminate();
      return;
    }
    // The back buffer follows the drawing area while editing and is the
    // game's own view while previewing; the overview frames what is shown.
    if (const std::optional<TBufferSize> size = Viewport.BufferSize(Context.IsEditing());
        size && (size->Width != Attachments.DrawArea->Width() || size->Height != Attachments.DrawArea->Height())) {
      Attachments.DrawArea->Resize(size->Width, size->Height);
      RedrawOverview(Context.CurrentPlane);
      frameChanges_.Forget();
    }
    Context.Keyboard.UpdateInput();
    // While paused the frame is drawn but nothing moves, and nothing is recorded.
    if (playTesting_.TakeTick()) {
      if (Attachments.Recorder) Attachments.Recorder->RecordTick(Context.Keyboard, Context.EditMode);
      if (Context.SpriteEngine) {
        Context.SpriteEngine->Move(kFrameMoveCount);
        Context.SpriteEngine->RemoveDead();
      }
    }
    const TFrameContent next = NextFrameContent();
    if (frameChanges_.NeedsDrawing(next)) {
      DrawFrame(next);
      frameChanges_.Presented(next);
      frameChanges_.CountDrawn();
    } else {
      frameChanges_.CountSkipped();
    }
    AutosaveIfDue();
  });
}

TFrameContent TEditor::NextFrameContent() const {
  TFrameContent frame;
  frame.Width = Attachments.DrawArea->Width();
  frame.Height = Attachments.DrawArea->Height();
  frame.Divisor = ViewDivisor();
  frame.Editing = Context.IsEditing();
  if (Context.SpriteEngine) {
    TSpriteEngine& root = *Context.SpriteEngine->Engine();
    // The zoomed-out view draws a view as many times larger as the zoom divides.
    frame.World = root.DrawnStateKey({0, 0, frame.Width * frame.Divisor, frame.Height * frame.Divisor});
  }
  // Zoomed out, the grid shrinks with the view; finer than 16 pixels it
  // would hide the level, and is left out.
  const bool zoomed = frame.Divisor > 1;
  const int32_t gridPixels = zoomed ? Context.GridSize / frame.Divisor : Context.GridSize;
  frame.ShowGrid = !(zoomed && gridPixels < 16) && Context.GridVisible;
  frame.CellSize = static_cast<uint8_t>(gridPixels & 0xFF);
  frame.Status = OverlayStatus();
  frame.Marks = EditMarksKey();
  frame.Commands = commandsRun_;
  return frame;
}

void TEditor::DrawFrame(const TFrameContent& Frame) {
  Attachments.DrawArea->FillBackBuffer(kFrameBackgroundPixel);
  if (Frame.Divisor > 1) DrawZoomedWorld();
  else if (Context.SpriteEngine) Context.SpriteEngine->Draw();
  overlay_.Draw(Attachments.DrawArea->BackBufferCanvas(), Frame.ShowGrid, true, Frame.CellSize, Frame.Status);
  Attachments.DrawArea->ReleaseCanvas();
  // Over the grid, so that the outlines are not hidden by its lines.
  DrawEditMarks();
  Attachments.DrawArea->Present();
}

TOverlayStatus TEditor::OverlayStatus() const {
  TOverlayStatus status;
  status.FramesPerSecond = Attachments.FrameTimer ? Attachments.FrameTimer->FramesPerSecond() : 0;
  status.SpriteCount = Context.SpriteEngine ? Context.SpriteEngine->Engine()->SpriteCount : 0;
  status.CursorX = Attachments.CursorX ? Attachments.CursorX() : 0;
  status.DrawAreaLeft = Attachments.DrawAreaLeft;
  status.Paused = playTesting_.PlayTest().Paused();
  return status;
}

void TEditor::DrawOverlay(bool ShowGrid, bool ShowText, uint8_t CellSize) {
  if (!Attachments.DrawArea) return;
  overlay_.Draw(Attachments.DrawArea->BackBufferCanvas(), ShowGrid, ShowText, CellSize, OverlayStatus());
  Attachments.DrawArea->ReleaseCanvas();
}

}  // namespace kestrilo
