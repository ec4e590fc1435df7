#include "library/ObjectDataBase.h"

#include <QPainter>

#include <filesystem>

#include "library/FixedRecords.h"
#include "library/PictureCollection.h"
#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"
#include "platform/Translated.h"

namespace kestrilo {

namespace {

const char* const kNoSuchName = QT_TRANSLATE_NOOP("TObjectDataBase", "В массиве нет такого имени. Нечего удалять!");
const char* const kRecordDeleted = QT_TRANSLATE_NOOP("TObjectDataBase", "Запись удалена!");
const char* const kFileMissing = QT_TRANSLATE_NOOP("TObjectDataBase", "Файл не существует!");

// Something that is not a plain file (a folder, say) at a target would make
// the second rename of a pair fail after the first one succeeded; refuse it
// before anything is written.
void RequireWritableTarget(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    throw EFCreateError(CannotCreateMessage(path));
  }
}

// The position of the picture that goes with a deleted entry. The collection's
// lookup ignores letter case and prefers the name filed last, so with entries
// "Стена" and "стена" it could hand over the other entry's picture, which
// would then be lost with the deleted one. An item carrying exactly the
// entry's name is the entry's own picture and is taken first.
int32_t PictureIndexOfEntry(const TPictureCollection& images, const std::string& name) {
  const int32_t found = images.IndexOf(name);
  if (found < 0 || images.Items(found)->Name() == name) return found;
  for (int32_t i = images.Count() - 1; i >= 0; --i) {
    if (images.Items(i)->Name() == name) return i;
  }
  return found;
}

}  // namespace

TObjectDataBase::TObjectDataBase(TPictureCollection* images) : EmptyRecord(MakeEmptyObjectRecord()), Images(images) {}

void TObjectDataBase::AddObject(const TObjectRecord& record, const std::string& pictureFileName,
                                const TPictureSettings& settings) {
  if (pictureFileName.empty()) return;
  // The picture comes first: when it cannot be loaded, neither an entry nor a
  // nameless item is left behind.
  TPicture picture;
  picture.LoadFromFile(pictureFileName);

  TObjectRecord stored = record;
  // Only 25 characters reach the objects file; the picture must carry the same
  // name or it would not be found again after the next load.
  if (stored.Name.size() > TObjectRecord::kMaxNameLength) stored.Name.resize(TObjectRecord::kMaxNameLength);
  Records.push_back(stored);

  TPictureCollectionItem* item = Images->Add();
  item->Picture = std::move(picture);
  item->SetName(stored.Name);
  item->PatternWidth = settings.PatternWidth;
  item->PatternHeight = settings.PatternHeight;
  item->Transparent = settings.Transparent;
  item->SetTransparentColor(settings.TransparentColor);
  // Cut at once in a bound library, so that the new object is drawn where it
  // is placed next, not only after the objects file has been opened again.
  item->Restore();
}

namespace {

void CopyPictureOut(const TPictureCollectionItem& item, TLibraryEntry& entry) {
  entry.PictureName = item.Name();
  entry.Picture = item.Picture;
  entry.PatternWidth = item.PatternWidth;
  entry.PatternHeight = item.PatternHeight;
  entry.SkipWidth = item.SkipWidth;
  entry.SkipHeight = item.SkipHeight;
  entry.SystemMemory = item.SystemMemory;
  entry.Transparent = item.Transparent;
  entry.TransparentColor = item.TransparentColor();
}

}  // namespace

TObjectDeletion TObjectDataBase::DeleteObject(const std::string& name) {
  TObjectDeletion deletion;
  size_t position = 0;
  while (position < Records.size() && Records[position].Name != name) ++position;
  if (position == Records.size()) {
    deletion.Notices.push_back(Translated("TObjectDataBase", kNoSuchName));
    return deletion;
  }
  TLibraryEntry entry;
  entry.Record = Records[position];
  entry.RecordPosition = position;
  deletion.Notices.push_back(std::to_string(position));
  Records.erase(Records.begin() + static_cast<std::ptrdiff_t>(position));
  if (position == 0) deletion.Notices.push_back(std::to_string(static_cast<long long>(Records.size()) - 1));
  try {
    // A missing picture raises "List index out of bounds (-1)"; the entry is gone already.
    const int32_t pictureIndex = PictureIndexOfEntry(*Images, name);
    const TPictureCollectionItem* item = Images->Items(pictureIndex);
    CopyPictureOut(*item, entry);
    entry.PictureIndex = pictureIndex;
    Images->Delete(pictureIndex);
  } catch (...) {
    deletion.Error = std::current_exception();
    return deletion;
  }
  deletion.Notices.push_back(Translated("TObjectDataBase", kRecordDeleted));
  deletion.Removed = std::move(entry);
  return deletion;
}

TLibraryEntry TObjectDataBase::EntryAt(size_t RecordPosition, int32_t PictureIndex) const {
  if (RecordPosition >= Records.size()) throw EListError(ListIndexMessage(static_cast<long long>(RecordPosition)));
  TLibraryEntry entry;
  entry.RecordPosition = RecordPosition;
  entry.Record = Records[RecordPosition];
  if (PictureIndex >= 0) CopyPictureOut(*Images->Items(PictureIndex), entry);
  entry.PictureIndex = PictureIndex;
  return entry;
}

TLibraryEntry TObjectDataBase::TakeEntry(size_t RecordPosition, int32_t PictureIndex) {
  TLibraryEntry entry = EntryAt(RecordPosition, PictureIndex);
  Records.erase(Records.begin() + static_cast<std::ptrdiff_t>(RecordPosition));
  if (PictureIndex >= 0) Images->Delete(PictureIndex);
  return entry;
}

