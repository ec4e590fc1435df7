// The history and find-and-replace docks over the editor: a click on a step
// of the history goes there through the editor, the find panel's buttons run
// the find part and say what came of it, and the main window offers both in
// "Вид" and their commands in "Правка" without a shortcut taken twice.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoView>

#include "platform/ScriptedDialogService.h"
#include "tests/editor/EditorTestSupport.h"
#include "windows/FindPanel.h"
#include "windows/HistoryPanel.h"
#include "windows/MainForm.h"

namespace kestrilo {
namespace {

class HistoryAndFindPanels : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteSampleData();
    f.OpenObjects();
    f.Tick();
    for (const int32_t column : {1, 2, 3}) f.ClickAt(column * 32, 64, "Стена");
    ASSERT_EQ(f.Editor.UndoStack.count(), 3);
  }
  editortest::TEditorFixture f;
};

TEST_F(HistoryAndFindPanels, AClickOnAStepOfTheHistoryGoesThereThroughTheEditor) {
  THistoryPanel panel(f.Editor, nullptr);
  panel.resize(300, 300);
  panel.show();
  QUndoView& list = *panel.StepList;
  ASSERT_EQ(list.model()->rowCount(), 4);  // the start and three placements
  EXPECT_EQ(list.model()->index(0, 0).data().toString(), QString::fromUtf8("Начало истории"));
  const int redraws = f.OverviewRedraws;
  struct TClick {
    int Row;
    const char* Result;
  };
  const TClick clicks[] = {
      {1, "Отменено шагов: 2; последний: размещение «Стена»"},
      {0, "Отменено: размещение «Стена»"},
      {3, "Повторено шагов: 3; последний: размещение «Стена»"},
  };
  for (const TClick& click : clicks) {
    SCOPED_TRACE(click.Row);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.model()->index(click.Row, 0)).center());
    EXPECT_EQ(f.Editor.UndoStack.index(), click.Row);
    EXPECT_EQ(f.Editor.Document.LastResult, click.Result);
    EXPECT_EQ(f.Editor.Document.LevelModified(), click.Row > 0);
    EXPECT_EQ(f.Context.DesignedLevel().Cells[1][2].ObjectNumber, click.Row > 0 ? f.NumberOf("Стена") : -1);
  }
  EXPECT_GT(f.OverviewRedraws, redraws);
  // Ctrl+Z elsewhere moves the list's current step along.
  f.Editor.Undo();
  EXPECT_EQ(list.selectionModel()->currentIndex().row(), 2);
}

TEST_F(HistoryAndFindPanels, TheFindPanelsButtonsFindMarkAndReplaceAndSayWhatCameOfIt) {
  TFindPanel panel(f.Editor, nullptr);
  panel.Open();
  ASSERT_EQ(panel.NameField->count(), static_cast<int>(editortest::SampleObjects().size()));
  panel.NameField->setEditText(QString::fromUtf8("Стена"));
  QTest::mouseClick(panel.NextButton, Qt::LeftButton);
  QTest::mouseClick(panel.NextButton, Qt::LeftButton);
  EXPECT_EQ(f.Editor.MarkedCell(), (TCellPoint{2, 2}));
  EXPECT_EQ(panel.ResultLabel->text(), QString::fromUtf8("«Стена»: 2 из 3, план 0, столбец 2, строка 2"));
  QTest::mouseClick(panel.PreviousButton, Qt::LeftButton);
  EXPECT_EQ(f.Editor.MarkedCell(), (TCellPoint{1, 2}));
  QTest::mouseClick(panel.MarkAllButton, Qt::LeftButton);
  EXPECT_EQ(f.Editor.Find().MarkedRegions().size(), 3u);
  QTest::mouseClick(panel.ClearMarksButton, Qt::LeftButton);
  EXPECT_TRUE(f.Editor.Find().MarkedRegions().empty());

  // Into the selection, which is empty: refused, nothing changes.
  panel.ScopeField->setCurrentIndex(1);
  panel.ReplacementField->setEditText(QString::fromUtf8("Облака"));
  QTest::mouseClick(panel.ReplaceButton, Qt::LeftButton);
  EXPECT_EQ(panel.ResultLabel->text(), QString::fromUtf8("Ничего не выделено: выделите клетки Shift и левой кнопкой"));
  EXPECT_EQ(f.Editor.UndoStack.count(), 3);
  // In the level: one step.
  panel.ScopeField->setCurrentIndex(0);
  QTest::mouseClick(panel.ReplaceButton, Qt::LeftButton);
  EXPECT_EQ(panel.ResultLabel->text(), QString::fromUtf8("Заменено объектов: 3"));
  EXPECT_EQ(f.Editor.UndoStack.count(), 4);
  // The typed names outlive the lists' refill at every step of the history.
  EXPECT_EQ(panel.NameField->currentText(), QString::fromUtf8("Стена"));
  EXPECT_EQ(panel.ReplacementField->currentText(), QString::fromUtf8("Облака"));
}

TEST(HistoryAndFindPanelsInTheWindow, BothReopenFromTheViewMenuAndNoShortcutIsTakenTwice) {
  QTemporaryDir dir;
  TScriptedDialogService dialogs;
  TForm1 form(dir.path().toStdString() + "/", &dialogs);
  QStringList toggles;
  for (QAction* action : form.ViewMenu->actions()) toggles << action->objectName();
  EXPECT_TRUE(toggles.contains("HistoryPanelToggle"));
  EXPECT_TRUE(toggles.contains("FindPanelToggle"));
  QSet<QString> shortcuts;
  for (QAction* action : form.findChildren<QAction*>()) {
    for (const QKeySequence& key : action->shortcuts()) {
      SCOPED_TRACE(action->objectName().toStdString());
      EXPECT_FALSE(shortcuts.contains(key.toString())) << key.toString().toStdString();
      shortcuts.insert(key.toString());
    }
  }
  EXPECT_TRUE(shortcuts.contains("Ctrl+H"));
  QAction* find = form.findChild<QAction*>("EditFind");
  ASSERT_NE(find, nullptr);
  find->trigger();
  EXPECT_FALSE(form.FindPanel->isHidden());
}

}  // namespace
}  // namespace kestrilo
