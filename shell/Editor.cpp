#include "shell/Editor.h"

#include <algorithm>
#include <cstdlib>

#include "library/DXImageList.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/BinaryIO.h"
#include "platform/DXDraw.h"
#include "platform/DXTimer.h"
#include "platform/Errors.h"
#include "platform/Rounding.h"
#include "shell/HelpTexts.h"
#include "shell/Recorder.h"
#include "sprites/DXSpriteEngine.h"
#include "world/DinamicPortal.h"
#include "world/GameContext.h"
#include "world/MyObject.h"
#include "world/PlayerSprite.h"

namespace kestrilo {

namespace {

constexpr int32_t kFrameMoveCount = 16;
constexpr int32_t kFrameDelayMs = 14;

// Window-system key codes the editor reacts to.
constexpr uint32_t vkSpace = 32, vkLeft = 37, vkUp = 38, vkRight = 39, vkDown = 40;
// Scroll directions of the matrix.
constexpr uint8_t kScrollLeft = 0, kScrollRight = 1, kScrollUp = 2, kScrollDown = 3;

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
  Require(Context.DXSpriteEngine1 != nullptr, "The sprite engine");
  return *Context.DXSpriteEngine1->Engine();
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
  Context.DXImageList1 = std::make_unique<TDXImageList>();
  Context.DXImageList2 = std::make_unique<TDXImageList>();
  Context.DXSpriteEngine1 = std::make_unique<TDXSpriteEngine>();
  Context.DXSpriteEngine1->Engine()->Context = &Context;
  if (DXDraw1) {
    Context.DXImageList1->SetDXDraw(DXDraw1);
    Context.DXImageList2->SetDXDraw(DXDraw1);
    Context.DXSpriteEngine1->SetDXDraw(DXDraw1);
  }
  // Doors redraw the overview of the main plane after they have opened.
  Context.RedrawOverview = [this] { RedrawOverview(0); };
}

void TEditor::FormCreate() {
  Ticks.N12 = false;
  Context.GridVisible = 1;
  Context.ObjectsLoaded = 0;
  Ticks.N16 = true;
  Context.EditMode = 1;
  Context.Random.Randomize();
}

void TEditor::DXDraw1Initialize() {
  Require(Context.DXImageList1 != nullptr, "The object picture list");
  Context.ObjectDataBase = std::make_unique<TObjectDataBase>(&Context.DXImageList1->Items);
  Context.MonstersDataBase = std::make_unique<TMonstersDataBase>();  // reads "1.mon" when objects are opened
  Context.Matrix = std::make_unique<TMatrix>();
  Context.GridSize = 32;
  Context.CurrentPlane = 0;
  if (DXTimer1) DXTimer1->SetInterval(kFrameDelayMs);
  Context.Random.Randomize();
}

// ---- objects file and objects ---------------------------------------------

void TEditor::ShowObjectPicture(const std::string& Name, TSidePanelUpdate& Update) {
  QImage picture = Context.ObjectDataBase->ShowPicture(Name);
  if (!picture.isNull()) Update.Picture = picture;
}

TSidePanelUpdate TEditor::N2Click() {
  TSidePanelUpdate update;
  Guarded([&] { OpenObjectsFile(update); });
  return update;
}

void TEditor::OpenObjectsFile(TSidePanelUpdate& Update) {
  Require(Context.ObjectDataBase && Context.MonstersDataBase && Context.Matrix, "The object library");
  TSpriteEngine& root = Root();
  // A missing objects file is reported by the library; the command goes on.
  Context.ObjectDataBase->LoadFromFile(DataPath("test.obj"), Dialogs);

  const std::string dynamicGraphics = DataPath("DinObj.dxg");
  if (FileExists(dynamicGraphics)) {
    TPictureCollection& dynamicPictures = Context.DynamicPictures();
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

  Context.MonstersDataBase->LoadFromFile(DataPath("1.mon"));
  Context.ObjectsLoaded = 1;

  // A missing "Игрок" picture ends the command here, with no player made.
  Context.PlayerSprite = TPlayerSprite::CreateFor(&root, Context.ObjectPictures());
  RedrawOverview(1);
}

void TEditor::N3Click() {
  Guarded([&] {
    Require(Context.ObjectDataBase != nullptr, "The object library");
    Context.ObjectDataBase->SaveToFile(DataPath("test.obj"), Dialogs);
  });
}

void TEditor::N6Click() {
  Guarded([&] {
    Require(Context.ObjectDataBase != nullptr, "The object library");
    if (Context.ObjectsLoaded == 0 &&
        Dialogs.MessageBox("База данных объектов не загружена! Желаете создать новую ?", "Внимание!",
                           TMsgButtons::YesNoCancel) != TModalResult::mrYes)
      return;
    if (!Form2) throw EKestriloError("The new-object dialog is not available");
    Form2->ShowModal(Context.ObjectDataBase->NextFreeNumber());
    const TNewObject entry = Form2->Build(Context.ObjectDataBase->NextFreeNumber());
    Context.ObjectDataBase->AddObject(entry.Record, entry.PictureFileName, entry.Settings);
  });
}

TSidePanelUpdate TEditor::N15Click(const std::string& SelectedName, uint8_t CurrentType) {
  TSidePanelUpdate update;
  Guarded([&] {
    Require(Context.ObjectDataBase != nullptr, "The object library");
    // Only a confirmed Yes deletes: a question closed without an answer keeps the entry.
    if (Dialogs.MessageBox("Удалить текущий объект ?", "Подтвердите удаление", TMsgButtons::YesNo) !=
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

TFileDialogRequest TEditor::MatrixDialog(const char* filter) const {
  TFileDialogRequest request;
  request.InitialDir = Context.ExecutableDir;
  request.Filter = filter;
  request.DefaultExt = "*.mtf";
  return request;
}

void TEditor::N7Click() {
  Guarded([&] {
    Require(Context.Matrix != nullptr, "The matrix");
    const auto file = Dialogs.SaveFile(MatrixDialog("Файлы матрицы (*.mtf)|*.mtf"));
    if (file) Context.Matrix->SaveToFile(*file, Dialogs);
  });
}

void TEditor::N8Click() {
  Guarded([&] { LoadMatrix(); });
}

void TEditor::LoadMatrix() {
  if (Context.ObjectsLoaded == 0) {
    Dialogs.ShowMessage("Файл объектов загружен не был... Невозможно загрузить матрицу!");
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

  const auto file = Dialogs.OpenFile(MatrixDialog("Файлы матрицы Kestrilo (*.mtf)|*.mtf"));
  if (file) {
    LevelFile = *file;
    if (Form3) Form3->ShowAndPaint();
    // A failed read builds nothing and is reported; the loading window goes
    // away first, so that it never stands over the level.
    try {
      Context.Matrix->LoadFromFile(*file, Dialogs, Form3 ? Form3->MainBar() : nullptr,
                                   Form3 ? Form3->PlanesBar() : nullptr);
    } catch (...) {
      if (Form3) Form3->Close();
      RedrawOverview(Context.CurrentPlane);  // the map shows the emptied level, not the old one
      throw;
    }
  }
  if (Form3) Form3->Close();
  const TObjectFactory factory = MakeObjectFactory();
  Context.Matrix->BuildMainPlane(root, *Context.ObjectDataBase, factory);
  Context.Matrix->BuildBackPlanes(root, *Context.ObjectDataBase, factory);
  RedrawOverview(Context.CurrentPlane);
}

bool TEditor::N4Click() {
  bool confirmed = false;
  Guarded([&] {
    confirmed = Dialogs.MessageBox("Правда выйти ?", "Подтвердите выход!", TMsgButtons::YesNo) ==
                TModalResult::mrYes;
    if (confirmed && Terminate) Terminate();
  });
  return confirmed;
}

// ---- settings --------------------------------------------------------------

void TEditor::N12Click() {
  Ticks.N12 = !Ticks.N12;
  if (Context.PlayerSprite) Context.PlayerSprite->Visible = Ticks.N12;
}

void TEditor::N13Click() {
  Ticks.N13 = !Ticks.N13;
  if (Context.PlayerSprite) Context.PlayerSprite->GravityOn = Ticks.N13 ? 1 : 0;
}

void TEditor::N32321Click() { Context.GridSize = 32; Context.GridVisible = 1; }
void TEditor::N64641Click() { Context.GridSize = 64; Context.GridVisible = 1; }
void TEditor::N1281281Click() { Context.GridSize = 128; Context.GridVisible = 1; }
void TEditor::N14Click() { Context.GridVisible = static_cast<uint8_t>(1 - Context.GridVisible); }
void TEditor::N16Click() { Ticks.N16 = !Ticks.N16; }

void TEditor::N01Click() {
  Ticks.N01 = !Ticks.N01;
  if (DXTimer1) DXTimer1->SetInterval(Ticks.N01 ? kFrameDelayMs : 0);
}

void TEditor::N17Click() {
  Ticks.N17 = !Ticks.N17;
  Context.EditMode = Ticks.N17 ? 0 : 1;
}

void TEditor::N20Click() {
  Dialogs.ShowMessage(AboutMessage());
}

// ---- side panel ------------------------------------------------------------

TSidePanelUpdate TEditor::ComboBox1Change(uint8_t Type) {
  TSidePanelUpdate update;
  Guarded([&] { ChangeType(Type, update); });
  return update;
}

void TEditor::ChangeType(uint8_t Type, TSidePanelUpdate& Update) {
  Require(Context.ObjectDataBase != nullptr, "The object library");
  std::vector<std::string> names;
  Update.ObjectIndex = Context.ObjectDataBase->FillNameList(Type, names);
  Update.ObjectNames = names;
  if (Update.ObjectIndex >= 0) ShowObjectPicture(names[Update.ObjectIndex], Update);
  if (!Ticks.N16) return;
  Update.EnabledFields = AutoFieldsOfType(Type);
  Update.ZPosition = AutoPlaneOfType(Type);
  Context.CurrentPlane = *Update.ZPosition;
  RedrawOverview(Context.CurrentPlane);
}

TSidePanelUpdate TEditor::ComboBox2Change(const std::string& SelectedName) {
  TSidePanelUpdate update;
  Guarded([&] {
    Require(Context.ObjectDataBase != nullptr, "The object library");
    ShowObjectPicture(SelectedName, update);
  });
  return update;
}

void TEditor::UpDown1Click(int32_t Position) {
  Guarded([&] {
    Context.CurrentPlane = Position;
    RedrawOverview(Context.CurrentPlane);
  });
}

// ---- mouse and keyboard ----------------------------------------------------

void TEditor::DXDraw1Click(int32_t X, int32_t Y, const TPlacementInputs& Inputs) {
  Guarded([&] { PlaceObject(X, Y, Inputs); });
}

void TEditor::PlaceObject(int32_t X, int32_t Y, const TPlacementInputs& Inputs) {
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
  TMatrixCell cell;
  cell.Kind = static_cast<int8_t>(record.ObjType);
  cell.ObjectNumber = record.Number;
  cell.LiftHeight = static_cast<int8_t>(Inputs.LiftHeight);
  cell.KeyCode = static_cast<uint8_t>(Inputs.KeyCode);

  const int32_t plane = Context.CurrentPlane;
  if (plane == 0) Context.Matrix->PutObject(cell, cellX, cellY, *Context.ObjectDataBase);
  else Context.Matrix->PutBackObject(static_cast<uint8_t>(plane), record.Number, cellX, cellY);

  // The origin counts 32-pixel cells whatever the grid size is.
  const double worldX = cellX + Context.Matrix->GetOriginX() * 32.0;
  const double worldY = cellY + Context.Matrix->GetOriginY() * 32.0;
  TMyObject::CreateFromRecord(&root, record, worldX, worldY, plane * 10);
  RedrawOverview(plane);
}

void TEditor::DXDraw1MouseUp(TMouseButton Button, int32_t X, int32_t Y) {
  if (Button != TMouseButton::mbRight) return;
  Guarded([&] {
    Require(Context.Matrix != nullptr, "The matrix");
    Context.Matrix->DeleteAt(Root(), X, Y, Context.CurrentPlane, Dialogs);
    RedrawOverview(Context.CurrentPlane);
  });
}

void TEditor::FormKeyDown(uint32_t Key) {
  Guarded([&] {
    Require(Context.Matrix != nullptr, "The matrix");
    TSpriteEngine& root = Root();
    if (Key == vkLeft) Context.Matrix->Scroll(root, kScrollLeft);
    if (Key == vkRight) Context.Matrix->Scroll(root, kScrollRight);
    if (Key == vkDown) Context.Matrix->Scroll(root, kScrollDown);
    if (Key == vkUp) Context.Matrix->Scroll(root, kScrollUp);
    if (Key == vkSpace && Context.PlayerSprite) Context.PlayerSprite->GravityOn = 1;
    RedrawOverview(Context.CurrentPlane);
  });
}

void TEditor::MouseWheel(int32_t Notches) {
  Guarded([&] {
    if (Notches == 0 || !Context.Matrix) return;
    TSpriteEngine& root = Root();
    const uint8_t direction = Notches > 0 ? kScrollUp : kScrollDown;
    for (int32_t i = 0; i < std::abs(Notches); ++i) Context.Matrix->Scroll(root, direction);
    RedrawOverview(Context.CurrentPlane);
  });
}

// ---- frame -----------------------------------------------------------------

void TEditor::DXTimer1Timer(int32_t LagCount) {
  // An error message shown from a tick runs its own event loop, in which the
  // timer would tick again; those ticks are skipped until the message is gone.
  if (inTick_) return;
  inTick_ = true;
  struct TReset { bool& flag; ~TReset() { flag = false; } } reset{inTick_};
  Guarded([&] {
    if (!DXDraw1 || !DXDraw1->ReadyToDraw()) {
      if (Terminate) Terminate();
      return;
    }
    Context.DXInput1.UpdateInput();
    if (Recorder) Recorder->RecordTick(Context.DXInput1, Context.EditMode);
    if (Context.DXSpriteEngine1) {
      Context.DXSpriteEngine1->Move(kFrameMoveCount);
      Context.DXSpriteEngine1->RemoveDead();
    }
    DXDraw1->FillBackBuffer(kFrameBackgroundPixel);
    if (Context.DXSpriteEngine1) Context.DXSpriteEngine1->Draw();
    DrawOverlay(Context.GridVisible, 1, static_cast<uint8_t>(Context.GridSize & 0xFF));
    DXDraw1->Present();
  });
}

void TEditor::DrawOverlay(uint8_t ShowGrid, uint8_t ShowText, uint8_t CellSize) {
  if (!DXDraw1) return;
  TOverlayStatus status;
  status.FramesPerSecond = DXTimer1 ? DXTimer1->FramesPerSecond() : 0;
  status.SpriteCount = Context.DXSpriteEngine1 ? Context.DXSpriteEngine1->Engine()->SpriteCount : 0;
  status.CursorX = CursorX ? CursorX() : 0;
  status.DrawAreaLeft = DrawAreaLeft;
  overlay_.Draw(DXDraw1->BackBufferCanvas(), ShowGrid, ShowText, CellSize, status);
  DXDraw1->ReleaseCanvas();
}

}  // namespace kestrilo
