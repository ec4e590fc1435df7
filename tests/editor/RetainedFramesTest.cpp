// The edit view draws its frames from kept pictures of the resting objects;
// a designer's session must show, frame by frame, exactly what drawing every
// frame whole shows: two editors run the same session, one each way.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "platform/Cp1251.h"

using namespace kestrilo;
using namespace kestrilo::editortest;

namespace {

std::vector<uint16_t> Shown(TEditorFixture& f) {
  const TSurface& s = f.Draw.Surface();
  return {s.Pixels(), s.Pixels() + s.Width() * s.Height()};
}

TEST(RetainedFrames, ADesignersSessionShowsWhatDrawingEveryFrameWholeShows) {
  TEditorFixture kept, whole;
  whole.Editor.Frames().SetRetainsPictures(false);
  TPlacementInputs wall;
  wall.ObjectName = W1251("Стена");
  const std::vector<std::pair<std::string, std::function<void(TEditorFixture&)>>> session = {
      {"the library opened",
       [](TEditorFixture& f) {
         f.WriteSampleData();
         f.OpenObjects();
       }},
      {"walls placed",
       [](TEditorFixture& f) {
         f.ClickAt(40, 40, "Стена");
         f.ClickAt(72, 40, "Плита");
       }},
      {"a lift placed", [](TEditorFixture& f) { f.ClickAt(200, 200, "Лифт", 64); }},
      {"clouds on plane 2",
       [](TEditorFixture& f) {
         f.Editor.ChangePlane(2);
         f.ClickAt(50, 50, "Облака");
         f.ClickAt(300, 90, "Облака");
       }},
      {"a wall deleted",
       [](TEditorFixture& f) {
         f.Editor.ChangePlane(0);
         f.Editor.DeleteAt(40, 40);
       }},
      {"undone", [](TEditorFixture& f) { f.Editor.Undo(); }},
      {"zoomed out", [](TEditorFixture& f) { f.Editor.ZoomOut(); }},
      {"a wall placed zoomed out", [](TEditorFixture& f) { f.ClickAt(100, 60, "Стена"); }},
      {"plane 2 hidden", [](TEditorFixture& f) { f.Editor.Planes.SetShown(2, false); }},
      {"scrolled", [](TEditorFixture& f) { f.Editor.ScrollByWheel(-2); }},
      {"zoomed out again", [](TEditorFixture& f) { f.Editor.ZoomOut(); }},
      {"plane 2 shown, redone nothing, zoomed in",
       [](TEditorFixture& f) {
         f.Editor.Planes.SetShown(2, true);
         f.Editor.Redo();
         f.Editor.ZoomIn();
       }},
      {"the others dimmed", [](TEditorFixture& f) { f.Editor.Planes.SetDimOthers(true); }},
      {"the preview on", [](TEditorFixture& f) { f.Editor.Play().TogglePreview(); }},
      {"the preview off", [](TEditorFixture& f) { f.Editor.Play().TogglePreview(); }},
      {"undone twice",
       [](TEditorFixture& f) {
         f.Editor.Planes.SetDimOthers(false);
         f.Editor.Undo();
         f.Editor.Undo();
       }},
  };
  for (const auto& [name, step] : session) {
    step(kept);
    step(whole);
    // A few frames after each step, the pointer moving so that each is drawn.
    for (int frame = 0; frame < 4; ++frame) {
      for (TEditorFixture* f : {&kept, &whole}) {
        f->Editor.Pointer().PointerMoved(150 + 9 * frame, 120, wall);
        f->Tick();
      }
      ASSERT_EQ(Shown(kept), Shown(whole)) << name << ", frame " << frame;
    }
  }
  // After each command the resting objects are in a new state: drawn whole
  // once, then kept and used again.
  EXPECT_GT(kept.Editor.Frames().RetainedDrawing().PicturesDrawn(), 10);
  EXPECT_GT(kept.Editor.Frames().RetainedDrawing().PicturesReused(), 10);
  EXPECT_EQ(whole.Editor.Frames().RetainedDrawing().PicturesDrawn(), 0);
}

}  // namespace
