#include "shell/Editor.h"

#include <algorithm>
#include <cstdlib>

#include "library/DXImageList.h"
#include "library/DataFileNames.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"
#include "platform/DXDraw.h"
#include "platform/DXTimer.h"
#include "platform/Errors.h"
#include "platform/Rounding.h"
#include "platform/Translated.h"
#include "shell/HelpTexts.h"
#include "shell/Recorder.h"
#include "sprites/DXSpriteEngine.h"
#include "world/DynamicObjectPortal.h"
#include "world/GameContext.h"
#include "world/LevelEdits.h"
#include "world/PlacedObjectFactory.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

namespace {

constexpr int32_t kFrameMoveCount = 16;
constexpr int32_t kFrameDelayMs = 14;

// Window-system key codes the editor reacts to.
constexpr uint32_t vkSpace = 32, vkLeft = 37, vkUp = 38, vkRight = 39, vkDown = 40;

}  // namespace

int32_t AutoPlaneOfType(uint8_t Type) {
  switch (Type) {
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

TEditor::TEditor(TGameContext& Context, TDialogService& Dialogs) : Context(Context), Dialogs(Dialogs) {}

bool TEditor::Guarded(const std::function<void()>& Command) {
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
  if (!OverviewCanvas || !Context.Matrix || Plane < 0 || Plane > TMatrix::kBackPlaneCount) return;
  Context.Matrix->DrawMiniMap(*OverviewCanvas, static_cast<uint8_t>(Plane));
  OverviewCanvas->Release();
  if (OverviewChanged) OverviewChanged();
}

// ---- start-up ------------------------------------------------------------

void TEditor::CreateComponents() {
  Context.ObjectPictureList = std::make_unique<TDXImageList>();
  Context.PortalPictureList = std::make_unique<TDXImageList>();
  Context.SpriteEngine = std::make_unique<TDXSpriteEngine>();
  Context.SpriteEngine->Engine()->Context = &Context;
  if (DrawArea) {
    Context.ObjectPictureList->SetDXDraw(DrawArea);
    Context.PortalPictureList->SetDXDraw(DrawArea);
    Context.SpriteEngine->SetDXDraw(DrawArea);
  }
  // Doors redraw the overview of the main plane after they have opened.
  Context.RedrawOverview = [this] { RedrawOverview(0); };
}

void TEditor::ResetSettings() {
  Ticks.PlayerVisible = false;
  Context.GridVisible = kGridShown;
  Context.ObjectsLoaded = 0;
  Ticks.AutoControl = true;
  Context.EditMode = kEditing;
  Context.Random.Randomize();
}

void TEditor::CreateEmptyLibraryAndLevel() {
  Require(Context.ObjectPictureList != nullptr, "The object picture list");
  Context.ObjectDataBase = std::make_unique<TObjectDataBase>(&Context.ObjectPictureList->Items);
  Context.MonstersDataBase = std::make_unique<TMonstersDataBase>();  // reads its file when objects are opened
  Context.Matrix = std::make_unique<TMatrix>();
  Context.GridSize = 32;
  Context.CurrentPlane = 0;
  if (FrameTimer) FrameTimer->SetInterval(kFrameDelayMs);
  Context.Random.Randomize();
}

// ---- objects file and objects ---------------------------------------------

void TEditor::ShowObjectPicture(const std::string& Name, TSidePanelUpdate& Update) {
  QImage picture = Context.ObjectDataBase->ShowPicture(Name);
  if (!picture.isNull()) Update.Picture = picture;
}

TSidePanelUpdate TEditor::OpenObjectsFile() {
  TSidePanelUpdate update;
  Guarded([&] { ReadObjectsFile(update); });
  return update;
}

void TEditor::ReadObjectsFile(TSidePanelUpdate& Update) {
  Require(Context.ObjectDataBase && Context.MonstersDataBase && Context.Matrix, "The object library");
  TSpriteEngine& root = Root();
  // A missing objects file is reported by the library; the command goes on.
  Context.ObjectDataBase->LoadFromFile(DataPath(kObjectsFileName), Dialogs);

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
  Context.ObjectsLoaded = 1;

  // A missing "Игрок" picture ends the command here, with no player made.
  Context.PlayerSprite = TPlayerSprite::CreateFor(&root, Context.ObjectPictures());
  RedrawOverview(1);
}

void TEditor::SaveObjectsFile() {
  Guarded([&] {
    Require(Context.ObjectDataBase != nullptr, "The object library");
    Context.ObjectDataBase->SaveToFile(DataPath(kObjectsFileName), Dialogs);
  });
}

void TEditor::AddObject() {
  Guarded([&] {
    Require(Context.ObjectDataBase != nullptr, "The object library");
    if (Context.ObjectsLoaded == 0 &&
        Dialogs.MessageBox(Translated("TEditor", "База данных объектов не загружена! Желаете создать новую ?"), Translated("TEditor", "Внимание!"),
                           TMsgButtons::YesNoCancel) != TModalResult::mrYes)
      return;
    if (!NewObjectSource) throw EKestriloError("The new-object dialog is not available");
    NewObjectSource->ShowModal(Context.ObjectDataBase->NextFreeNumber());
    const TNewObject entry = NewObjectSource->Build(Context.ObjectDataBase->NextFreeNumber());
    Context.ObjectDataBase->AddObject(entry.Record, entry.PictureFileName, entry.Settings);
  });
}

TSidePanelUpdate TEditor::DeleteObject(const std::string& SelectedName, uint8_t CurrentType) {
  TSidePanelUpdate update;
  Guarded([&] {
    Require(Context.ObjectDataBase != nullptr, "The object library");
    // Only a confirmed Yes deletes: a question closed without an answer keeps the entry.
    if (Dialogs.MessageBox(Translated("TEditor", "Удалить текущий объект ?"), Translated("TEditor", "Подтвердите удаление"), TMsgButtons::YesNo) !=
        TModalResult::mrYes)
      return;
    // The list is refilled whatever the deletion reported: a failed picture
    // deletion has already removed the entry.
    const auto refill = [&] {
      std::vector<std::string> names;
      update.ObjectIndex = Context.ObjectDataBase->FillNameList(CurrentType, names);
      update.ObjectNames = std::move(names);
    };
    try {
      Context.ObjectDataBase->DeleteObject(SelectedName, Dialogs);
    } catch (...) {
      refill();
      throw;
    }
    refill();
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

void TEditor::SaveLevel() {
  Guarded([&] {
    Require(Context.Matrix != nullptr, "The matrix");
    const auto file = Dialogs.SaveFile(LevelDialog(QT_TRANSLATE_NOOP("TEditor", "Файлы матрицы (*.mtf)|*.mtf")));
    if (file && Context.Matrix->SaveToFile(*file, Dialogs) && LevelFileUsed) LevelFileUsed(*file);
  });
}

void TEditor::LoadLevel() {
  Guarded([&] { ReadLevel([&] { return Dialogs.OpenFile(LevelDialog(QT_TRANSLATE_NOOP("TEditor", "Файлы матрицы Kestrilo (*.mtf)|*.mtf"))); }); });
}

void TEditor::LoadLevelFrom(const std::string& Path) {
  Guarded([&] { ReadLevel([&] { return std::optional<std::string>(Path); }); });
}

void TEditor::ReadLevel(const std::function<std::optional<std::string>()>& ChooseFile) {
  if (Context.ObjectsLoaded == 0) {
    Dialogs.ShowMessage(Translated("TEditor", "Файл объектов загружен не был... Невозможно загрузить матрицу!"));
    return;
  }
  Require(Context.Matrix && Context.ObjectDataBase, "The matrix");
  TSpriteEngine& root = Root();
  // The first child (normally the first portal) and every player stay; the
  // others are freed before the next frame is drawn. The count covers the
  // whole tree, so the visit stops at the last child the root has.
  const int32_t last = std::min(root.SpriteCount, root.ChildCount());
  for (int32_t i = 1; i < last; ++i) {
    TSprite* child = root.Child(i);
    if (!dynamic_cast<TPlayerSprite*>(child)) child->MarkDead();
  }
  root.X = 0;
  root.Y = 0;
  Context.Matrix->Clear();

  const auto file = ChooseFile();
  bool read = false;
  if (file) {
    LevelFile = *file;
    if (LoadingWindow) LoadingWindow->ShowAndPaint();
    // A failed read builds nothing and is reported; the loading window goes
    // away first, so that it never stands over the level.
    try {
      read = Context.Matrix->LoadFromFile(*file, Dialogs, LoadingWindow ? LoadingWindow->MainBar() : nullptr,
                                   LoadingWindow ? LoadingWindow->PlanesBar() : nullptr);
    } catch (...) {
      if (LoadingWindow) LoadingWindow->Close();
      RedrawOverview(Context.CurrentPlane);  // the map shows the emptied level, not the old one
      throw;
    }
  }
  if (LoadingWindow) LoadingWindow->Close();
  const TObjectFactory factory = MakeObjectFactory();
  Context.Matrix->BuildMainPlane(root, *Context.ObjectDataBase, factory);
  Context.Matrix->BuildBackPlanes(root, *Context.ObjectDataBase, factory);
  RedrawOverview(Context.CurrentPlane);
  if (read && LevelFileUsed) LevelFileUsed(*file);
}

bool TEditor::RequestExit() {
  bool confirmed = false;
  Guarded([&] {
    confirmed = Dialogs.MessageBox(Translated("TEditor", "Правда выйти ?"), Translated("TEditor", "Подтвердите выход!"), TMsgButtons::YesNo) ==
                TModalResult::mrYes;
    if (confirmed && Terminate) Terminate();
  });
  return confirmed;
}

// ---- settings --------------------------------------------------------------

void TEditor::TogglePlayerVisible() {
  Ticks.PlayerVisible = !Ticks.PlayerVisible;
  if (Context.PlayerSprite) Context.PlayerSprite->Visible = Ticks.PlayerVisible;
}

void TEditor::TogglePlayerGravity() {
  Ticks.PlayerGravity = !Ticks.PlayerGravity;
  if (Context.PlayerSprite) Context.PlayerSprite->GravityOn = Ticks.PlayerGravity ? 1 : 0;
}

void TEditor::SetGridSize(uint16_t CellSize) {
  Context.GridSize = CellSize;
  Context.GridVisible = kGridShown;
}

void TEditor::ToggleGrid() {
  Context.GridVisible = Context.GridVisible == kGridShown ? kGridHidden : kGridShown;
}

void TEditor::ToggleAutoControl() { Ticks.AutoControl = !Ticks.AutoControl; }

void TEditor::ToggleFrameDelay() {
  Ticks.FrameDelay = !Ticks.FrameDelay;
  if (FrameTimer) FrameTimer->SetInterval(Ticks.FrameDelay ? kFrameDelayMs : 0);
}

void TEditor::TogglePreview() {
  Ticks.Preview = !Ticks.Preview;
  Context.EditMode = Ticks.Preview ? kPreviewing : kEditing;
}

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
  if (!Ticks.AutoControl) return;
  Update.EnabledFields = AutoFieldsOfType(Type);
  Update.ZPosition = AutoPlaneOfType(Type);
  Context.CurrentPlane = *Update.ZPosition;
  RedrawOverview(Context.CurrentPlane);
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
  Require(Context.Matrix && Context.ObjectDataBase, "The matrix");
  TSpriteEngine& root = Root();
  const int32_t grid = Context.GridSize;
  if (grid <= 0) return;
  // Snapped down to the grid; truncation toward zero.
  const int32_t cellX = (X / grid) * grid;
  const int32_t cellY = (Y / grid) * grid;

  TObjectRecord record = Context.ObjectDataBase->FindByName(Inputs.ObjectName);
  record.LiftHeight = static_cast<int8_t>(Inputs.LiftHeight);
  record.KeyCode = static_cast<uint8_t>(Inputs.KeyCode);
  const int32_t plane = Context.CurrentPlane;
  TLevelEdits(*Context.Matrix, root).Place(record, cellX, cellY, plane, *Context.ObjectDataBase);
  RedrawOverview(plane);
}

void TEditor::DeleteAt(int32_t X, int32_t Y) {
  Guarded([&] {
    Require(Context.Matrix != nullptr, "The matrix");
    TLevelEdits(*Context.Matrix, Root()).EraseAt(X, Y, Context.CurrentPlane, Dialogs);
    RedrawOverview(Context.CurrentPlane);
  });
}

void TEditor::PressKey(uint32_t Key) {
  Guarded([&] {
    Require(Context.Matrix != nullptr, "The matrix");
    TSpriteEngine& root = Root();
    if (Key == vkLeft) Context.Matrix->Scroll(root, TScrollDirection::Left);
    if (Key == vkRight) Context.Matrix->Scroll(root, TScrollDirection::Right);
    if (Key == vkDown) Context.Matrix->Scroll(root, TScrollDirection::Down);
    if (Key == vkUp) Context.Matrix->Scroll(root, TScrollDirection::Up);
    if (Key == vkSpace && Context.PlayerSprite) Context.PlayerSprite->GravityOn = 1;
    RedrawOverview(Context.CurrentPlane);
  });
}

void TEditor::ScrollByWheel(int32_t Notches) {
  Guarded([&] {
    if (Notches == 0 || !Context.Matrix) return;
    TSpriteEngine& root = Root();
    const TScrollDirection direction = Notches > 0 ? TScrollDirection::Up : TScrollDirection::Down;
    for (int32_t i = 0; i < std::abs(Notches); ++i) Context.Matrix->Scroll(root, direction);
    RedrawOverview(Context.CurrentPlane);
  });
}

// ---- frame -----------------------------------------------------------------

void TEditor::FrameStep(int32_t LagCount) {
  // An error message shown from a tick runs its own event loop, in which the
  // timer would tick again; those ticks are skipped until the message is gone.
  if (inTick_) return;
  inTick_ = true;
  struct TReset { bool& flag; ~TReset() { flag = false; } } reset{inTick_};
  Guarded([&] {
    if (!DrawArea || !DrawArea->ReadyToDraw()) {
      if (Terminate) Terminate();
      return;
    }
    Context.Keyboard.UpdateInput();
    if (Recorder) Recorder->RecordTick(Context.Keyboard, Context.EditMode);
    if (Context.SpriteEngine) {
      Context.SpriteEngine->Move(kFrameMoveCount);
      Context.SpriteEngine->RemoveDead();
    }
    DrawArea->FillBackBuffer(kFrameBackgroundPixel);
    if (Context.SpriteEngine) Context.SpriteEngine->Draw();
    DrawOverlay(Context.GridVisible, 1, static_cast<uint8_t>(Context.GridSize & 0xFF));
    DrawArea->Present();
  });
}

void TEditor::DrawOverlay(uint8_t ShowGrid, uint8_t ShowText, uint8_t CellSize) {
  if (!DrawArea) return;
  TOverlayStatus status;
  status.FramesPerSecond = FrameTimer ? FrameTimer->FramesPerSecond() : 0;
  status.SpriteCount = Context.SpriteEngine ? Context.SpriteEngine->Engine()->SpriteCount : 0;
  status.CursorX = CursorX ? CursorX() : 0;
  status.DrawAreaLeft = DrawAreaLeft;
  overlay_.Draw(DrawArea->BackBufferCanvas(), ShowGrid, ShowText, CellSize, status);
  DrawArea->ReleaseCanvas();
}

}  // namespace kestrilo
