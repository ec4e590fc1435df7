// A picture as a collection item holds it: the kind of graphic it was loaded
// as, the bytes exactly as they were loaded (so that saving writes them back
// unchanged, a run-length-compressed bitmap included) and the decoded image.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrilo {

class TByteReader;
class TByteWriter;

class TPicture {
 public:
  // The kinds, named as the graphics file names them.
  static constexpr const char* kBitmap = "TBitmap";     // .bmp: a whole BMP file
  static constexpr const char* kDib = "TDIB";           // .dib: a packed DIB
  static constexpr const char* kIcon = "TIcon";         // .ico
  static constexpr const char* kMetafile = "TMetafile"; // .wmf, .emf

  // The kind for a file name's extension (matched ignoring case);
  // "Unknown picture file extension (.%s)" for any other.
  static std::string KindOfFile(const std::string& path);

  // Loads a picture file; the kind comes from its extension. On failure the
  // picture is unchanged.
  void LoadFromFile(const std::string& path);
  // Makes a picture of the given kind from that kind's held bytes (a BMP
  // file, a packed DIB, an icon file or a metafile); "" clears it.
  void LoadFromData(const std::string& kind, std::string bytes);
  void Clear();

  // "" when the picture holds no graphic.
  const std::string& Kind() const { return kind_; }
  bool HasGraphic() const { return !kind_.empty(); }
  const std::string& Data() const { return data_; }
  const QImage& Image() const { return image_; }

  // A metafile is kept but not drawn, so it counts as empty.
  bool Empty() const { return image_.isNull() || image_.width() <= 0 || image_.height() <= 0; }
  int32_t Width() const { return Empty() ? 0 : image_.width(); }
  int32_t Height() const { return Empty() ? 0 : image_.height(); }

  // The payload of the graphics file's picture data property: the kind's
  // class name as a length byte and characters, then the kind's own data.
  void WriteData(TByteWriter& writer) const;
  // Reads that payload: a bitmap states its length, the other kinds run to
  // the end of the payload.
  void ReadData(std::string_view payload);

 private:
  static QImage Decode(const std::string& kind, const std::string& bytes);
  std::string kind_;
  std::string data_;
  QImage image_;
};

}  // namespace kestrilo
