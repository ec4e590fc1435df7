#include "Screenshot.h"

#include <QApplication>

#include "platform/ScriptedDialogService.h"
#include "shell/Application.h"
#include "shell/MainForm.h"
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

  form.N2Click();
  dialogs.FileAnswers.push_back(executableDir + "Data/matrix1.mtf");
  form.N8Click();
  form.N14Click();  // grid off
  form.N17Click();  // preview on
  form.N12Click();  // the player is shown
  form.Context().Random.RandSeed = 1;

  TDXInput& keys = form.Context().DXInput1;
  form.Editor().FormKeyDown(vkSpace);  // gravity on
  keys.SetKeyDown(vkD, true);
  for (int tick = 0; tick < kWalkTicks; ++tick) form.Editor().DXTimer1Timer(1);
  keys.SetKeyDown(vkD, false);
  form.Editor().DXTimer1Timer(1);
  return form.grab().toImage();
}

}  // namespace kestrilo::sample
