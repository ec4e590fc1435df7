// The names of the object types as the main window's type list shows them,
// in type-code order (the list's index is the code).
#pragma once

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrilo {

inline const char* const kObjectTypeNames[] = {
    QT_TRANSLATE_NOOP("kestrilo::TForm1", "Стена"),        QT_TRANSLATE_NOOP("kestrilo::TForm1", "Лифт"),
    QT_TRANSLATE_NOOP("kestrilo::TForm1", "Ключ"),         QT_TRANSLATE_NOOP("kestrilo::TForm1", "Дверь"),
    QT_TRANSLATE_NOOP("kestrilo::TForm1", "Фон"),          QT_TRANSLATE_NOOP("kestrilo::TForm1", "Монстр"),
    QT_TRANSLATE_NOOP("kestrilo::TForm1", "Аптечки"),      QT_TRANSLATE_NOOP("kestrilo::TForm1", "Патроны"),
    QT_TRANSLATE_NOOP("kestrilo::TForm1", "Ловушки"),      QT_TRANSLATE_NOOP("kestrilo::TForm1", "Игрок"),
    QT_TRANSLATE_NOOP("kestrilo::TForm1", "Динам. объект")};
inline constexpr const char* kObjectTypeContext = "kestrilo::TForm1";

// The translated name of a type code; the code itself for a byte that names no type.
std::string ObjectTypeName(uint8_t Type);

}  // namespace kestrilo
