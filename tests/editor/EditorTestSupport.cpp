#include "EditorTestSupport.h"

#include <QDir>
#include <fstream>

#include "library/DXImageList.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "sprites/DXSpriteEngine.h"
#include "support/LibraryEntry.h"

namespace kestrilo::editortest {

const std::vector<TSampleObject>& SampleObjects() {
  static const std::vector<TSampleObject> objects = {
      {"Стена", otWall, 1, 32, 32},        {"Плита", otWall, 2, 64, 32}, {"Игрок", otPlayer, 3, 32, 38},
      {"Облака", otBackground, 4, 32, 32}, {"Лифт", otLift, 5, 64, 16},
  };
  return objects;
}

TEditorFixture::TEditorFixture() : Timer([this] { return Now; }), Editor(Context, Dialogs) {
  QDir(Dir.path()).mkdir("Data");
  Context.ExecutableDir = Dir.path().toStdString() + "/";
  Editor.Attachments.DrawArea = &Draw;
  Editor.Attachments.FrameTimer = &Timer;
  Editor.Attachments.OverviewCanvas = &OverviewCanvas;
  Editor.Attachments.OverviewChanged = [this] { ++OverviewRedraws; };
  Editor.Attachments.NewObjectSource = &NewObject;
  Editor.Attachments.LoadingWindow = &Loading;
  Editor.Attachments.Terminate = [this] { ++Terminated; };
  Editor.Attachments.CursorX = [] { return 100; };
  Editor.CreateComponents();
  Editor.Settings().Reset();
  Draw.OnInitialize = [this](TDrawingSurface*) { Editor.CreateEmptyLibraryAndLevel(); };
  Draw.Initialize();
}

TEditorFixture::~TEditorFixture() {
  // The sprite tree and the picture lists leave the drawing area first.
  Context.SpriteEngine.reset();
  Context.ObjectPictureList.reset();
  Context.PortalPictureList.reset();
}

std::string TEditorFixture::Path(const std::string& relative) const {
  return QDir(Dir.path()).filePath(QString::fromStdString(relative)).toStdString();
}

void TEditorFixture::WriteSampleData(bool withDynamicGraphics) {
  TPictureCollection pictures;
  TObjectDataBase library(&pictures);
  for (const TSampleObject& object : SampleObjects()) {
    const std::string bitmap = Path("picture.bmp");
    WriteFile(bitmap, SolidBitmap(object.Width, object.Height));
    testsupport::AddLibraryEntry(library, object.Type, object.Number, object.Name, bitmap);
  }
  library.SaveToFile(Path("Data/test.obj"));
  if (withDynamicGraphics) {
    TPictureCollection dynamic;
    TPictureCollectionItem* cloud = dynamic.Add();
    WriteFile(Path("cloud.bmp"), SolidBitmap(48, 24, 0xFFFFFF));
    cloud->Picture.LoadFromFile(Path("cloud.bmp"));
    cloud->SetName(W1251("Тучка"));
    dynamic.SaveToFile(Path("Data/DinObj.dxg"));
  }
}

TSidePanelUpdate TEditorFixture::OpenObjects() { return Editor.Files().OpenObjectsFile(); }

void TEditorFixture::ClickAt(int32_t x, int32_t y, std::string_view utf8Name, int32_t liftHeight, int32_t keyCode) {
  TPlacementInputs inputs;
  inputs.ObjectName = W1251(utf8Name);
  inputs.LiftHeight = liftHeight;
  inputs.KeyCode = keyCode;
  Editor.PlaceAt(x, y, inputs);
}

int32_t TEditorFixture::CountOf(std::string_view className) const {
  const TSpriteEngine& root = *Context.SpriteEngine->Engine();
  int32_t count = 0;
  for (int32_t i = 0; i < root.ChildCount(); ++i)
    if (std::string_view(root.Child(i)->ClassName()) == className && !root.Child(i)->IsDead) ++count;
  return count;
}

int32_t TEditorFixture::NumberOf(std::string_view utf8Name) const {
  for (const TSampleObject& object : SampleObjects())
    if (object.Name == utf8Name) return object.Number;
  return -1;
}

}  // namespace kestrilo::editortest
