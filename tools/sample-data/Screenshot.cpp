#include "Screenshot.h"

#include <QApplication>

#include "platform/ScriptedDialogService.h"
#include "windows/Application.h"
#include "windows/MainForm.h"
#include "world/GameContext.h"

namespace kestrilo::sample {

namespace {
constexpr uint32_t vkSpace = 32, vkD = 68;
constexpr int kWalkTicks = 150;
}  // namespace

QImage RenderEditorScreenshot(const std::string& executableDir) {
  TScriptedDialogService dialogs;
  TApplicationWindows windows = CreateApplicationWindows(executableDir, &dialogs);
  TForm1& form = *windows.Form1;
  form.show();  // the first showing initialises the drawing area
  QApplication::processEvents();

  // The menu items, as the designer chooses them.
  form.N2->trigger();  // open the objects file
  dialogs.FileAnswers.push_back(executableDir + "Data/matrix1.mtf");
  form.N8->trigger();   // load the level
  form.N14->trigger();  // grid off
  form.N17->trigger();  // preview on
  form.N12->trigger();  // the player is shown
  form.Context().Random.RandSeed = 1;

  TDXInput& keys = form.Context().Keyboard;
  form.Editor().PressKey(vkSpace);  // gravity on
  keys.SetKeyDown(vkD, true);
  for (int tick = 0; tick < kWalkTicks; ++tick) form.Editor().Frames().Step();
  keys.SetKeyDown(vkD, false);
  form.Editor().Frames().Step();
  return form.grab().toImage();
}

}  // namespace kestrilo::sample
