#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/Errors.h"

namespace kestrilo {

namespace {

int ErrorOf(int result) { return result == 0 ? 0 : errno; }

class TPosixFileSystem final : public TFileSystem {
 public:
  int Create(const std::string& path, int& fd) override {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    return fd < 0 ? errno : 0;
  }
  int Write(int fd, std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t done = ::write(fd, bytes.data(), bytes.size());
      if (done < 0 && errno == EINTR) continue;
      if (done < 0) return errno;
      if (done == 0) return ENOSPC;  // no progress: the medium is full
      bytes.remove_prefix(static_cast<size_t>(done));
    }
    return 0;
  }
  int Sync(int fd) override { return ErrorOf(::fsync(fd)); }
  int Close(int fd) override {
    // Linux releases the descriptor even when close reports an error, so it is
    // never retried.
    return ErrorOf(::close(fd));
  }
  int Rename(const std::string& from, const std::string& to) override {
    return ErrorOf(::rename(from.c_str(), to.c_str()));
  }
  int Remove(const std::string& path) override { return ErrorOf(::unlink(path.c_str())); }
  int SyncFolder(const std::string& folder) override {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ErrorOf(::fsync(fd));
    ::close(fd);
    return error;
  }
  int Exists(const std::string& path, bool& exists) override {
    struct stat status {};
    const int error = ErrorOf(::lstat(path.c_str(), &status));
    exists = error == 0;
    return error == ENOENT ? 0 : error;
  }
};

}  // namespace

TFileSystem& PosixFileSystem() {
  static TPosixFileSystem files;
  return files;
}

}  // namespace kestrilo
