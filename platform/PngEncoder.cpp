#include "platform/PngEncoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <utility>

#include "platform/Errors.h"
#include "platform/Surface.h"

namespace kestrilo {

namespace {

[[noreturn]] void FailToWrite() { throw EWriteError("Stream write error"); }

// The 5- and 6-bit channels widened to 8 bits, as Rgb565ToColor widens them.
struct TWideningTables {
  std::array<uint8_t, 32> Five{};
  std::array<uint8_t, 64> Six{};
};

constexpr TWideningTables MakeWideningTables() {
  TWideningTables tables;
  for (uint32_t v = 0; v < 32; ++v) tables.Five[v] = static_cast<uint8_t>((v * 255 + 15) / 31);
  for (uint32_t v = 0; v < 64; ++v) tables.Six[v] = static_cast<uint8_t>((v * 255 + 31) / 63);
  return tables;
}

constexpr TWideningTables kWidening = MakeWideningTables();

void WidenRow(const uint16_t* From, uint8_t* To, size_t Count) {
  for (size_t x = 0; x < Count; ++x) {
    const uint16_t p = From[x];
    To[3 * x] = kWidening.Five[p >> 11];
    To[3 * x + 1] = kWidening.Six[(p >> 5) & 0x3F];
    To[3 * x + 2] = kWidening.Five[p & 0x1F];
  }
}

constexpr uint8_t kFilterUp = 2;
// The zlib stream's header: deflate with a 32 KB window, the fastest level.
constexpr std::string_view kZlibHeader{"\x78\x01", 2};
// A PNG chunk holds at most 2^31 - 1 bytes; a longer run of the stream is split.
constexpr size_t kMaxChunk = 0x7FFFFFFF;

void PutBigEndian(std::string& Out, uint32_t Value) {
  const char bytes[4] = {static_cast<char>(Value >> 24), static_cast<char>(Value >> 16), static_cast<char>(Value >> 8),
                         static_cast<char>(Value)};
  Out.append(bytes, 4);
}

// One band's raw deflate stream, fed a few rows at a time. A band that is not
// the last ends with a sync flush, which closes its last block on a byte
// boundary without ending the stream.
class TBandDeflater {
 public:
  TBandDeflater() {
    if (deflateInit2(&z_, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) FailToWrite();
  }
  ~TBandDeflater() { deflateEnd(&z_); }
  TBandDeflater(const TBandDeflater&) = delete;
  TBandDeflater& operator=(const TBandDeflater&) = delete;

  void Feed(const uint8_t* Data, size_t Size) {
    // zlib counts in 32 bits.
    for (size_t done = 0; done < Size;) {
      const size_t part = std::min<size_t>(Size - done, 1u << 30);
      Run(Data + done, part, Z_NO_FLUSH);
      done += part;
    }
  }
  std::string End(bool Last) {
    Run(nullptr, 0, Last ? Z_FINISH : Z_SYNC_FLUSH);
    out_.resize(used_);
    return std::move(out_);
  }

 private:
  void Run(const uint8_t* Data, size_t Size, int Flush) {
    z_.next_in = const_cast<Bytef*>(Data);
    z_.avail_in = static_cast<uInt>(Size);
    int result = Z_OK;
    // Done once deflate has taken everything and left room in the output
    // (then nothing of a flush is held back), or has ended the stream.
    do {
      if (used_ == out_.size()) out_.resize(std::max<size_t>(2 * out_.size(), 1 << 16));
      const size_t room = std::min<size_t>(out_.size() - used_, UINT_MAX);
      z_.next_out = reinterpret_cast<Bytef*>(out_.data() + used_);
      z_.avail_out = static_cast<uInt>(room);
      result = deflate(&z_, Flush);
      if (result == Z_STREAM_ERROR) FailToWrite();
      used_ += room - z_.avail_out;
    } while (z_.avail_in != 0 || z_.avail_out == 0 || (Flush == Z_FINISH && result != Z_STREAM_END));
  }

  z_stream z_{};
  std::string out_;
  size_t used_ = 0;
};

// Rows are filtered and compressed about this many bytes at a time, so that
// what is compressed is still in the cache.
constexpr size_t kBytesPerStep = 128 * 1024;

}  // namespace

TPngEncoder::TCompressedBand TPngEncoder::CompressBand(std::vector<uint16_t> Pixels, int32_t Width, int32_t Rows,
                                                       bool HasRowAbove, bool Last) {
  const size_t width = static_cast<size_t>(Width);
  const size_t rowBytes = 3 * width;
  const size_t rowsPerStep = std::max<size_t>(1, kBytesPerStep / (rowBytes + 1));
  std::vector<uint8_t> filtered((rowBytes + 1) * std::min(rowsPerStep, static_cast<size_t>(Rows)));
  std::vector<uint8_t> above(rowBytes, 0), current(rowBytes);
  const uint16_t* from = Pixels.data();
  if (HasRowAbove) {
    WidenRow(from, above.data(), width);
    from += width;
  }
  TBandDeflater deflater;
  TCompressedBand band;
  for (size_t row = 0; row < static_cast<size_t>(Rows);) {
    const size_t rows = std::min(rowsPerStep, static_cast<size_t>(Rows) - row);
    uint8_t* to = filtered.data();
    for (size_t r = 0; r < rows; ++r, from += width, to += rowBytes + 1) {
      WidenRow(from, current.data(), width);
      to[0] = kFilterUp;
      for (size_t i = 0; i < rowBytes; ++i) to[1 + i] = static_cast<uint8_t>(current[i] - above[i]);
      above.swap(current);
    }
    const size_t bytes = rows * (rowBytes + 1);
    band.Adler = static_cast<uint32_t>(adler32_z(band.Adler, filtered.data(), bytes));
    band.Length += bytes;
    deflater.Feed(filtered.data(), bytes);
    row += rows;
  }
  band.Deflated = deflater.End(Last);
  return band;
}

int32_t TPngEncoder::BandsInFlight() {
  return static_cast<int32_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

TPngEncoder::TPngEncoder(int32_t Width, int32_t Height) : width_(Width), height_(Height) {
  if (Width <= 0 || Height <= 0) FailToWrite();
  file_.append("\x89PNG\r\n\x1A\n", 8);
  std::string header;
  PutBigEndian(header, static_cast<uint32_t>(Width));
  PutBigEndian(header, static_cast<uint32_t>(Height));
  // 8 bits a channel, RGB, deflate, adaptive filtering, no interlace.
  header.append({8, 2, 0, 0, 0});
  AppendChunk("IHDR", {header});
}

// A band still being compressed finishes before its thread's result is dropped.
TPngEncoder::~TPngEncoder() = default;

void TPngEncoder::AddRows(const TSurface& Band) {
  if (Band.IsRecording()) throw std::logic_error("A recording surface holds no pixels to encode");
  if (finished_ || Band.Width() != width_ || Band.Height() > height_ - rowsAdded_) FailToWrite();
  const int32_t rows = Band.Height();
  if (rows == 0) return;
  const size_t width = static_cast<size_t>(width_);
  std::vector<uint16_t> pixels;
  pixels.reserve(lastRow_.size() + width * static_cast<size_t>(rows));
  pixels.insert(pixels.end(), lastRow_.begin(), lastRow_.end());
  pixels.insert(pixels.end(), Band.Pixels(), Band.Pixels() + width * static_cast<size_t>(rows));
  lastRow_.assign(Band.Line(rows - 1), Band.Line(rows - 1) + width);
  const bool hasRowAbove = rowsAdded_ > 0;
  rowsAdded_ += rows;
  const bool last = rowsAdded_ == height_;
  while (inFlight_.size() >= static_cast<size_t>(BandsInFlight())) TakeOldest();
  // Where no thread can be started, the band is compressed when it is taken.
  inFlight_.push_back(std::async(std::launch::async | std::launch::deferred, &TPngEncoder::CompressBand,
                                 std::move(pixels), width_, rows, hasRowAbove, last));
}

std::string TPngEncoder::Finish() {
  if (finished_ || rowsAdded_ != height_) FailToWrite();
  while (!inFlight_.empty()) TakeOldest();
  AppendChunk("IEND", {});
  finished_ = true;
  return std::move(file_);
}

void TPngEncoder::TakeOldest() {
  const TCompressedBand band = inFlight_.front().get();
  inFlight_.pop_front();
  const bool first = !streamStarted_;
  const bool last = inFlight_.empty() && rowsAdded_ == height_;
  streamStarted_ = true;
  adler_ = static_cast<uint32_t>(adler32_combine64(adler_, band.Adler, static_cast<z_off64_t>(band.Length)));
  std::string trailer;
  if (last) PutBigEndian(trailer, adler_);
  AppendChunk("IDAT", {first ? kZlibHeader : std::string_view{}, band.Deflated, trailer});
}

void TPngEncoder::AppendChunk(const char* Type, std::initializer_list<std::string_view> Pieces) {
  size_t total = 0;
  for (const std::string_view piece : Pieces) total += piece.size();
  auto piece = Pieces.begin();
  size_t offset = 0;  // into *piece
  do {
    const size_t length = std::min(total, kMaxChunk);
    PutBigEndian(file_, static_cast<uint32_t>(length));
    const size_t typeAt = file_.size();
    file_.append(Type, 4);
    for (size_t left = length; left > 0;) {
      while (offset == piece->size()) {
        ++piece;
        offset = 0;
      }
      const size_t n = std::min(left, piece->size() - offset);
      file_.append(piece->substr(offset, n));
      offset += n;
      left -= n;
    }
    const auto* typeAndData = reinterpret_cast<const Bytef*>(file_.data() + typeAt);
    PutBigEndian(file_, static_cast<uint32_t>(crc32_z(0, typeAndData, 4 + length)));
    total -= length;
  } while (total > 0);
}

}  // namespace kestrilo
