#include "SampleDataTestSupport.h"

#include <QDir>

#include "ToolRunSupport.h"
#include "library/DXImageList.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/SpriteEngine.h"
#include "world/PlayerSprite.h"

namespace kestrilo::sampletest {

int RunGenerator(const std::string& dataDir, std::string* errorOutput) {
  const tooltest::TToolRun run =
      tooltest::RunProgram(QStringLiteral(KESTRILO_SAMPLE_DATA_PATH), {QString::fromStdString(dataDir)}, 120000);
  if (errorOutput) *errorOutput = run.Err;
  return run.ExitCode;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  return QDir(QString::fromStdString(dir)).filePath(QString::fromStdString(name)).toStdString();
}

TSampleEditor::TSampleEditor() : Timer([this] { return Now; }), Editor(Context, Dialogs) {
  GeneratorFailed = RunGenerator(DataDir()) != 0;
  Context.ExecutableDir = ExecutableDir();
  Editor.Attachments.DrawArea = &Draw;
  Editor.Attachments.FrameTimer = &Timer;
  Editor.Attachments.CursorX = [] { return 0; };
  Editor.CreateComponents();
  Editor.Settings().Reset();
  Draw.OnInitialize = [this](TDrawingSurface*) { Editor.CreateEmptyLibraryAndLevel(); };
  Draw.Initialize();
  // Monsters draw from the program's generator; a fixed seed replays a run exactly.
  Context.Random.RandSeed = 20261207;
}

TSampleEditor::~TSampleEditor() {
  // The sprite tree and the picture lists leave the drawing area first.
  Context.SpriteEngine.reset();
  Context.ObjectPictureList.reset();
  Context.PortalPictureList.reset();
}

void TSampleEditor::LoadDemoLevel() {
  Dialogs.FileAnswers.push_back(JoinPath(DataDir(), "matrix1.mtf"));
  Editor.Files().LoadLevel();
}

void TSampleEditor::StartPreview() {
  Editor.Settings().ToggleGrid();  // grid off
  Editor.Play().TogglePreview();   // preview on
}

void TSampleEditor::Hold(uint32_t key, bool down) {
  Context.Keyboard.SetKeyDown(key, down);
  if (down) Editor.PressKey(key);
}

TSpriteEngine& TSampleEditor::Root() const { return *Context.SpriteEngine->Engine(); }

std::vector<TSprite*> TSampleEditor::SpritesOf(std::string_view className) const {
  std::vector<TSprite*> found;
  const TSpriteEngine& root = Root();
  for (int32_t i = 0; i < root.ChildCount(); ++i) {
    TSprite* child = root.Child(i);
    if (!child->IsDead && className == child->ClassName()) found.push_back(child);
  }
  return found;
}

}  // namespace kestrilo::sampletest
