#include "editor/EditorFiles.h"

#include <QCoreApplication>
#include <memory>
#include <vector>

#include "editor/Editor.h"
#include "editor/EditorTexts.h"
#include "editor/LevelFileChoice.h"
#include "library/DataFileNames.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"
#include "platform/Translated.h"
#include "sprites/DXSpriteEngine.h"
#include "world/DynamicObjectPortal.h"
#include "world/GameContext.h"
#include "world/LevelCheck.h"
#include "world/LevelEdits.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

TSidePanelUpdate TEditorFiles::OpenObjectsFile() {
  TSidePanelUpdate update;
  Editor.Guarded([&] {
    if (Editor.Document.LibraryModified() && !SaveChangesFirst()) return;
    ReadObjectsFile(update, Editor.DataPath(kObjectsFileName));
  });
  return update;
}

void TEditorFiles::ReadObjectsFile(TSidePanelUpdate& Update, const std::string& ObjectsPath) {
  Editor.Require(Editor.Context.ObjectDataBase && Editor.Context.MonstersDataBase && Editor.Context.PlayedLevel,
                 "The object library");
  TSpriteEngine& root = Editor.Root();
  // A missing objects file is told; the command goes on.
  const TLoadOutcome read = Editor.Context.ObjectDataBase->LoadFromFile(ObjectsPath);
  if (!read) Editor.Dialogs.ShowMessage(read.Message);
  if (read) {
    // The library's history refers to entries that are gone now.
    Editor.ClearHistory();
    Editor.Document.LibraryOpened = true;
    Editor.Document.LibrarySaved();
    // The library's recovery copy stays when it is what was read.
    if (!Editor.Autosave().Recovery.IsLibraryCopy(ObjectsPath)) Editor.Autosave().Recovery.RemoveLibrary();
    Editor.SetResult(EditorTextWith(QT_TRANSLATE_NOOP("TEditor", "Файл объектов открыт: %1"), kObjectsFileName));
  }

  const std::string dynamicGraphics = Editor.DataPath(kPortalGraphicsFileName);
  if (FileExists(dynamicGraphics)) {
    TPictureCollection& dynamicPictures = Editor.Context.PortalPictures();
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
  Update.ObjectIndex = Editor.Context.ObjectDataBase->FillNameList(otWall, names);
  Update.ObjectNames = names;
  if (Update.ObjectIndex >= 0) Editor.ShowObjectPicture(names[Update.ObjectIndex], Update);

  Editor.Context.MonstersDataBase->LoadFromFile(Editor.DataPath(kMonstersFileName));
  Editor.Context.ObjectsLoaded = true;

  // A missing "Игрок" picture ends the command here, with no player made.
  Editor.Context.PlayerSprite = TPlayerSprite::CreateFor(&root, Editor.Context.ObjectPictures());
  Editor.RedrawOverview(1);
}

void TEditorFiles::SaveObjectsFile() {
  Editor.Guarded([&] { SaveObjectsFileNow(); });
}

bool TEditorFiles::SaveObjectsFileNow() {
  Editor.Require(Editor.Context.ObjectDataBase != nullptr, "The object library");
  // Without an opened objects file the library holds only what was added in
  // this run, if anything; an empty one would wipe the designer's files.
  if (!Editor.Document.LibraryOpened && Editor.Context.ObjectDataBase->Records.empty()) {
    Editor.Dialogs.ShowMessage(Translated("TEditor",
                                          "Файл объектов не был открыт, и библиотека пуста: сохранять нечего. "
                                          "Откройте файл объектов (Объект → Открыть файл объектов)."));
    return false;
  }
  const std::string path = Editor.DataPath(kObjectsFileName);
  if (!MayReplace(path, QT_TRANSLATE_NOOP("TEditor", "Файл существет! Перезаписать ?"),
                  QT_TRANSLATE_NOOP("TEditor", "File Exists!")))
    return false;
  Editor.Context.ObjectDataBase->SaveToFile(path);
  Editor.Document.LibrarySaved();
  Editor.Autosave().Recovery.RemoveLibrary();
  Editor.SetResult(EditorTextWith(QT_TRANSLATE_NOOP("TEditor", "Файл объектов сохранён: %1"), kObjectsFileName));
  return true;
}

TFileDialogRequest TEditorFiles::LevelDialog(const char* filter) const {
  TFileDialogRequest request;
  request.InitialDir = Editor.Context.ExecutableDir;
  request.Filter = Translated("TEditor", filter);
  request.DefaultExt = "*.mtf";
  return request;
}

bool TEditorFiles::SaveLevel() {
  // A level with a file of its own goes back there, with no dialog and no question.
  return SaveLevelTo([&] { return OwnLevelFileOrAsk(); });
}

std::optional<std::string> TEditorFiles::OwnLevelFileOrAsk() {
  if (!Editor.Document.LevelFile.empty()) return Editor.Document.LevelFile;
  return AskLevelFileToWrite(Editor.Dialogs, LevelSaveRequest(Editor.Context.ExecutableDir, {}));
}

bool TEditorFiles::SaveLevelAs() {
  return SaveLevelTo([&] {
    return AskLevelFileToWrite(Editor.Dialogs,
                               LevelSaveRequest(Editor.Context.ExecutableDir, Editor.Document.LevelFile));
  });
}

bool TEditorFiles::SaveLevelTo(const std::function<std::optional<std::string>()>& ChooseFile) {
  bool saved = false;
  Editor.Guarded([&] {
    Editor.Require(Editor.Context.PlayedLevel != nullptr, "The matrix");
    const auto file = ChooseFile();
    if (!file) return;
    if (LevelNamesUnsavedEntries()) {
      const TModalResult answer = Editor.Dialogs.MessageBox(
          Translated("TEditor",
                     "Уровень использует объекты, которых ещё нет в сохранённой библиотеке. "
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

void TEditorFiles::NewLevel() {
  Editor.Guarded([&] {
    Editor.Require(Editor.Context.PlayedLevel != nullptr, "The matrix");
    if (Editor.Document.LevelModified() && !SaveChangesFirst()) return;
    PutLevelInPlace(*std::make_unique<TMatrix>());  // a level is large for the stack
    Editor.Document.LevelFile.clear();
    Editor.Document.LevelSaved();
    Editor.Autosave().Recovery.RemoveLevel();
    Editor.RedrawOverview(Editor.Context.CurrentPlane);
    Editor.SetResult(Translated("TEditor", "Новый уровень"));
  });
}

bool TEditorFiles::LevelNamesUnsavedEntries() const {
  // An unchanged library is what its objects file holds.
  if (!Editor.Document.LibraryModified() || !Editor.Context.ObjectDataBase) return false;
  const std::string objects = Editor.DataPath(kObjectsFileName);
  std::vector<TObjectRecord> saved;
  try {
    if (FileExists(objects)) saved = TObjectDataBase::RecordsFromBytes(ReadWholeFile(objects));
  } catch (const EFOpenError&) {
    // An objects file that cannot be read holds nothing the level may name.
  }
  return !UnsavedEntriesInUse(Editor.Context.DesignedLevel(), Editor.Context.ObjectDataBase->Records, saved).empty();
}

bool TEditorFiles::MayReplace(const std::string& Path, const char* Question, const char* Caption) {
  return !FileExists(Path) || Editor.Dialogs.MessageBox(Translated("TEditor", Question), Translated("TEditor", Caption),
                                                        TMsgButtons::YesNo, TModalResult::mrNo) == TModalResult::mrYes;
}

void TEditorFiles::WriteLevelTo(const std::string& Path) {
  Editor.Context.DesignedLevel().SaveToFile(Path);
  Editor.Document.LevelFile = Path;
  Editor.Document.LevelSaved();
  Editor.Autosave().Recovery.RemoveLevel();
  if (Editor.Attachments.LevelFileUsed) Editor.Attachments.LevelFileUsed(Path);
  Editor.SetResult(EditorTextWith(QT_TRANSLATE_NOOP("TEditor", "Уровень сохранён: %1"), Path));
}

void TEditorFiles::LoadLevel() {
  Editor.Guarded([&] {
    ReadLevel([&] {
      return Editor.Dialogs.OpenFile(LevelDialog(QT_TRANSLATE_NOOP("TEditor", "Файлы матрицы Kestrilo (*.mtf)|*.mtf")));
    });
  });
}

void TEditorFiles::LoadLevelFrom(const std::string& Path) {
  Editor.Guarded([&] { ReadLevel([&] { return std::optional<std::string>(Path); }); });
}

void TEditorFiles::ReadLevel(const std::function<std::optional<std::string>()>& ChooseFile) {
  if (!Editor.Context.ObjectsLoaded) {
    Editor.Dialogs.ShowMessage(Translated("TEditor", "Файл объектов загружен не был... Невозможно загрузить матрицу!"));
    return;
  }
  Editor.Require(Editor.Context.PlayedLevel && Editor.Context.ObjectDataBase, "The matrix");
  if (Editor.Document.LevelModified() && !SaveChangesFirst()) return;
  const auto file = ChooseFile();
  if (!file) return;  // nothing changes
  ReadLevelFile(*file);
}

void TEditorFiles::ReadLevelFile(const std::string& Path) {
  // Read into a level of its own: the current level, its sprites and the
  // camera stay as they are until both files have been read and checked.
  auto loaded = std::make_unique<TMatrix>();
  if (Editor.Attachments.LoadingWindow) Editor.Attachments.LoadingWindow->ShowAndPaint();
  TLoadOutcome read;
  try {
    read = loaded->LoadFromFile(
        Path, Editor.Attachments.LoadingWindow ? Editor.Attachments.LoadingWindow->MainBar() : nullptr,
        Editor.Attachments.LoadingWindow ? Editor.Attachments.LoadingWindow->PlanesBar() : nullptr);
  } catch (...) {
    // The loading window goes first, so that it never stands over the level.
    if (Editor.Attachments.LoadingWindow) Editor.Attachments.LoadingWindow->Close();
    throw;
  }
  // A missing file is told while the loading window is still up.
  if (!read) Editor.Dialogs.ShowMessage(read.Message);
  if (Editor.Attachments.LoadingWindow) Editor.Attachments.LoadingWindow->Close();
  if (!read) return;

  PutLevelInPlace(*loaded);
  Editor.Document.LevelFile = Path;
  Editor.Document.LevelSaved();
  Editor.Autosave().Recovery.RemoveLevel();
  Editor.RedrawOverview(Editor.Context.CurrentPlane);
  if (Editor.Attachments.LevelFileUsed) Editor.Attachments.LevelFileUsed(Path);
  Editor.SetResult(EditorTextWith(QT_TRANSLATE_NOOP("TEditor", "Уровень загружен: %1"), Path));
  Editor.ReportLevelCheck();
}

void TEditorFiles::PutLevelInPlace(const TMatrix& Level) {
  TSpriteEngine& root = Editor.Root();
  if (!Editor.Context.SeparateDesign) Editor.Context.SeparateDesign = std::make_unique<TMatrix>();
  *Editor.Context.SeparateDesign = Level;
  // The camera and the view go back to the level's start.
  root.X = 0;
  root.Y = 0;
  Editor.Context.PlayedLevel->SetOrigin(0, 0);
  TLevelEdits::Of(Editor.Context).RebuildWorld();
  Editor.ClearHistory();
}

bool TEditorFiles::SaveChangesFirst() {
  const bool level = Editor.Document.LevelModified();
  const bool library = Editor.Document.LibraryModified();
  if (!level && !library) return true;
  const char* question =
      level && library ? QT_TRANSLATE_NOOP(
                             "TEditor", "Есть несохранённые изменения в уровне и в библиотеке объектов. Сохранить их ?")
      : level ? QT_TRANSLATE_NOOP("TEditor", "Есть несохранённые изменения в уровне. Сохранить их ?")
              : QT_TRANSLATE_NOOP("TEditor", "Есть несохранённые изменения в библиотеке объектов. Сохранить их ?");
  const TModalResult answer =
      Editor.Dialogs.MessageBox(Translated("TEditor", question), Translated("TEditor", "Несохранённые изменения"),
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

bool TEditorFiles::CloseRequested() {
  if (!exitAgreed_) {
    bool mayClose = false;
    if (!Editor.Guarded([&] { mayClose = SaveChangesFirst(); }) || !mayClose) return false;
    exitAgreed_ = true;
  }
  // Only now is the run over: until the window really closes, a crash must
  // still find the marker and the copies.
  Editor.Autosave().EndCleanly();
  return true;
}

bool TEditorFiles::RequestExit() {
  bool confirmed = false;
  Editor.Guarded([&] {
    // With unsaved work the question is whether to save it; without, whether to leave.
    if (Editor.Document.LevelModified() || Editor.Document.LibraryModified())
      confirmed = SaveChangesFirst();
    else
      confirmed = Editor.Dialogs.MessageBox(Translated("TEditor", "Правда выйти ?"),
                                            Translated("TEditor", "Подтвердите выход!"),
                                            TMsgButtons::YesNo) == TModalResult::mrYes;
    if (!confirmed) return;
    // The end closes the window, whose close then takes this answer as its own.
    exitAgreed_ = true;
    if (Editor.Attachments.Terminate) Editor.Attachments.Terminate();
  });
  return confirmed;
}

}  // namespace kestrilo
