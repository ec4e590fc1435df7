#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "DesktopTestSupport.h"
#include "editor/HelpTexts.h"
#include "editor/RecentLevels.h"
#include "editor/Translations.h"
#include "windows/HelpScreen.h"
#include "windows/LanguageMenu.h"
#include "windows/LoadingWindow.h"
#include "windows/MenuMnemonics.h"
#include "windows/NewObjectDialog.h"
#include "world/GameContext.h"

using namespace kestrilo;
using namespace kestrilo::editortest;

namespace {

bool HasCyrillic(const QString& text) { return text.contains(QRegularExpression("[\\x{0400}-\\x{04FF}]")); }

// Every text a window shows: captions, titles, list lines, menu items.
void CollectTexts(QWidget* window, QStringList& texts) {
  texts << window->windowTitle();
  for (QLabel* label : window->findChildren<QLabel*>()) texts << label->text();
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) texts << button->text();
  for (QGroupBox* group : window->findChildren<QGroupBox*>()) texts << group->title();
  for (QComboBox* list : window->findChildren<QComboBox*>())
    for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
  for (QPlainTextEdit* memo : window->findChildren<QPlainTextEdit*>()) texts << memo->toPlainText();
  for (QMenu* menu : window->findChildren<QMenu*>()) {
    texts << TMenuMnemonics::WithoutMnemonic(menu->title());
    for (QAction* item : menu->actions()) texts << TMenuMnemonics::WithoutMnemonic(item->text());
  }
}

struct TMessage {
  QString Context, Source, Translation, Type;
};

std::vector<TMessage> ReadTranslationFile(const QString& path) {
  std::vector<TMessage> messages;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return messages;
  QXmlStreamReader xml(&file);
  QString context;
  TMessage message;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() == u"name") context = xml.readElementText();
    if (xml.name() == u"message") message = TMessage{context, {}, {}, {}};
    if (xml.name() == u"source") message.Source = xml.readElementText();
    if (xml.name() == u"translation") {
      message.Type = xml.attributes().value("type").toString();
      message.Translation = xml.readElementText();
      messages.push_back(message);
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return messages;
}

void ExpectCompleteEnglish(const std::vector<TMessage>& messages, const char* which) {
  ASSERT_GT(messages.size(), 100u) << which;
  for (const TMessage& m : messages) {
    const std::string where = std::string(which) + ": " + m.Context.toStdString() + " / " + m.Source.toStdString();
    EXPECT_TRUE(m.Type.isEmpty()) << where << " is " << m.Type.toStdString();
    EXPECT_FALSE(m.Translation.isEmpty()) << where;
    EXPECT_FALSE(HasCyrillic(m.Translation)) << where;
    // Placeholders and the filter's parts survive translation.
    for (const QString& kept : {QString("%1"), QString("|"), QString("(*.")})
      EXPECT_EQ(m.Source.count(kept), m.Translation.count(kept)) << where;
  }
}

}  // namespace

TEST(Translations, TheLanguageChoiceIsKeptAndRussianIsTheDefault) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath("kestrilo.ini"), QSettings::IniFormat);
  EXPECT_EQ(StoredLanguage(settings), TLanguage::Russian);
  StoreLanguage(settings, TLanguage::English);
  QSettings reopened(dir.filePath("kestrilo.ini"), QSettings::IniFormat);
  EXPECT_EQ(StoredLanguage(reopened), TLanguage::English);
  reopened.setValue("Language", "klingon");
  EXPECT_EQ(StoredLanguage(reopened), TLanguage::Russian);
}

TEST(Translations, EnglishWindowsShowNoRussianTextButTheFilesOwnNames) {
  TDesktopFixture f;
  const TInterfaceTranslators english(TLanguage::English);
  ASSERT_TRUE(english.EditorTextsLoaded());
  TRecentLevels recent(*f.Settings);
  recent.Add(f.Sample.Path("somewhere.mtf"));
  TForm1& form = f.Open();
  ConnectRecentLevels(form, recent);
  new TLanguageMenu(form, *f.Settings, TLanguage::English);

  QStringList texts;
  for (QWidget* window : std::initializer_list<QWidget*>{f.Windows->Form1.get(), f.Windows->Form2.get(),
                                                         f.Windows->Form3.get(), f.Windows->Form4.get()})
    CollectTexts(window, texts);
  // The language menu reads the same in both languages; the new object's
  // default name is the name stored in the library.
  const QStringList bilingual = {QString::fromUtf8("Язык / Language"), QString::fromUtf8("Русский"),
                                 QString::fromUtf8("новый")};
  int checked = 0;
  for (const QString& text : texts) {
    if (bilingual.contains(text)) continue;
    EXPECT_FALSE(HasCyrillic(text)) << text.toStdString();
    ++checked;
  }
  EXPECT_GT(checked, 80);
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.N1->title()), "File");
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.N8->text()), "Load matrix");
  EXPECT_EQ(form.Label1->text(), "Object type:");

  // The messages and questions of the commands speak English too.
  form.N8->trigger();
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_EQ(f.Dialogs.Messages()[0], "The objects file has not been loaded... The matrix cannot be loaded!");
  f.Dialogs.MessageAnswers = {TModalResult::mrNo};
  form.N4->trigger();
  EXPECT_EQ(f.Dialogs.Asked.back().Text, "Really exit?");
  EXPECT_EQ(f.Dialogs.Asked.back().Caption, "Confirm exit!");

  // The names the files hold stay as stored: the type list says "Wall", the
  // library's own wall is still "Стена", and the player's picture is found by its name.
  form.N2->trigger();
  EXPECT_EQ(form.ComboBox1->itemText(0), "Wall");
  ASSERT_GT(form.ComboBox2->count(), 0);
  EXPECT_EQ(form.ComboBox2->itemText(0), QString::fromUtf8("Стена"));
  EXPECT_NE(form.Context().PlayerSprite, nullptr);
  EXPECT_EQ(f.Dialogs.Messages().size(), 1u);  // no "not found" error
}

