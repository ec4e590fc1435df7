#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include "windows/HelpScreen.h"

using namespace kestrilo;

TEST(HelpScreen, TwentyLinesByteForByte) {
  const auto& lines = HelpScreenLines();
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines[0], "Управление в редакторе:");
  EXPECT_EQ(lines[1], "курсорные клавиши: ");
  EXPECT_EQ(lines[2], "лево/право/верх/низ");
  EXPECT_EQ(lines[3], "также вверх/вниз можно ");
  EXPECT_EQ(lines[4], "контролировать MWHEEL UP/DOWN");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], "После загрузки необходимо ");
  EXPECT_EQ(lines[7], "загрузить файл графики:Меню/Объект/Открыть файл объектов");
  EXPECT_EQ(lines[8], "Далее загрузить тестовый ");
  EXPECT_EQ(lines[9], "уровень:");
  EXPECT_EQ(lines[10], "файл --> загрузить матрицу /  из ");
  EXPECT_EQ(lines[11], "каталога DATA / matrix1.mtx");
  EXPECT_EQ(lines[12], "");
  EXPECT_EQ(lines[13], "Далее: отключить сетку (настройка/сетка/нет)");
  EXPECT_EQ(lines[14], "Затем: предварительный просмотр (ВНИМАНИЕ! при предварительном");
  EXPECT_EQ(lines[15], "просмотре игрок может быть уничтожен! последствия непредсказуемы...)");
  EXPECT_EQ(lines[16], "");
  EXPECT_EQ(lines[17], "Управление игроком: W/A/S/D + Space на лифте");
  EXPECT_EQ(lines[18], "");
  EXPECT_EQ(lines[19], "ВНИМАНИЕ: ПРОГРАММА АДАПТИРОВАНА ПОД 800х600х16 !!!");
  // The letters between the numbers of the last line are the Cyrillic "х" (U+0445).
  EXPECT_NE(lines[19].find("800\xD1\x85"
                           "600\xD1\x85"
                           "16"),
            std::string::npos);
  // Two spaces before "из" in line 11.
  EXPECT_NE(lines[10].find("/  \xD0\xB8\xD0\xB7 "), std::string::npos);
  for (int line : {1, 3, 6, 8, 10}) EXPECT_EQ(lines[line].back(), ' ') << line + 1;
}

TEST(HelpScreen, WindowShowsTheLinesReadOnly) {
  TForm4 form;
  EXPECT_EQ(form.windowTitle(), "Help screen");
  EXPECT_EQ(form.size(), QSize(429, 344));
  EXPECT_FALSE(form.isVisible());
  ASSERT_NE(form.Memo1, nullptr);
  EXPECT_TRUE(form.Memo1->isReadOnly());
  EXPECT_EQ(form.Memo1->geometry(), QRect(16, 32, 393, 289));
  EXPECT_EQ(form.Label1->geometry(), QRect(32, 8, 355, 13));
  const QTextDocument* doc = form.Memo1->document();
  ASSERT_EQ(doc->blockCount(), 20);
  for (int i = 0; i < 20; ++i)
    EXPECT_EQ(doc->findBlockByNumber(i).text().toStdString(), HelpScreenLines()[i]) << "line " << i + 1;
  EXPECT_NE(form.Label1->text().indexOf("Kestrilo"), -1);
  EXPECT_NE(form.Label1->text().indexOf("V.09"), -1);
  EXPECT_NE(form.Label1->text().indexOf('@'), -1);
}

TEST(HelpScreen, AboutNamesProgramVersionToolkitAndContact) {
  const std::string about = AboutMessage();
  EXPECT_NE(about.find("Kestrilo"), std::string::npos);
  EXPECT_NE(about.find("0.9"), std::string::npos);
  EXPECT_NE(about.find("Qt"), std::string::npos);
  EXPECT_NE(about.find('@'), std::string::npos);
}

TEST(HelpScreen, EveryLineFitsAndAllTwentyShowWithoutScrolling) {
  TForm4 form;
  form.show();
  QApplication::processEvents();
  const QTextDocument* doc = form.Memo1->document();
  for (int i = 0; i < doc->blockCount(); ++i) {
    const QTextBlock block = doc->findBlockByNumber(i);
    ASSERT_NE(block.layout(), nullptr);
    EXPECT_EQ(block.layout()->lineCount(), 1) << "line " << i + 1 << " wraps";
  }
  EXPECT_EQ(form.Memo1->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(form.Memo1->horizontalScrollBar()->maximum(), 0);
  EXPECT_GE(form.Memo1->font().pixelSize(), 8);
  form.hide();
}
