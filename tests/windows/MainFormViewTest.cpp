// The main window at every size: the drawing area takes the room the docks
// leave, the pointer places on the cell under it in the edit view and in the
// scaled preview, the docks' arrangement comes back from the settings file,
// and the level-check list sums up and leads to its findings.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTest>

#include "DesktopTestSupport.h"
#include "matrix/Matrix.h"
#include "platform/widgets/DXDraw.h"
#include "sprites/DXSpriteEngine.h"
#include "sprites/SpriteEngine.h"
#include "windows/LevelCheckWindow.h"
#include "windows/ViewArea.h"
#include "windows/WindowLayout.h"
#include "world/GameContext.h"

namespace kestrilo {
namespace {

using editortest::TDesktopFixture;

// The library open and the wall chosen.
TForm1& OpenWithWall(TDesktopFixture& f) {
  TForm1& form = f.Open();
  form.N2Click();
  EXPECT_EQ(form.ComboBox2->currentText(), QString::fromUtf8("Стена"));
  return form;
}

int32_t Placed(TForm1& form, int64_t column, int64_t row) {
  return form.Context().DesignedLevel().Cells[column][row].ObjectNumber;
}

TEST(MainFormView, AFirstStartShowsTheClassicLayout) {
  TDesktopFixture f;
  TForm1& form = f.Open();
  QApplication::processEvents();
  // The classic client area under the menu bar, the drawing area 640 by 480
  // at (8, 32) in it, the side panel's controls at their classic places.
  EXPECT_EQ(form.width(), TForm1::kClientWidth);
  EXPECT_EQ(form.height() - form.menuBar()->height(), TForm1::kClientHeight);
  EXPECT_EQ(QRect(form.DXDraw1->mapTo(&form, QPoint(0, 0)) - QPoint(0, form.menuBar()->height()), form.DXDraw1->size()),
            QRect(8, 32, 640, 480));
  EXPECT_EQ(form.ComboBox1->mapTo(&form, QPoint(0, 0)).x(), 664);
  form.Editor().Frames().Step();
  EXPECT_EQ(form.DXDraw1->PresentedImage().size(), QSize(640, 480));
}

TEST(MainFormView, TheDrawingAreaGrowsWithTheWindowAndClicksLandOnTheCellUnderThem) {
  TDesktopFixture f;
  TForm1& form = OpenWithWall(f);
  const int32_t wall = f.Sample.NumberOf("Стена");
  for (const QSize window : {QSize(1920, 1050), QSize(1024, 740), QSize(800, 560), QSize(2400, 1400)}) {
    SCOPED_TRACE(testing::Message() << window.width() << "x" << window.height());
    form.resize(window);
    QApplication::processEvents();
    // All the room the docks leave, with the classic margins.
    const QSize view = form.DXDraw1->size();
    EXPECT_EQ(form.size(), window);
    EXPECT_GT(view.width(), window.width() - 250);  // only the side panel beside it
    EXPECT_GT(view.height(), window.height() - 120);
    EXPECT_EQ(form.ViewArea->size(), TViewArea::SizeFor(view));
    EXPECT_EQ(form.ViewArea->width() + form.SidePanelDock->width(),
              form.width() - form.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent));
    form.Editor().Frames().Step();
    ASSERT_EQ(form.DXDraw1->PresentedImage().size(), view);
    // The far corner of the area: the cell there gets the wall.
    const QPoint corner(view.width() - 3, view.height() - 3);
    QTest::mouseClick(form.DXDraw1, Qt::LeftButton, Qt::NoModifier, corner);
    EXPECT_EQ(Placed(form, corner.x() / 32, corner.y() / 32), wall);
  }
}

TEST(MainFormView, ThePreviewIsScaledByAWholeFactorAndClicksMapBackToItsPixels) {
  TDesktopFixture f;
  TForm1& form = OpenWithWall(f);
  form.resize(1920, 1050);
  QApplication::processEvents();
  form.N17Click();  // the preview
  form.Editor().Frames().Step();
  const QImage frame = form.DXDraw1->PresentedImage();
  ASSERT_EQ(frame.size(), QSize(640, 480));
  const TViewScale scale = form.DXDraw1->Scale();
  const QSize area = form.DXDraw1->size();
  ASSERT_EQ(scale.Factor, std::min(area.width() / 640, area.height() / 480));
  ASSERT_GE(scale.Factor, 2);
  EXPECT_EQ(scale.Left, (area.width() - 640 * scale.Factor) / 2);
  // Pixel for pixel: every device pixel of a frame pixel's square shows it; round it, black.
  const QImage shown = form.DXDraw1->grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (const QPoint p : {QPoint(0, 0), QPoint(300, 200), QPoint(639, 479)})
    for (const QPoint d : {QPoint(0, 0), QPoint(scale.Factor - 1, scale.Factor - 1)})
      EXPECT_EQ(shown.pixel(scale.Left + p.x() * scale.Factor + d.x(), scale.Top + p.y() * scale.Factor + d.y()),
                frame.pixel(p) | 0xFF000000u);
  if (scale.Left > 0) EXPECT_EQ(shown.pixel(scale.Left - 1, area.height() / 2), qRgb(0, 0, 0));
  // A click on game pixel (100, 70) places in cell (3, 2); one beside the frame places nothing.
  const QPoint at(scale.Left + 100 * scale.Factor + 1, scale.Top + 70 * scale.Factor + 1);
  EXPECT_EQ(form.DXDraw1->ToFramePoint(at), QPoint(100, 70));
  QTest::mouseClick(form.DXDraw1, Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(Placed(form, 3, 2), f.Sample.NumberOf("Стена"));
  if (scale.Left > 2) {
    const int32_t sprites = form.Context().SpriteEngine->Engine()->SpriteCount;
    QTest::mouseClick(form.DXDraw1, Qt::LeftButton, Qt::NoModifier, QPoint(1, 300));
    EXPECT_EQ(form.Context().SpriteEngine->Engine()->SpriteCount, sprites);
  }
  // Back to editing: the level 1:1 over the whole area again.
  form.N17Click();
  form.Editor().Frames().Step();
  EXPECT_EQ(form.DXDraw1->PresentedImage().size(), area);
}

TEST(MainFormView, TheWindowsSizeAndDocksComeBackFromTheSettingsFile) {
  TDesktopFixture f;
  {
    TForm1& form = f.Open();
    // A first start keeps nothing: the classic size stays.
    EXPECT_FALSE(TWindowLayout::Restore(form, *f.Settings));
    EXPECT_EQ(form.width(), TForm1::kClientWidth);
    form.resize(1200, 800);
    form.addDockWidget(Qt::LeftDockWidgetArea, form.SidePanelDock);
    form.OverviewDock->setFloating(true);
    form.LevelCheck().show();
    form.SidePanelDock->toggleViewAction()->trigger();  // closed from the View menu
    QApplication::processEvents();
    EXPECT_FALSE(form.SidePanelDock->isVisible());
    TWindowLayout::Save(form, *f.Settings);
  }
  f.Windows.reset();
  QSettings reread(f.Settings->fileName(), QSettings::IniFormat);
  TForm1& again = f.Open();
  ASSERT_TRUE(TWindowLayout::Restore(again, reread));
  QApplication::processEvents();
  EXPECT_EQ(again.size(), QSize(1200, 800));
  EXPECT_EQ(again.dockWidgetArea(again.SidePanelDock), Qt::LeftDockWidgetArea);
  EXPECT_FALSE(again.SidePanelDock->isVisible());
  EXPECT_TRUE(again.OverviewDock->isFloating());
  EXPECT_TRUE(again.LevelCheck().isVisible());
  // Reopened from the View menu.
  again.SidePanelDock->toggleViewAction()->trigger();
  EXPECT_TRUE(again.SidePanelDock->isVisible());
  EXPECT_TRUE(again.ViewMenu->actions().contains(again.SidePanelDock->toggleViewAction()));
  EXPECT_TRUE(again.ViewMenu->actions().contains(again.LevelCheck().toggleViewAction()));

  // A damaged value leaves the window as it is.
  QSettings damaged(f.SettingsDir.filePath("damaged.ini"), QSettings::IniFormat);
  damaged.setValue("MainWindow/Geometry", QByteArray("not a geometry"));
  damaged.setValue("MainWindow/State", QByteArray("\x01\x02\x03"));
  EXPECT_FALSE(TWindowLayout::Restore(again, damaged));
  EXPECT_EQ(again.size(), QSize(1200, 800));
}

TLevelFinding Finding(const char* kind, std::vector<TLevelFinding::TCell> cells) {
  TLevelFinding finding;
  finding.Kind = kind;
  finding.Text = kind;
  finding.Cells = cells;
  finding.CellCount = static_cast<int32_t>(cells.size());
  return finding;
}

TEST(LevelCheckList, TheSummaryCountsTheFindingsOfEachKind) {
  struct TCase {
    std::vector<const char*> Kinds;
    const char* Summary;
  };
  const TCase cases[] = {
      {{}, "Проблем не найдено"},
      {{"noStartMarker"}, "Проблем найдено: 1 — нет метки старта: 1"},
      {{"doorWithoutKey", "unknownObject", "doorWithoutKey"},
       "Проблем найдено: 3 — нет в библиотеке: 1, двери без ключа: 2"},
      {{"missingPicture", "somethingNew"}, "Проблем найдено: 2 — нет картинки: 1, somethingNew: 1"},
  };
  for (const TCase& c : cases) {
    std::vector<TLevelFinding> findings;
    for (const char* kind : c.Kinds) findings.push_back(Finding(kind, {}));
    EXPECT_EQ(TLevelCheckWindow::Summary(findings), QString::fromUtf8(c.Summary));
  }
}

TEST(LevelCheckList, AClickCentresTheViewOnTheFindingAndMarksItsCell) {
  TDesktopFixture f;
  TForm1& form = f.Open();
  form.N2Click();
  TLevelCheckWindow& list = form.LevelCheck();
  EXPECT_FALSE(list.isVisible());
  form.Editor().Attachments.LevelChecked(
      {Finding("unknownObject", {{0, 120, 100}, {0, 150, 20}}), Finding("noStartMarker", {})});
  ASSERT_TRUE(list.isVisible());  // findings bring the list into view
  EXPECT_EQ(list.SummaryLine->text(),
            QString::fromUtf8("Проблем найдено: 2 — нет в библиотеке: 1, нет метки старта: 1"));
  ASSERT_EQ(list.List->count(), 2);
  const TMatrix& level = *form.Context().PlayedLevel;
  const int32_t columns = form.Editor().ColumnsShown(), rows = form.Editor().RowsShown();
  // The first click leads to the first place, the next to the second.
  list.List->itemClicked(list.List->item(0));
  EXPECT_EQ(level.GetOriginX(), 120 - columns / 2);
  EXPECT_EQ(level.GetOriginY(), 100 - rows / 2);
  EXPECT_EQ(form.Editor().MarkedCell(), (TCellPoint{120, 100}));
  list.List->itemClicked(list.List->item(0));
  EXPECT_EQ(form.Editor().MarkedCell(), (TCellPoint{150, 20}));
  // A finding without a place leads nowhere.
  list.List->itemClicked(list.List->item(1));
  EXPECT_EQ(form.Editor().MarkedCell(), (TCellPoint{150, 20}));
  // The mark is drawn: its outline lies on the cell in the next frame.
  form.Editor().Frames().Step();
  const QImage frame = form.DXDraw1->PresentedImage();
  const QPoint cell((150 - level.GetOriginX()) * 32, (20 - level.GetOriginY()) * 32);
  EXPECT_NE(frame.pixel(cell + QPoint(1, 1)), frame.pixel(cell + QPoint(16, 16)));
  // It closes and reopens like any dock; a level without findings only says so.
  list.close();
  EXPECT_FALSE(list.isVisible());
  form.Editor().Attachments.LevelChecked({});
  EXPECT_FALSE(list.isVisible());
  list.toggleViewAction()->trigger();
  EXPECT_TRUE(list.isVisible());
  EXPECT_EQ(list.SummaryLine->text(), QString::fromUtf8("Проблем не найдено"));
  EXPECT_EQ(list.List->count(), 0);
}

}  // namespace
}  // namespace kestrilo
