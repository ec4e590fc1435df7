// The planes panel in the main window: opened from the Вид menu, its boxes
// lock, hide and dim the planes of the edit view, and a click on a locked
// plane places nothing.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QTest>

#include "DesktopTestSupport.h"
#include "platform/ScriptedDialogService.h"
#include "platform/widgets/DXDraw.h"
#include "sprites/DXSpriteEngine.h"
#include "windows/MainForm.h"
#include "windows/PlanesPanel.h"
#include "world/GameContext.h"

namespace kestrilo {
namespace {

using editortest::TShownMainWindow;

TEST(PlanesPanel, ItsBoxesSetThePlaneViewAndALockedPlaneTakesNoClick) {
  TShownMainWindow window;
  TForm1& form = window.Form;
  ASSERT_FALSE(form.PlanesPanel->isVisible());
  auto* toggle = form.findChild<QAction*>("PlanesPanelToggle");
  ASSERT_NE(toggle, nullptr);
  toggle->trigger();
  EXPECT_TRUE(form.PlanesPanel->isVisible());

  const TPlaneView& planes = form.Editor().Planes;
  form.PlanesPanel->ShownBoxes[3]->click();
  form.PlanesPanel->DimOthersBox->click();
  form.PlanesPanel->LockedBoxes[0]->click();
  EXPECT_FALSE(planes.Shown(3));
  EXPECT_TRUE(planes.Shown(0));
  EXPECT_TRUE(planes.DimsOthers());
  EXPECT_TRUE(planes.Locked(0));
  EXPECT_FALSE(planes.Locked(1));

  window.StepFrame();
  const int32_t sprites = form.Context().SpriteEngine->Engine()->SpriteCount;
  QTest::mouseClick(form.DXDraw1, Qt::LeftButton, Qt::NoModifier, QPoint(70, 40));
  EXPECT_EQ(form.Context().SpriteEngine->Engine()->SpriteCount, sprites);
  EXPECT_EQ(form.Editor().UndoStack.count(), 0);
  form.PlanesPanel->LockedBoxes[0]->click();
  QTest::mouseClick(form.DXDraw1, Qt::LeftButton, Qt::NoModifier, QPoint(70, 40));
  EXPECT_EQ(form.Context().SpriteEngine->Engine()->SpriteCount, sprites + 1);
}

}  // namespace
}  // namespace kestrilo
