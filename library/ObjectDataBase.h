// The object library: the table of object records and, through the picture
// collection it is given, one picture per entry named like the entry.
// On disk: the objects file (records only) and its graphics file (.dxg).
#pragma once

#include <QImage>

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/ObjectRecord.h"
#include "library/Picture.h"
#include "library/PictureSettings.h"
#include "platform/FileSystem.h"
#include "platform/LoadOutcome.h"

namespace kestrilo {

class TPictureCollection;

// One library entry as it was taken out of the library: its record and its
// picture with every stored property, and where both stood, so that it can be
// put back exactly (undoing a deletion, redoing an addition).
struct TLibraryEntry {
  TObjectRecord Record;
  size_t RecordPosition = 0;
  int32_t PictureIndex = -1;  // -1: the entry had no picture
  std::string PictureName;
  TPicture Picture;
  int32_t PatternWidth = 0, PatternHeight = 0, SkipWidth = 0, SkipHeight = 0;
  bool SystemMemory = false;
  bool Transparent = true;
  uint32_t TransparentColor = 0;
};

// What deleting an entry came to: the entry taken out (nothing when no entry
// has the name), the notices the designer is told, in order, and the error of
// an entry that went without a picture to go with it.
struct TObjectDeletion {
  std::optional<TLibraryEntry> Removed;
  std::vector<std::string> Notices;
  std::exception_ptr Error;
};

class TObjectDataBase {
 public:
  // Frame size of an object's picture; height first, as the matrix asks for it.
  struct TFrameSize {
    int32_t Height = 0;
    int32_t Width = 0;
    bool operator==(const TFrameSize&) const = default;
  };

  // Size of the image box that ShowPicture renders for.
  static constexpr int kPictureBoxSize = 128;

  // `images` is not owned (it belongs to the first picture list) and may be
  // null only for databases that never touch pictures.
  explicit TObjectDataBase(TPictureCollection* images);

  std::vector<TObjectRecord> Records;
  TObjectRecord EmptyRecord;
  TPictureCollection* Images;

  // Loads the picture first and appends record and picture only when it loaded;
  // an empty file name does nothing. Picture errors propagate unchanged.
  void AddObject(const TObjectRecord& record, const std::string& pictureFileName, const TPictureSettings& settings);

  // Removes the first entry named `name` (byte-exact) and its picture, with
  // the position(s) and "Запись удалена!" as the notices. An entry whose
  // picture is missing goes all the same, with "List index out of bounds (-1)"
  // as the error after its positions.
  TObjectDeletion DeleteObject(const std::string& name);

  // A copy of the record at a position and the picture at an index (-1: none).
  TLibraryEntry EntryAt(size_t RecordPosition, int32_t PictureIndex) const;
  // Takes out the record at a position and the picture at an index (-1: none)
  // without a word, for undoing an addition or redoing a deletion.
  TLibraryEntry TakeEntry(size_t RecordPosition, int32_t PictureIndex);
  // Puts an entry back where it stood, its picture cut for drawing when the
  // pictures are bound to a display.
  void PutEntry(const TLibraryEntry& entry);

  // Writes the objects file and its graphics file so that both are replaced or
  // neither is (platform/AtomicFileSet.h); whether an existing file may be
  // replaced is the caller's question. File errors propagate (EFCreateError).
  void SaveToFile(const std::string& path, TFileSystem& files = PosixFileSystem());

  // Replaces records and pictures from the objects file and its graphics file,
  // after finishing or clearing what an interrupted save of them left.
  // A missing objects file is not read, with "Файл не существует! <file>" as the
  // outcome's message. A file that cannot be read raises its error and leaves
  // both the records and the pictures as they were.
  TLoadOutcome LoadFromFile(const std::string& path, TFileSystem& files = PosixFileSystem());

  // Byte-exact name lookups in table order.
  TObjectRecord FindByName(std::string_view name) const;
  std::string NameOfNumber(int32_t number) const;

  // The frame size of the picture of the last entry with this number; (0, 0)
  // for a negative number or a number no entry has. "Image '%s' not found"
  // when an entry's picture is missing.
  TFrameSize FrameSizeOfNumber(int32_t number) const;

  // The smallest number not below count + 1 that no entry uses.
  int32_t NextFreeNumber() const;

  // Fills `list` with the names of every entry of the type, in table order, and
  // returns the index to select: 0, or -1 when the list stays empty.
  int FillNameList(uint8_t objType, std::vector<std::string>& list) const;

  // The picture of the named entry as the 128 by 128 image box shows it: at its
  // own size from the top-left corner, clipped, the rest transparent. A null
  // image for an empty name (the box keeps what it shows).
  // "Image '%s' not found" when no picture carries the name.
  QImage ShowPicture(std::string_view name) const;

  // The graphics file of an objects file: the extension replaced by ".dxg".
  static std::string GraphicsFileName(const std::string& path);

  // The objects file's bytes: every record, 48 bytes each, nothing else.
  static std::string RecordsToBytes(const std::vector<TObjectRecord>& records);
  // The records of an objects file's bytes; a trailing part shorter than a
  // record is ignored.
  static std::vector<TObjectRecord> RecordsFromBytes(std::string_view bytes);
};

}  // namespace kestrilo
