#include "editor/HeadlessEditor.h"

#include <algorithm>

#include "library/DXImageList.h"
#include "platform/DrawingSurface.h"
#include "platform/Errors.h"
#include "platform/Surface.h"
#include "sprites/DXSpriteEngine.h"

namespace kestrilo {

THeadlessEditor::THeadlessEditor(const std::string& DataFolder, uint32_t Seed)
    : draw_(std::make_unique<TDrawingSurface>()), editor_(context_, dialogs_) {
  editor_.Attachments.DrawArea = draw_.get();
  editor_.DataFolder = DataFolder;
  if (!editor_.DataFolder.empty() && editor_.DataFolder.back() != '/') editor_.DataFolder += '/';
  context_.ExecutableDir = editor_.DataFolder;
  // The start-up order of the main window, with the drawing area initialised
  // at once instead of at a first showing.
  editor_.CreateComponents();
  editor_.Settings().Reset();
  draw_->OnInitialize = [this](TDrawingSurface*) { editor_.CreateEmptyLibraryAndLevel(); };
  draw_->Initialize();
  context_.Random.RandSeed = Seed;
  seed_ = Seed;
}

THeadlessEditor::~THeadlessEditor() {
  // The sprite tree and the picture lists leave the drawing area before it goes.
  context_.SpriteEngine.reset();
  context_.ObjectPictureList.reset();
  context_.PortalPictureList.reset();
}

void THeadlessEditor::ThrowIfReported(size_t messagesBefore, const std::string& subject) {
  const std::vector<std::string> shown = dialogs_.Messages();
  if (shown.size() <= messagesBefore) return;
  // The subject leads, unless the first message names it already (a file
  // the command could not read).
  const std::string shownSubject = ShownFileName(subject);
  std::string text = shown[messagesBefore].find(shownSubject) == std::string::npos ? shownSubject + ": " : "";
  for (size_t i = messagesBefore; i < shown.size(); ++i) text += (i == messagesBefore ? "" : "\n") + shown[i];
  messagesTaken_ = shown.size();
  throw EKestriloError(text);
}

void THeadlessEditor::OpenObjects() {
  const size_t before = dialogs_.Messages().size();
  editor_.Files().OpenObjectsFile();
  ThrowIfReported(before, editor_.DataFolder);
  if (!context_.PlayerSprite) throw EKestriloError("The objects file made no player");
}

void THeadlessEditor::LoadLevel(const std::string& Path) {
  const size_t before = dialogs_.Messages().size();
  dialogs_.FileAnswers.push_back(Path);
  editor_.Files().LoadLevel();
  dialogs_.FileAnswers.clear();  // an answer the command did not ask for is not kept for later
  ThrowIfReported(before, Path);
}

void THeadlessEditor::SetPreview(bool On) {
  if (editor_.Settings().Ticks.Preview != On) editor_.Play().TogglePreview();
}

void THeadlessEditor::SetGravity(bool On) {
  if (editor_.Settings().Ticks.PlayerGravity != On) editor_.Settings().TogglePlayerGravity();
}

void THeadlessEditor::SetPlayerVisible(bool On) {
  if (editor_.Settings().Ticks.PlayerVisible != On) editor_.Settings().TogglePlayerVisible();
}

void THeadlessEditor::SetGrid(bool On) {
  if (context_.GridVisible != On) editor_.Settings().ToggleGrid();
}

void THeadlessEditor::StartAt(int32_t Column, int32_t Row) {
  const size_t before = dialogs_.Messages().size();
  context_.Random.RandSeed = seed_;
  editor_.Play().TestFromCell(Column, Row);
  ThrowIfReported(before, "start " + std::to_string(Column) + " " + std::to_string(Row));
  if (!editor_.Play().PlayTest().Active()) throw EKestriloError("Play could not begin at the start cell");
}

void THeadlessEditor::Tick(const THeldKeys& Keys) {
  TDXInput& input = context_.Keyboard;
  for (const uint32_t key : Keys) {
    if (std::find(held_.begin(), held_.end(), key) != held_.end()) continue;
    input.SetKeyDown(key, true);
    editor_.PressKey(key);
  }
  for (const uint32_t key : held_)
    if (std::find(Keys.begin(), Keys.end(), key) == Keys.end()) input.SetKeyDown(key, false);
  held_ = Keys;
  editor_.Frames().Step();
  ++tickCount_;
}

QImage THeadlessEditor::Frame() const { return draw_->PresentedImage(); }

void THeadlessEditor::DrawWorld(TSurface& Surface) {
  TSpriteEngine& root = *context_.SpriteEngine->Engine();
  Surface.Fill(kFrameBackgroundPixel);
  root.SetSurface(&Surface);
  struct TRebind {
    TSpriteEngine& root;
    TSurface& back;
    ~TRebind() { root.SetSurface(&back); }
  } rebind{root, draw_->Surface()};
  root.DrawAll();
}

std::vector<std::string> THeadlessEditor::TakeMessages() {
  const std::vector<std::string> shown = dialogs_.Messages();
  std::vector<std::string> fresh(shown.begin() + static_cast<std::ptrdiff_t>(std::min(messagesTaken_, shown.size())),
                                 shown.end());
  messagesTaken_ = shown.size();
  return fresh;
}

}  // namespace kestrilo
