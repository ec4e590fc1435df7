#include "editor/HelpTexts.h"

#include "platform/Translated.h"
namespace kestrilo {

std::vector<std::string> HelpScreenLines() {
  static const char* const lines[] = {
      QT_TRANSLATE_NOOP("HelpTexts", "Управление в редакторе:"),
      QT_TRANSLATE_NOOP("HelpTexts", "курсорные клавиши: "),
      QT_TRANSLATE_NOOP("HelpTexts", "лево/право/верх/низ"),
      QT_TRANSLATE_NOOP("HelpTexts", "также вверх/вниз можно "),
      QT_TRANSLATE_NOOP("HelpTexts", "контролировать MWHEEL UP/DOWN"),
      "",
      QT_TRANSLATE_NOOP("HelpTexts", "После загрузки необходимо "),
      QT_TRANSLATE_NOOP("HelpTexts", "загрузить файл графики:Меню/Объект/Открыть файл объектов"),
      QT_TRANSLATE_NOOP("HelpTexts", "Далее загрузить тестовый "),
      QT_TRANSLATE_NOOP("HelpTexts", "уровень:"),
      QT_TRANSLATE_NOOP("HelpTexts", "файл --> загрузить матрицу /  из "),
      QT_TRANSLATE_NOOP("HelpTexts", "каталога DATA / matrix1.mtx"),
      "",
      QT_TRANSLATE_NOOP("HelpTexts", "Далее: отключить сетку (настройка/сетка/нет)"),
      QT_TRANSLATE_NOOP("HelpTexts", "Затем: предварительный просмотр (ВНИМАНИЕ! при предварительном"),
      QT_TRANSLATE_NOOP("HelpTexts", "просмотре игрок может быть уничтожен! последствия непредсказуемы...)"),
      "",
      QT_TRANSLATE_NOOP("HelpTexts", "Управление игроком: W/A/S/D + Space на лифте"),
      "",
      QT_TRANSLATE_NOOP("HelpTexts", "ВНИМАНИЕ: ПРОГРАММА АДАПТИРОВАНА ПОД 800х600х16 !!!"),
  };
  std::vector<std::string> shown;
  for (const char* line : lines) shown.push_back(*line ? Translated("HelpTexts", line) : std::string());
  return shown;
}

std::string HelpCreditLine() { return "Kestrilo V.09 - the Kestrilo team, kestrilo.team@example.org"; }

std::string AboutMessage() {
  return "Kestrilo V.09 (version 0.9) by the Kestrilo team; graphics by the Qt toolkit; "
         "contact: kestrilo.team@example.org";
}

}  // namespace kestrilo
