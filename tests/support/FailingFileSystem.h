// A file system for tests that passes every call to the real one except those
// chosen to fail, which fail as the system would: a failed write has written
// part of its bytes, a failed close has still released the descriptor.
#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/Errors.h"
#include "platform/FileSystem.h"

namespace kestrilo::testsupport {

class TFailingFileSystem : public TFileSystem {
 public:
  // Call number `number` (counting from 1) fails with `error`; with
  // `andEveryLater`, so does every call after it, as on a medium that died.
  void FailCall(int number, int error, bool andEveryLater = false) {
    failAt_ = number;
    error_ = error;
    failLater_ = andEveryLater;
  }
  // Every rename onto `target` fails with `error`, as for an immutable file.
  void FailRenamesOnto(const std::string& target, int error) {
    stuckTarget_ = target;
    stuckError_ = error;
  }
  // As on a read-only medium: every call that would change the disk fails
  // with EROFS; names can still be examined.
  void MakeReadOnly() { readOnly_ = true; }
  int Calls() const { return calls_; }
  // The calls that examine names (Exists) change nothing; Changes counts the others.
  int Changes() const { return calls_ - examinations_; }
  int Failures() const { return failures_; }

  int Create(const std::string& path, int& fd) override {
    fd = -1;
    if (const int error = Next()) return error;
    return real_.Create(path, fd);
  }
  int Write(int fd, std::string_view bytes) override {
    if (const int error = Next()) {
      real_.Write(fd, bytes.substr(0, bytes.size() / 2));
      return error;
    }
    return real_.Write(fd, bytes);
  }
  int Sync(int fd) override {
    if (const int error = Next()) return error;
    return real_.Sync(fd);
  }
  int Close(int fd) override {
    const int error = Next();
    const int closed = real_.Close(fd);
    return error ? error : closed;
  }
  int Rename(const std::string& from, const std::string& to) override {
    if (const int error = Next()) return error;
    if (!stuckTarget_.empty() && to == stuckTarget_) {
      ++failures_;
      return stuckError_;
    }
    return real_.Rename(from, to);
  }
  int Remove(const std::string& path) override {
    if (const int error = Next()) return error;
    return real_.Remove(path);
  }
  int SyncFolder(const std::string& folder) override {
    if (const int error = Next()) return error;
    return real_.SyncFolder(folder);
  }
  int Exists(const std::string& path, bool& exists) override {
    ++examinations_;
    exists = false;
    if (const int error = Next(false)) return error;
    return real_.Exists(path, exists);
  }

 private:
  int Next(bool changesTheDisk = true) {
    ++calls_;
    if (readOnly_ && changesTheDisk) {
      ++failures_;
      return EROFS;
    }
    if (calls_ == failAt_ || (failLater_ && failAt_ > 0 && calls_ > failAt_)) {
      ++failures_;
      return error_;
    }
    return 0;
  }

  TFileSystem& real_ = PosixFileSystem();
  int calls_ = 0;
  int examinations_ = 0;
  int failures_ = 0;
  bool readOnly_ = false;
  int failAt_ = 0;
  int error_ = 0;
  bool failLater_ = false;
  std::string stuckTarget_;
  int stuckError_ = 0;
};

// A scratch folder in memory (/dev/shm) where there is one, so that tests
// making thousands of saves do not wait for a disk at every sync.
class TSyncFreeFolder {
 public:
  TSyncFreeFolder() : dir_(Template()) { dir_.setAutoRemove(true); }
  bool IsValid() const { return dir_.isValid(); }
  std::string Root() const { return dir_.path().toStdString(); }
  std::string Path(const std::string& name) const { return Root() + "/" + name; }

 private:
  static QString Template() {
    const QString base = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return base + QStringLiteral("/kestrilo-test-XXXXXX");
  }
  QTemporaryDir dir_;
};

// The names in a folder, sorted.
inline std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Runs a pair save through a file system whose k-th call fails with `error`
// (and every later one too when asked); true when the save went through. A
// failure must be reported, naming one of the pair's files and the system's reason.
inline bool SaveWithFailingCall(int k, int error, bool everyLaterCallFails,
                                const std::function<bool(TFileSystem&)>& save, const std::vector<std::string>& pair) {
  TFailingFileSystem failing;
  failing.FailCall(k, error, everyLaterCallFails);
  try {
    EXPECT_TRUE(save(failing));
    EXPECT_EQ(failing.Failures(), 0) << "a failed call went unreported";
    return failing.Failures() == 0;
  } catch (const EFCreateError& e) {
    const std::string message = e.what();
    bool namesAFile = false;
    for (const std::string& file : pair)
      namesAFile = namesAFile || message == "Cannot create file " + file + ": " + std::strerror(error);
    EXPECT_TRUE(namesAFile) << message;
    return false;
  }
}

// Fails call k of a pair save for k = 1, 2, ... until a save goes through,
// once with call k failing alone (the next step is a load) and once with every
// later call failing too, as on a medium that died (the next step is a save).
// Before each save Prepare makes a fresh folder holding the old pair and gives
// the pair's paths; after it Check(Succeeded, EveryLaterCallFails) checks the
// folder and tells whether it held the new pair. Failures before the commit
// must have kept the old pair, and those after it the new one.
inline void SaveFailingEachCallInTurn(int error, const std::function<std::vector<std::string>()>& prepare,
                                      const std::function<bool(TFileSystem&)>& save,
                                      const std::function<bool(bool, bool)>& checkHeldNew) {
  for (const bool everyLaterCallFails : {false, true}) {
    int oldSeen = 0;
    int newSeen = 0;
    bool succeeded = false;
    for (int k = 1; k < 100 && !succeeded; ++k) {
      SCOPED_TRACE("call " + std::to_string(k) + (everyLaterCallFails ? " and every later one" : ""));
      const std::vector<std::string> pair = prepare();
      succeeded = SaveWithFailingCall(k, error, everyLaterCallFails, save, pair);
      (checkHeldNew(succeeded, everyLaterCallFails) ? newSeen : oldSeen) += 1;
    }
    EXPECT_TRUE(succeeded);
    EXPECT_GT(oldSeen, 0);
    EXPECT_GT(newSeen, 1);
  }
}

}  // namespace kestrilo::testsupport
