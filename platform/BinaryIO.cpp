#include "platform/BinaryIO.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kestrilo {

std::string ReadWholeFile(const std::string& path) {
  std::error_code ec;
  if (path.empty() || std::filesystem::is_directory(path, ec)) throw EFOpenError(CannotOpenMessage(path));
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError(CannotOpenMessage(path));
  // One read of the whole file: a character-by-character copy costs more than
  // decoding the pictures of a large graphics file.
  std::string data;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size > 0) {
    data.resize(static_cast<size_t>(size));
    in.read(data.data(), size);
    data.resize(static_cast<size_t>(in.gcount()));
  }
  if (in.bad()) throw EReadError(kStreamReadError);
  return data;
}

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
  std::error_code ec;
  if (path.empty() || std::filesystem::is_directory(path, ec)) throw EFOpenError(CannotOpenMessage(path));
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EFOpenError(CannotOpenMessage(path));
  // What cannot tell its size (a pipe) reads as empty, as ReadWholeFile does.
  const off_t end = ::lseek(fd, 0, SEEK_END);
  return TByteStreamReader(fd, end > 0 ? static_cast<size_t>(end) : 0);
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

void TByteStreamReader::ReadFile(char* out, size_t count, size_t at) const {
  while (count > 0) {
    const ssize_t got = ::pread(fd_, out, count, static_cast<off_t>(at));
    if (got < 0 && errno == EINTR) continue;
    // A failure, or a file that became shorter while it was read.
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

}  // namespace kestrilo
