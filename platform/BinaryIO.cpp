#include "platform/BinaryIO.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
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

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

namespace {

std::string TempNameBeside(const std::string& path, int index) {
  static thread_local std::mt19937 gen{std::random_device{}()};
  return path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(index) + "-" +
         std::to_string(gen() % 1000000);
}

void WriteAll(const std::string& tmp, const std::string& target, const std::string& bytes) {
  FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) throw EFCreateError(CannotCreateMessage(target));
  const size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
  const bool flushed = std::fflush(f) == 0 && ::fsync(fileno(f)) == 0;
  const bool closed = std::fclose(f) == 0;
  if (written != bytes.size() || !flushed || !closed) {
    std::remove(tmp.c_str());
    throw EWriteError("Stream write error");
  }
}

}  // namespace

void TAtomicFileSet::Commit() {
  std::vector<std::string> temps;
  try {
    for (size_t i = 0; i < files_.size(); ++i) {
      const std::string tmp = TempNameBeside(files_[i].Path, static_cast<int>(i));
      temps.push_back(tmp);
      WriteAll(tmp, files_[i].Path, files_[i].Bytes);
    }
  } catch (...) {
    for (const auto& t : temps) std::remove(t.c_str());
    throw;
  }
  for (size_t i = 0; i < files_.size(); ++i) {
    if (std::rename(temps[i].c_str(), files_[i].Path.c_str()) != 0) {
      for (size_t k = i; k < temps.size(); ++k) std::remove(temps[k].c_str());
      throw EFCreateError(CannotCreateMessage(files_[i].Path));
    }
  }
  files_.clear();
}

void WriteFileAtomic(const std::string& path, const std::string& bytes) {
  TAtomicFileSet set;
  set.Add(path, bytes);
  set.Commit();
}

}  // namespace kestrilo
