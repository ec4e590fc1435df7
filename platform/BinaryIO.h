// Little-endian byte reading and writing with every length checked against
// what is left, shared byte buffers, and whole-file and streamed file reading
// (atomic writing is in platform/AtomicFileSet.h).
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Errors.h"

namespace kestrilo {

// The whole file as bytes. "Cannot open file <file>: <reason>" when it cannot
// be opened (a folder gives "Is a directory"), "Stream read error: <file>:
// <reason>" when reading it fails. What cannot tell its size (a pipe) reads
// as empty.
std::string ReadWholeFile(const std::string& path);
// At most the first `count` bytes of the file, with the errors of ReadWholeFile.
std::string ReadFileStart(const std::string& path, size_t count);
// A plain file is there.
bool FileExists(const std::string& path);
// Why no plain file is at `path`, for a message that already says there is
// none: empty when nothing is there, "Is a directory" for a folder, and the
// system's reason when the path cannot be looked at ("Permission denied").
std::string MissingFileReason(const std::string& path);

class TByteReader {
 public:
  explicit TByteReader(std::string_view data) : data_(data) {}

  size_t Position() const { return pos_; }
  size_t Remaining() const { return data_.size() - pos_; }
  size_t Size() const { return data_.size(); }
  bool AtEnd() const { return pos_ >= data_.size(); }
  void Seek(size_t pos) {
    if (pos > data_.size()) Fail();
    pos_ = pos;
  }

  // Every read throws EReadError("Stream read error") past the end.
  void Read(void* out, size_t count) {
    if (count > Remaining()) Fail();
    std::memcpy(out, data_.data() + pos_, count);
    pos_ += count;
  }
  std::string_view Bytes(size_t count) {
    if (count > Remaining()) Fail();
    std::string_view v = data_.substr(pos_, count);
    pos_ += count;
    return v;
  }
  uint8_t U8() {
    uint8_t v;
    Read(&v, 1);
    return v;
  }
  int8_t I8() { return static_cast<int8_t>(U8()); }
  uint16_t U16() {
    uint8_t b[2];
    Read(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
  }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  uint32_t U32() {
    uint8_t b[4];
    Read(b, 4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
           (static_cast<uint32_t>(b[3]) << 24);
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  uint64_t U64() {
    uint64_t lo = U32();
    uint64_t hi = U32();
    return lo | (hi << 32);
  }
  int64_t I64() { return static_cast<int64_t>(U64()); }
  double F64() {
    uint64_t u = U64();
    double d;
    std::memcpy(&d, &u, 8);
    return d;
  }
  float F32() {
    uint32_t u = U32();
    float f;
    std::memcpy(&f, &u, 4);
    return f;
  }

  [[noreturn]] static void Fail() { throw EReadError(kStreamReadError); }

 private:
  std::string_view data_;
  size_t pos_ = 0;
};

// An immutable run of bytes in a buffer that any number of holders share, so
// that the parts of a file read once can be kept without copying them. Reads
// as a string view, and converts to a string where a copy is wanted.
class TSharedBytes {
 public:
  TSharedBytes() = default;
  // Takes the bytes over without copying them.
  explicit TSharedBytes(std::string bytes);
  // The first `size` bytes of `buffer`.
  TSharedBytes(std::shared_ptr<const char[]> buffer, size_t size);

  const char* data() const { return data_.get(); }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::string_view View() const { return {data_.get(), size_}; }
  // `count` bytes from `offset`, sharing this buffer; "Stream read error"
  // when they do not lie within these bytes.
  TSharedBytes Part(size_t offset, size_t count) const;

  operator std::string_view() const { return View(); }
  operator std::string() const { return std::string(View()); }
  friend bool operator==(const TSharedBytes& bytes, std::string_view other) { return bytes.View() == other; }

 private:
  TSharedBytes(std::shared_ptr<const char> data, size_t size) : data_(std::move(data)), size_(size) {}
  std::shared_ptr<const char> data_;
  size_t size_ = 0;
};

// A byte stream read front to back from memory or straight from a file, with
// the checks of TByteReader: every read past the end throws "Stream read
// error". A file is read in small chunks as the reads reach it, and a block
// taken with SharedBytes goes from the file into a buffer of its own, so a
// large file is neither held whole nor copied twice.
class TByteStreamReader {
 public:
  // Reads `data`, which must outlive the reader.
  explicit TByteStreamReader(std::string_view data);
  // "Cannot open file <file>: <reason>" when the file cannot be opened.
  static TByteStreamReader OpenFile(const std::string& path);
  TByteStreamReader(const TByteStreamReader&) = delete;
  TByteStreamReader& operator=(const TByteStreamReader&) = delete;
  ~TByteStreamReader();

  size_t Position() const { return windowStart_ + static_cast<size_t>(cursor_ - window_); }
  size_t Size() const { return size_; }
  size_t Remaining() const { return size_ - Position(); }
  void Seek(size_t pos);

  // A view that stays valid until the next read from the stream.
  std::string_view Bytes(size_t count) { return {Take(count), count}; }
  // The next `count` bytes in a buffer that outlives the reader.
  TSharedBytes SharedBytes(size_t count);

  uint8_t PeekU8();
  uint8_t U8() { return static_cast<uint8_t>(*Take(1)); }
  int8_t I8() { return static_cast<int8_t>(U8()); }
  uint16_t U16() { return TByteReader(Bytes(2)).U16(); }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  uint32_t U32() { return TByteReader(Bytes(4)).U32(); }
  int32_t I32() { return static_cast<int32_t>(U32()); }

  // Why the file could not be read, once a read of it has failed ("Input/
  // output error", or "truncated while it was read"); empty while the file
  // read well, and for a stream read from memory.
  const std::string& FileFailure() const { return fileFailure_; }

 private:
  TByteStreamReader(int fd, size_t size);
  // The next `count` bytes, refilling the window from the file when needed.
  const char* Take(size_t count) {
    if (count > static_cast<size_t>(windowEnd_ - cursor_)) Fill(count);
    const char* at = cursor_;
    cursor_ += count;
    return at;
  }
  void Fill(size_t count);
  void ReadFile(char* out, size_t count, size_t at);

  static constexpr size_t kChunk = 4096;
  int fd_ = -1;
  size_t size_ = 0;
  std::string buffer_;      // the window's bytes when reading a file
  size_t windowStart_ = 0;  // stream position of window_[0]
  const char* window_ = nullptr;
  const char* windowEnd_ = nullptr;
  const char* cursor_ = nullptr;
  std::string fileFailure_;
};

class TByteWriter {
 public:
  std::string& Data() { return data_; }
  const std::string& Data() const { return data_; }
  void Write(const void* p, size_t n) { data_.append(static_cast<const char*>(p), n); }
  void Bytes(std::string_view s) { data_.append(s); }
  void U8(uint8_t v) { data_.push_back(static_cast<char>(v)); }
  void I8(int8_t v) { U8(static_cast<uint8_t>(v)); }
  void U16(uint16_t v) {
    U8(v & 0xFF);
    U8(v >> 8);
  }
  void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void U64(uint64_t v) {
    U32(static_cast<uint32_t>(v));
    U32(static_cast<uint32_t>(v >> 32));
  }
  void I64(int64_t v) { U64(static_cast<uint64_t>(v)); }
  void F64(double d) {
    uint64_t u;
    std::memcpy(&u, &d, 8);
    U64(u);
  }

 private:
  std::string data_;
};

}  // namespace kestrilo
