#include "library/MonstersDataBase.h"

#include "library/FixedRecords.h"
#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"

namespace kestrilo {

void TMonstersDataBase::LoadFromFile(const std::string& path) {
  // The temporary a killed save of the monster editor left goes first, as it
  // does when the monster editor loads the file.
  const std::string source = TSaveLeftovers({path}).ResolveForLoad().front();
  if (!FileExists(source)) return;  // the monster file is optional
  Records = RecordsFromBytes(ReadWholeFile(source));
}

std::vector<TMonsterRecord> TMonstersDataBase::RecordsFromBytes(std::string_view bytes) {
  return ParseFixedRecords<TMonsterRecord>(bytes);
}

int32_t TMonstersDataBase::IndexOfName(std::string_view name) const {
  for (size_t i = 0; i < Records.size(); ++i) {
    if (Records[i].Name == name) return static_cast<int32_t>(i);
  }
  return 0;
}

TMonsterRecord TMonstersDataBase::GetRecord(int32_t index) const {
  if (index < 0 || index >= Count()) throw EListError(ListIndexMessage(index));
  return Records[static_cast<size_t>(index)];
}

}  // namespace kestrilo
