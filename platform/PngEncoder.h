// PNG files of 5-6-5 pictures, encoded band by band as the picture is drawn,
// so that a picture as large as a whole level is never held whole, neither as
// 16-bit pixels nor as 24-bit ones.
#pragma once

#include <cstdint>
#include <deque>
#include <future>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kestrilo {

class TSurface;

// The file is 8-bit RGB, each pixel widened as Rgb565ToColor widens it, every
// row filtered by its difference from the row above ("Up") and compressed at
// zlib's fastest level. Each band is converted, filtered and compressed on a
// thread of its own while the caller draws the next: a band is a deflate
// stream of its own, ended on a byte boundary, so the bands read one after
// another as the one stream the file holds.
class TPngEncoder {
 public:
  // Throws EWriteError "Stream write error" for a picture PNG cannot hold
  // (no pixels, or a side longer than 2^31 - 1).
  TPngEncoder(int32_t Width, int32_t Height);
  ~TPngEncoder();
  TPngEncoder(const TPngEncoder&) = delete;
  TPngEncoder& operator=(const TPngEncoder&) = delete;

  // The next rows of the picture, top to bottom: every row of Band, which is
  // as wide as the picture. Throws EWriteError when the rows do not fit.
  void AddRows(const TSurface& Band);
  // The file's bytes, once every row has been added; throws EWriteError
  // "Stream write error" before that, or when compressing failed.
  std::string Finish();

  // Bands compressed at once, besides the one being drawn.
  static int32_t BandsInFlight();

 private:
  struct TCompressedBand {
    std::string Deflated;
    uint32_t Adler = 1;
    uint64_t Length = 0;  // bytes before compression
  };
  // Rows of 5-6-5 pixels, the row above them first unless they are the
  // picture's first, to what the file holds for them.
  static TCompressedBand CompressBand(std::vector<uint16_t> Pixels, int32_t Width, int32_t Rows, bool HasRowAbove,
                                      bool Last);
  // Waits for the oldest band and adds it to the file as an IDAT chunk.
  void TakeOldest();
  // A chunk of the given type holding the pieces one after another.
  void AppendChunk(const char* Type, std::initializer_list<std::string_view> Pieces);

  int32_t width_, height_;
  int32_t rowsAdded_ = 0;
  std::vector<uint16_t> lastRow_;  // the row above the next band, as 5-6-5 pixels
  std::deque<std::future<TCompressedBand>> inFlight_;
  std::string file_;
  bool streamStarted_ = false;
  uint32_t adler_ = 1;  // of everything compressed so far
  bool finished_ = false;
};

}  // namespace kestrilo