TEST(Translations, TheHelpScreenHasTwentyEnglishLines) {
  const std::vector<std::string> russian = HelpScreenLines();
  ASSERT_EQ(russian.size(), 20u);
  EXPECT_EQ(russian[0], "Управление в редакторе:");
  const TInterfaceTranslators english(TLanguage::English);
  const std::vector<std::string> lines = HelpScreenLines();
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines[0], "Editor controls:");
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_FALSE(HasCyrillic(QString::fromStdString(lines[i]))) << i;
    EXPECT_EQ(lines[i].empty(), russian[i].empty()) << i;  // the blank lines stay where they were
  }
}

TEST(Translations, EveryTranslatableTextHasAFinishedEnglishTranslation) {
  ExpectCompleteEnglish(ReadTranslationFile(KESTRILO_SOURCE_DIR "/translations/kestrilo_en.ts"), "committed");
}

TEST(Translations, TheTranslationFileCoversEveryTextOfTheSources) {
  // The translation tool scans the sources into a copy of the file: a text
  // added without its translation would be there unfinished.
  QTemporaryDir dir;
  const QString copy = dir.filePath("kestrilo_en.ts");
  ASSERT_TRUE(QFile::copy(KESTRILO_SOURCE_DIR "/translations/kestrilo_en.ts", copy));
  QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
  QStringList sources;
  for (const char* folder :
       {"platform", "platform/widgets", "library", "sprites", "matrix", "world", "editor", "windows", "app"}) {
    QDirIterator files(QString(KESTRILO_SOURCE_DIR "/") + folder, {"*.cpp", "*.h"}, QDir::Files);
    while (files.hasNext()) sources << files.next();
  }
  QFile list(dir.filePath("sources.lst"));
  ASSERT_TRUE(list.open(QIODevice::WriteOnly));
  list.write(sources.join('\n').toUtf8());
  list.close();
  QProcess lupdate;
  lupdate.start(KESTRILO_LUPDATE_PATH,
                {"-I", KESTRILO_SOURCE_DIR, "-locations", "none", "-no-obsolete", "-tr-function-alias",
                 "translate+=Translated", "@" + list.fileName(), "-ts", copy});
  ASSERT_TRUE(lupdate.waitForFinished(120000));
  ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
  ExpectCompleteEnglish(ReadTranslationFile(copy), "scanned");
  EXPECT_EQ(ReadTranslationFile(copy).size(),
            ReadTranslationFile(KESTRILO_SOURCE_DIR "/translations/kestrilo_en.ts").size());
}

TEST(LanguageMenu, TheChoiceIsKeptAndTheNextStartIsAnnouncedOnlyWhenItChangesSomething) {
  TDesktopFixture f;
  TForm1& form = f.Open();
  auto* menu = new TLanguageMenu(form, *f.Settings, TLanguage::Russian);
  // At the end of Настройки, after the layout's own items.
  EXPECT_EQ(form.N9->actions().back(), menu->Menu()->menuAction());
  EXPECT_TRUE(menu->RussianItem()->isChecked());
  EXPECT_FALSE(menu->EnglishItem()->isChecked());

  menu->RussianItem()->trigger();  // already Russian: nothing to say
  EXPECT_TRUE(f.Dialogs.Messages().empty());
  menu->EnglishItem()->trigger();
  EXPECT_EQ(StoredLanguage(*f.Settings), TLanguage::English);
  EXPECT_TRUE(menu->EnglishItem()->isChecked());
  EXPECT_FALSE(menu->RussianItem()->isChecked());
  ASSERT_EQ(f.Dialogs.Messages().size(), 1u);
  EXPECT_NE(f.Dialogs.Messages()[0].find("next start"), std::string::npos);
  // Back to the language the windows speak: kept, and nothing to announce.
  menu->RussianItem()->trigger();
  EXPECT_EQ(StoredLanguage(*f.Settings), TLanguage::Russian);
  EXPECT_EQ(f.Dialogs.Messages().size(), 1u);

  // A menu made after English was chosen shows it ticked.
  StoreLanguage(*f.Settings, TLanguage::English);
  auto* later = new TLanguageMenu(form, *f.Settings, TLanguage::Russian);
  EXPECT_TRUE(later->EnglishItem()->isChecked());
}
