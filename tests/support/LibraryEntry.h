// Fills an object library the way the new-object dialog does, for tests that
// write a sample objects file. Only for test executables that link the library.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "library/ObjectDataBase.h"
#include "library/ObjectRecord.h"
#include "platform/Cp1251.h"

namespace kestrilo::testsupport {

// Adds an entry named `utf8Name` (stored as Windows-1251) with default picture
// settings, its picture read from the bitmap file at `bitmapPath`.
inline void AddLibraryEntry(TObjectDataBase& library, uint8_t type, int32_t number, std::string_view utf8Name,
                            const std::string& bitmapPath) {
  TObjectRecord record;
  record.ObjType = type;
  record.Number = number;
  record.Name = W1251(utf8Name);
  library.AddObject(record, bitmapPath, TPictureSettings{});
}

}  // namespace kestrilo::testsupport
