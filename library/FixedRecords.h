// The object and monster files are nothing but fixed-size records one after
// another. A trailing part shorter than a record is ignored, as the editor has
// always read such files.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/BinaryIO.h"

namespace kestrilo {

// TRecord provides kSize and a static ReadFrom(TByteReader&).
template <typename TRecord>
std::vector<TRecord> ParseFixedRecords(std::string_view bytes) {
  const size_t count = bytes.size() / TRecord::kSize;
  std::vector<TRecord> records;
  records.reserve(count);
  TByteReader reader(bytes);
  for (size_t i = 0; i < count; ++i) records.push_back(TRecord::ReadFrom(reader));
  return records;
}

}  // namespace kestrilo
