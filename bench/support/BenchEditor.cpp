#include "support/BenchEditor.h"

#include "library/DXImageList.h"
#include "platform/DXDraw.h"
#include "platform/Errors.h"
#include "sprites/DXSpriteEngine.h"

namespace kestrilo::bench {

TBenchEditor::TBenchEditor(const std::string& DataFolder, uint32_t Seed)
    : draw_(std::make_unique<TDXDraw>()), editor_(context_, dialogs_) {
  editor_.DXDraw1 = draw_.get();
  editor_.DataFolder = DataFolder + "/";
  context_.ExecutableDir = editor_.DataFolder;
  // The main window's start-up order, with the drawing area initialised at
  // once instead of at its first showing.
  editor_.CreateComponents();
  editor_.FormCreate();
  draw_->OnInitialize = [this](TDXDraw*) { editor_.DXDraw1Initialize(); };
  draw_->Initialize();
  context_.Random.RandSeed = Seed;
}

TBenchEditor::~TBenchEditor() {
  // The tree and the picture lists leave the drawing area before it goes.
  context_.DXSpriteEngine1.reset();
  context_.DXImageList1.reset();
  context_.DXImageList2.reset();
}

void TBenchEditor::ThrowIfReported(size_t before) {
  const auto shown = dialogs_.Messages();
  if (shown.size() > before) throw EKestriloError(shown.back());
}

void TBenchEditor::OpenObjects() {
  const size_t before = dialogs_.Messages().size();
  editor_.N2Click();
  ThrowIfReported(before);
}

void TBenchEditor::LoadLevel(const std::string& MatrixPath) {
  const size_t before = dialogs_.Messages().size();
  dialogs_.FileAnswers.push_back(MatrixPath);
  editor_.N8Click();
  dialogs_.FileAnswers.clear();
  ThrowIfReported(before);
}

void TBenchEditor::StartPreview() {
  if (!editor_.Ticks.N17) editor_.N17Click();
  if (!editor_.Ticks.N12) editor_.N12Click();
  if (!editor_.Ticks.N13) editor_.N13Click();
}

void TBenchEditor::Tick() { editor_.DXTimer1Timer(1); }

QImage TBenchEditor::Frame() const { return draw_->PresentedImage(); }

TSpriteEngine& TBenchEditor::Root() { return *context_.DXSpriteEngine1->Engine(); }

}  // namespace kestrilo::bench
