// The few file-system calls a save makes, behind one small interface, so that
// a test can make any one of them fail as a full disk or a broken medium would.
#pragma once

#include <string>
#include <string_view>

#include "platform/Errors.h"

namespace kestrilo {

// Every call returns 0 on success or the system's error number (errno).
class TFileSystem {
 public:
  virtual ~TFileSystem() = default;
  // Creates or truncates `path` for writing; the descriptor goes to `fd`.
  virtual int Create(const std::string& path, int& fd) = 0;
  // Writes all of `bytes`, going on after short writes and interruptions.
  virtual int Write(int fd, std::string_view bytes) = 0;
  virtual int Sync(int fd) = 0;
  // The descriptor is released even when this fails.
  virtual int Close(int fd) = 0;
  virtual int Rename(const std::string& from, const std::string& to) = 0;
  virtual int Remove(const std::string& path) = 0;
  // Makes the folder's entries (created, renamed, removed files) durable.
  virtual int SyncFolder(const std::string& folder) = 0;
  // Whether anything at all is under the name, even a dangling link. Only
  // "no such file" (ENOENT) means absent; any other failure is returned, since
  // a name that cannot be examined may still hold a file.
  virtual int Exists(const std::string& path, bool& exists) = 0;
};

// The operating system's own calls. It holds no state, so one instance serves all.
TFileSystem& PosixFileSystem();

}  // namespace kestrilo
