// The properties panel in the main window: Alt+click chooses instead of
// placing, and says when nothing is there.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "DesktopTestSupport.h"
#include "platform/ScriptedDialogService.h"
#include "platform/widgets/DXDraw.h"
#include "sprites/DXSpriteEngine.h"
#include "windows/MainForm.h"
#include "windows/PropertiesPanel.h"
#include "world/GameContext.h"

namespace kestrilo {
namespace {

using editortest::TShownMainWindow;

TEST(PropertiesPanel, AltClickChoosesWithoutPlacingAndTellsWhenNothingIsThere) {
  TShownMainWindow window;
  TForm1& form = window.Form;
  ASSERT_FALSE(form.PropertiesPanel->isVisible());
  const int32_t sprites = form.Context().SpriteEngine->Engine()->SpriteCount;
  QTest::mouseClick(form.DXDraw1, Qt::LeftButton, Qt::AltModifier, QPoint(70, 40));
  EXPECT_EQ(form.Context().SpriteEngine->Engine()->SpriteCount, sprites);
  EXPECT_EQ(form.Editor().UndoStack.count(), 0);
  EXPECT_TRUE(form.PropertiesPanel->isVisible());
  EXPECT_EQ(form.PropertiesPanel->ReasonLabel->text(), QString::fromUtf8("Здесь нет объекта ни на одном плане"));
  EXPECT_FALSE(form.PropertiesPanel->LiftHeightField->isEnabled());
  // Without Alt the same click places (nothing chosen in the list: a bare object),
  // once the view has followed the room the panel left it.
  window.StepFrame();
  QTest::mouseClick(form.DXDraw1, Qt::LeftButton, Qt::NoModifier, QPoint(70, 40));
  EXPECT_EQ(form.Context().SpriteEngine->Engine()->SpriteCount, sprites + 1);
}

}  // namespace
}  // namespace kestrilo