void TObjectDataBase::PutEntry(const TLibraryEntry& entry) {
  const size_t position = std::min(entry.RecordPosition, Records.size());
  Records.insert(Records.begin() + static_cast<std::ptrdiff_t>(position), entry.Record);
  if (entry.PictureIndex < 0) return;
  TPictureCollectionItem* item = Images->Add();
  item->Picture = entry.Picture;
  item->SetName(entry.PictureName);
  item->PatternWidth = entry.PatternWidth;
  item->PatternHeight = entry.PatternHeight;
  item->SkipWidth = entry.SkipWidth;
  item->SkipHeight = entry.SkipHeight;
  item->SystemMemory = entry.SystemMemory;
  item->Transparent = entry.Transparent;
  item->SetTransparentColor(entry.TransparentColor);
  item->Restore();
  Images->Move(item->Index(), std::min(entry.PictureIndex, Images->Count() - 1));
}

void TObjectDataBase::SaveToFile(const std::string& path, TFileSystem& files) {
  const std::string graphicsPath = GraphicsFileName(path);
  // An objects file named like a graphics file (x.dxg) would be replaced by
  // its own pictures, and every record lost.
  if (graphicsPath == path) throw EFCreateError(CannotCreateMessage(path));
  RequireWritableTarget(path);
  RequireWritableTarget(graphicsPath);
  // Both files are renamed into place only after both are complete and the
  // save is committed, so a load always sees a pair that belongs together.
  TAtomicFileSet pair(files);
  pair.Add(path, RecordsToBytes(Records));
  pair.Add(graphicsPath, Images->SaveToBytes());
  pair.Commit();
}

TLoadOutcome TObjectDataBase::LoadFromFile(const std::string& path, TFileSystem& files) {
  // A save that was interrupted after its commit may have left the new pair
  // partly under temporary names; they are where the pair is read from.
  const std::vector<std::string> sources = TSaveLeftovers({path, GraphicsFileName(path)}, files).ResolveForLoad();
  if (!FileExists(sources[0])) {
    return TLoadOutcome::NotRead(
        FileMessage(Translated("TObjectDataBase", kFileMissing), sources[0], MissingFileReason(sources[0])));
  }
  // Everything is read and checked before anything is replaced, so a missing
  // or damaged graphics file leaves the library as it was. The pictures are
  // read once, into a collection of their own bound like the library's (so
  // they are cut as they are read), and take the library's place only when
  // the whole file has been read.
  std::vector<TObjectRecord> records = RecordsFromBytes(ReadWholeFile(sources[0]));
  TPictureCollection pictures;
  if (Images->Initialized()) pictures.Initialize(Images->Display());
  pictures.LoadFromFile(sources[1]);
  Images->TakeItemsFrom(pictures);
  Records = std::move(records);
  return TLoadOutcome::Read();
}

TObjectRecord TObjectDataBase::FindByName(std::string_view name) const {
  for (const TObjectRecord& record : Records) {
    if (record.Name == name) return record;
  }
  return EmptyRecord;
}

std::string TObjectDataBase::NameOfNumber(int32_t number) const {
  for (const TObjectRecord& record : Records) {
    if (record.Number == number) return record.Name;
  }
  return EmptyRecord.Name;
}

TObjectDataBase::TFrameSize TObjectDataBase::FrameSizeOfNumber(int32_t number) const {
  TFrameSize size;
  if (number < 0) return size;
  for (const TObjectRecord& record : Records) {
    if (record.Number != number) continue;
    const TPictureCollectionItem* item = Images->Find(record.Name);
    size.Height = item->Height();
    size.Width = item->Width();
  }
  return size;
}

int32_t TObjectDataBase::NextFreeNumber() const {
  int32_t candidate = static_cast<int32_t>(Records.size()) + 1;
  bool taken = true;
  while (taken) {
    taken = false;
    for (const TObjectRecord& record : Records) {
      if (record.Number == candidate) {
        ++candidate;
        taken = true;
        break;
      }
    }
  }
  return candidate;
}

int TObjectDataBase::FillNameList(uint8_t objType, std::vector<std::string>& list) const {
  list.clear();
  for (const TObjectRecord& record : Records) {
    if (record.ObjType == objType) list.push_back(record.Name);
  }
  return list.empty() ? -1 : 0;
}

QImage TObjectDataBase::ShowPicture(std::string_view name) const {
  if (name.empty()) return QImage();
  const TPictureCollectionItem* item = Images->Find(name);
  QImage box(kPictureBoxSize, kPictureBoxSize, QImage::Format_ARGB32);
  box.fill(Qt::transparent);
  if (!item->Picture.Empty()) {
    QPainter painter(&box);
    painter.drawImage(0, 0, item->Picture.Image());
  }
  return box;
}

std::string TObjectDataBase::GraphicsFileName(const std::string& path) {
  // Only a dot inside the file name starts an extension, not one in a folder name.
  const size_t nameStart = path.find_last_of("/\\");
  const size_t dot = path.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart);
  return (hasExtension ? path.substr(0, dot) : path) + ".dxg";
}

std::string TObjectDataBase::RecordsToBytes(const std::vector<TObjectRecord>& records) {
  TByteWriter writer;
  for (const TObjectRecord& record : records) record.WriteTo(writer);
  return std::move(writer.Data());
}

std::vector<TObjectRecord> TObjectDataBase::RecordsFromBytes(std::string_view bytes) {
  return ParseFixedRecords<TObjectRecord>(bytes);
}

}  // namespace kestrilo
