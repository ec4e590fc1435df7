#include "shell/HelpTexts.h"

namespace kestrilo {

const std::vector<std::string>& HelpScreenLines() {
  static const std::vector<std::string> lines = {
      "Управление в редакторе:",
      "курсорные клавиши: ",
      "лево/право/верх/низ",
      "также вверх/вниз можно ",
      "контролировать MWHEEL UP/DOWN",
      "",
      "После загрузки необходимо ",
      "загрузить файл графики:Меню/Объект/Открыть файл объектов",
      "Далее загрузить тестовый ",
      "уровень:",
      "файл --> загрузить матрицу /  из ",
      "каталога DATA / matrix1.mtx",
      "",
      "Далее: отключить сетку (настройка/сетка/нет)",
      "Затем: предварительный просмотр (ВНИМАНИЕ! при предварительном",
      "просмотре игрок может быть уничтожен! последствия непредсказуемы...)",
      "",
      "Управление игроком: W/A/S/D + Space на лифте",
      "",
      "ВНИМАНИЕ: ПРОГРАММА АДАПТИРОВАНА ПОД 800х600х16 !!!",
  };
  return lines;
}

std::string HelpCreditLine() { return "Kestrilo V.09 - the Kestrilo team, kestrilo.team@example.org"; }

std::string AboutMessage() {
  return "Kestrilo V.09 (version 0.9) by the Kestrilo team; graphics by the Qt toolkit; "
         "contact: kestrilo.team@example.org";
}

}  // namespace kestrilo
