#include "editor/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace kestrilo {

namespace {
const char* const kLanguageKey = "Language";
}

TLanguage StoredLanguage(QSettings& Settings) {
  return Settings.value(kLanguageKey).toString() == "en" ? TLanguage::English : TLanguage::Russian;
}

void StoreLanguage(QSettings& Settings, TLanguage Language) {
  Settings.setValue(kLanguageKey, Language == TLanguage::English ? "en" : "ru");
  Settings.sync();
}

TLanguage LanguageOfLocale(const QLocale& Locale) {
  return Locale.language() == QLocale::Russian ? TLanguage::Russian : TLanguage::English;
}

QString EnglishTranslationFile() { return ":/i18n/kestrilo_en.qm"; }

TInterfaceTranslators::TInterfaceTranslators(TLanguage Language) : language_(Language) {
  if (Language == TLanguage::English) {
    // Qt's own texts are English already.
    editorTexts_ = Install(EnglishTranslationFile());
  } else {
    // The editor's texts are Russian as written; Qt's own texts (dialog
    // buttons, file dialog labels) follow them when Qt's translations are installed.
    editorTexts_ = true;
    Install("qtbase_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  }
}

TInterfaceTranslators::~TInterfaceTranslators() {
  for (const auto& translator : installed_) QCoreApplication::removeTranslator(translator.get());
}

bool TInterfaceTranslators::Install(const QString& file, const QString& folder) {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(file, folder)) return false;
  if (!QCoreApplication::installTranslator(translator.get())) return false;
  installed_.push_back(std::move(translator));
  return true;
}

}  // namespace kestrilo
