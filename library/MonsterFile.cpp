#include "library/MonsterFile.h"

#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"

namespace kestrilo {

std::string TMonsterFileEntry::ToBytes() const {
  std::string bytes = Bytes;
  Record.WriteOver(bytes);
  return bytes;
}

TMonsterFileEntry TMonsterFileEntry::FromBytes(std::string_view bytes) {
  TMonsterFileEntry entry;
  entry.Record = TMonsterRecord::FromBytes(bytes);
  entry.Bytes = std::string(bytes.substr(0, TMonsterRecord::kSize));
  return entry;
}

TMonsterFile TMonsterFile::FromBytes(std::string_view bytes) {
  TMonsterFile file;
  for (size_t at = 0; at + TMonsterRecord::kSize <= bytes.size(); at += TMonsterRecord::kSize)
    file.entries_.push_back(TMonsterFileEntry::FromBytes(bytes.substr(at, TMonsterRecord::kSize)));
  return file;
}

TMonsterFile TMonsterFile::Load(const std::string& path) {
  // A one-file save commits with its rename, so a temporary it left beside
  // the file was never committed and goes; the file is the one last saved.
  const std::string source = TSaveLeftovers({path}).ResolveForLoad().front();
  if (!FileExists(source)) return {};
  return FromBytes(ReadWholeFile(source));
}

std::string TMonsterFile::ToBytes() const {
  std::string bytes;
  bytes.reserve(entries_.size() * TMonsterRecord::kSize);
  for (const TMonsterFileEntry& entry : entries_) bytes += entry.ToBytes();
  return bytes;
}

void TMonsterFile::Save(const std::string& path, TFileSystem& files) const { WriteFileAtomic(path, ToBytes(), files); }

void TMonsterFile::CheckIndex(int32_t index, int32_t count) const {
  if (index < 0 || index >= count) throw EListError(ListIndexMessage(index));
}

const TMonsterFileEntry& TMonsterFile::Entry(int32_t index) const {
  CheckIndex(index, Count());
  return entries_[static_cast<size_t>(index)];
}

std::vector<TMonsterRecord> TMonsterFile::Records() const {
  std::vector<TMonsterRecord> records;
  records.reserve(entries_.size());
  for (const TMonsterFileEntry& entry : entries_) records.push_back(entry.Record);
  return records;
}

void TMonsterFile::SetRecord(int32_t index, const TMonsterRecord& record) {
  CheckIndex(index, Count());
  entries_[static_cast<size_t>(index)].Record = record;
}

int32_t TMonsterFile::Add(const TMonsterRecord& record) {
  TMonsterFileEntry entry;
  entry.Record = record;
  entries_.push_back(std::move(entry));
  return Count() - 1;
}

int32_t TMonsterFile::Duplicate(int32_t index) {
  TMonsterFileEntry copy = Entry(index);
  Insert(index + 1, std::move(copy));
  return index + 1;
}

void TMonsterFile::Insert(int32_t index, TMonsterFileEntry entry) {
  CheckIndex(index, Count() + 1);
  if (entry.Bytes.size() != TMonsterRecord::kSize) entry.Bytes.resize(TMonsterRecord::kSize, '\0');
  entries_.insert(entries_.begin() + index, std::move(entry));
}

TMonsterFileEntry TMonsterFile::Remove(int32_t index) {
  CheckIndex(index, Count());
  TMonsterFileEntry entry = std::move(entries_[static_cast<size_t>(index)]);
  entries_.erase(entries_.begin() + index);
  return entry;
}

void TMonsterFile::Move(int32_t from, int32_t to) {
  CheckIndex(from, Count());
  CheckIndex(to, Count());
  TMonsterFileEntry entry = Remove(from);
  Insert(to, std::move(entry));
}

int32_t TMonsterFile::FindName(std::string_view name) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].Record.Name == name) return static_cast<int32_t>(i);
  return -1;
}

int32_t TMonsterFile::RecordUsedFor(std::string_view name) const {
  if (entries_.empty()) return -1;
  const int32_t found = FindName(name);
  return found >= 0 ? found : 0;
}

}  // namespace kestrilo
