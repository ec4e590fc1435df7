#include "platform/BinaryIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <utility>

namespace kestrilo {

namespace {

// A file open for reading, closed when it goes.
class TReadableFile {
 public:
  // "Cannot open file <file>: <reason>" when it cannot be opened; a folder
  // opens on some systems, and is refused here as it is everywhere else.
  explicit TReadableFile(const std::string& path) {
    // Not blocking, so that a pipe with no writer cannot hang the opening.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) throw EFOpenError(CannotOpenBecause(path, errno));
    struct stat status {};
    const int error = ::fstat(fd_, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
    if (error != 0) {
      ::close(fd_);
      throw EFOpenError(CannotOpenBecause(path, error));
    }
    // What cannot tell its size (a pipe) reads as empty.
    const off_t end = S_ISREG(status.st_mode) ? ::lseek(fd_, 0, SEEK_END) : 0;
    size_ = end > 0 ? static_cast<size_t>(end) : 0;
  }
  TReadableFile(const TReadableFile&) = delete;
  TReadableFile& operator=(const TReadableFile&) = delete;
  ~TReadableFile() {
    if (fd_ >= 0) ::close(fd_);
  }

  size_t Size() const { return size_; }
  // Hands the descriptor over; the caller closes it.
  int Release() { return std::exchange(fd_, -1); }
  int Fd() const { return fd_; }

 private:
  int fd_ = -1;
  size_t size_ = 0;
};

}  // namespace

std::string ReadFileStart(const std::string& path, size_t count) {
  TReadableFile file(path);
  // One read of the whole file: a character-by-character copy costs more than
  // decoding the pictures of a large graphics file.
  std::string data(std::min(count, file.Size()), '\0');
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t got = ::pread(file.Fd(), data.data() + done, data.size() - done, static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw EReadError(FileMessage(kStreamReadError, path, SystemReason(errno)));
    if (got == 0) break;  // the file became shorter: what it holds now is read
    done += static_cast<size_t>(got);
  }
  data.resize(done);
  return data;
}

std::string ReadWholeFile(const std::string& path) { return ReadFileStart(path, SIZE_MAX); }

// ---- shared bytes ------------------------------------------------------------

TSharedBytes::TSharedBytes(std::string bytes) {
  auto owner = std::make_shared<const std::string>(std::move(bytes));
  size_ = owner->size();
  data_ = std::shared_ptr<const char>(owner, owner->data());
}

TSharedBytes::TSharedBytes(std::shared_ptr<const char[]> buffer, size_t size)
    : data_(buffer, buffer.get()), size_(size) {}

TSharedBytes TSharedBytes::Part(size_t offset, size_t count) const {
  if (offset > size_ || count > size_ - offset) TByteReader::Fail();
  return TSharedBytes(std::shared_ptr<const char>(data_, data_.get() + offset), count);
}

// ---- streamed reading ----------------------------------------------------------

TByteStreamReader::TByteStreamReader(std::string_view data)
    : size_(data.size()), window_(data.data()), windowEnd_(data.data() + data.size()), cursor_(data.data()) {}

TByteStreamReader::TByteStreamReader(int fd, size_t size)
    : fd_(fd), size_(size), window_(buffer_.data()), windowEnd_(window_), cursor_(window_) {}

TByteStreamReader TByteStreamReader::OpenFile(const std::string& path) {
  TReadableFile file(path);
  const size_t size = file.Size();
  return TByteStreamReader(file.Release(), size);
}

TByteStreamReader::~TByteStreamReader() {
  if (fd_ >= 0) ::close(fd_);
}

void TByteStreamReader::Seek(size_t pos) {
  if (pos > size_) TByteReader::Fail();
  if (pos >= windowStart_ && pos - windowStart_ <= static_cast<size_t>(windowEnd_ - window_)) {
    cursor_ = window_ + (pos - windowStart_);
    return;
  }
  // Only a file's window can lie elsewhere: start an empty one at the new place.
  windowStart_ = pos;
  window_ = windowEnd_ = cursor_ = buffer_.data();
}

void TByteStreamReader::Fill(size_t count) {
  const size_t pos = Position();
  if (fd_ < 0 || count > size_ - pos) TByteReader::Fail();
  const size_t length = std::min(std::max(count, kChunk), size_ - pos);
  if (buffer_.size() < length) buffer_.resize(length);
  ReadFile(buffer_.data(), length, pos);
  windowStart_ = pos;
  window_ = cursor_ = buffer_.data();
  windowEnd_ = window_ + length;
}

TSharedBytes TByteStreamReader::SharedBytes(size_t count) {
  if (count > Remaining()) TByteReader::Fail();
  // Not zero-filled: every byte is written below.
  std::shared_ptr<char[]> buffer(new char[count]);
  const size_t inWindow = std::min(count, static_cast<size_t>(windowEnd_ - cursor_));
  if (inWindow > 0) std::memcpy(buffer.get(), cursor_, inWindow);
  cursor_ += inWindow;
  if (inWindow < count) {
    // The window is used up; the rest comes from the file straight into the buffer.
    const size_t at = Position();
    ReadFile(buffer.get() + inWindow, count - inWindow, at);
    windowStart_ = at + (count - inWindow);
    window_ = windowEnd_ = cursor_ = buffer_.data();
  }
  return TSharedBytes(std::move(buffer), count);
}

uint8_t TByteStreamReader::PeekU8() {
  const uint8_t value = static_cast<uint8_t>(*Take(1));
  --cursor_;
  return value;
}

void TByteStreamReader::ReadFile(char* out, size_t count, size_t at) {
  while (count > 0) {
    const ssize_t got = ::pread(fd_, out, count, static_cast<off_t>(at));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) fileFailure_ = SystemReason(errno);
    if (got == 0) fileFailure_ = "truncated while it was read";
    if (got <= 0) TByteReader::Fail();
    out += got;
    at += static_cast<size_t>(got);
    count -= static_cast<size_t>(got);
  }
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

std::string MissingFileReason(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return errno == ENOENT ? std::string() : SystemReason(errno);
  if (S_ISDIR(status.st_mode)) return SystemReason(EISDIR);
  return S_ISREG(status.st_mode) ? std::string() : "not a plain file";
}

}  // namespace kestrilo
