#include "RenderCommands.h"

#include <iostream>

#include "PngFile.h"
#include "ToolSupport.h"
#include "editor/HeadlessEditor.h"
#include "matrix/Matrix.h"
#include "platform/Errors.h"
#include "platform/Surface.h"

namespace kestrilo::tool {

namespace {

// Renders are reproducible: whatever draws from the generator draws the same.
constexpr uint32_t kRenderSeed = 1;
constexpr uint32_t vkRight = 39, vkDown = 40;

struct TView {
  int32_t Column = 0;
  int32_t Row = 0;
};

TView ReadView(const TArguments& arguments) {
  const TView view{arguments.Integer("view", 0), arguments.Integer("view", 1)};
  if (view.Column < 0 || view.Column > TMatrix::kMaxOriginX || view.Row < 0 || view.Row > TMatrix::kMaxOriginY)
    throw EConvertError("The view origin " + std::to_string(view.Column) + " " + std::to_string(view.Row) +
                        " is outside columns 0.." + std::to_string(TMatrix::kMaxOriginX) + " and rows 0.." +
                        std::to_string(TMatrix::kMaxOriginY));
  return view;
}

}  // namespace

int LevelRender(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(args, {{"data", 1}, {"out", 1}, {"view", 2}, {"ticks", 1}});
  arguments.ExpectPositional(1);
  const std::string& level = arguments.Positional(0, "FILE.mtf");
  const std::string& dataFolder = arguments.Value("data");
  const std::string& outPath = arguments.Value("out");
  const int32_t ticks = arguments.Has("ticks") ? arguments.Integer("ticks") : 0;
  if (ticks < 0) throw EConvertError("--ticks must not be negative");
  const bool whole = !arguments.Has("view");
  const TView view = whole ? TView{} : ReadView(arguments);

  THeadlessEditor editor(dataFolder, kRenderSeed);
  editor.OpenObjects();
  editor.LoadLevel(level);
  editor.SetPreview(false);
  for (int32_t tick = 1; tick <= ticks; ++tick) editor.Tick({});
  for (const std::string& message : editor.TakeMessages()) std::cerr << message << "\n";

  // The whole level: the camera stays where the load put it, so the surface is
  // the level itself. A view: scrolled as the arrow keys scroll it, one cell a press.
  for (int32_t i = 0; i < view.Column; ++i) editor.Editor().PressKey(vkRight);
  for (int32_t i = 0; i < view.Row; ++i) editor.Editor().PressKey(vkDown);
  const int32_t columns = whole ? TMatrix::kColumns : TMatrix::kViewColumns;
  const int32_t rows = whole ? TMatrix::kRows : TMatrix::kViewRows;
  SavePngInBands(
      columns * TMatrix::kCellSize, rows * TMatrix::kCellSize, [&](TSurface& picture) { editor.DrawWorld(picture); },
      outPath);
  out << outPath << "\n";
  return 0;
}

}  // namespace kestrilo::tool
