// How much memory reading one file may take: a fixed amount plus a few bytes
// for every byte the file holds. A file of many tiny items, or of small
// pictures that claim huge sizes, would otherwise make a reader allocate far
// more than the file could ever stand for; each item and picture is charged
// before anything is allocated for it, and one that finds too little left is
// refused.
#pragma once

#include <cstdint>

namespace kestrilo {

class TReadAllowance {
 public:
  static constexpr uint64_t kFixedBytes = uint64_t{16} << 20;
  static constexpr uint64_t kBytesPerFileByte = 7;

  explicit TReadAllowance(uint64_t fileBytes) : left_(kFixedBytes + kBytesPerFileByte * fileBytes) {}

  // Takes `bytes` from what is left; "Stream read error" (nothing taken)
  // when they are not there.
  void Take(uint64_t bytes);
  uint64_t Left() const { return left_; }

 private:
  uint64_t left_;
};

}  // namespace kestrilo
