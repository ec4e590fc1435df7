// The interface language. Russian is the language the texts are written in
// and the default; English comes from the translation the build compiles into
// the program. The choice is kept in the user's settings and takes effect at
// the next start.
#pragma once

#include <QString>
#include <memory>
#include <vector>

class QLocale;
class QSettings;
class QTranslator;

namespace kestrilo {

enum class TLanguage { Russian, English };

// Russian when nothing (or something unknown) is stored.
TLanguage StoredLanguage(QSettings& Settings);
void StoreLanguage(QSettings& Settings, TLanguage Language);

// The language of the command-line programs' messages: Russian when the
// locale asks for Russian, English otherwise. QLocale::system() reads the
// user's LC_ALL, LC_MESSAGES, LANG and LANGUAGE.
TLanguage LanguageOfLocale(const QLocale& Locale);

// The compiled English translation of the editor's texts (a resource).
QString EnglishTranslationFile();

// Installs the translators of a language into the application while it lives.
class TInterfaceTranslators {
 public:
  explicit TInterfaceTranslators(TLanguage Language);
  ~TInterfaceTranslators();
  TInterfaceTranslators(const TInterfaceTranslators&) = delete;
  TInterfaceTranslators& operator=(const TInterfaceTranslators&) = delete;

  TLanguage Language() const { return language_; }
  // False when the translation could not be loaded (the texts stay Russian).
  bool EditorTextsLoaded() const { return editorTexts_; }

 private:
  bool Install(const QString& file, const QString& folder = {});
  TLanguage language_;
  bool editorTexts_ = false;
  std::vector<std::unique_ptr<QTranslator>> installed_;
};

}  // namespace kestrilo
