// The inner loop of every blit: rows of 16-bit pixels copied from one
// surface's memory to another's, whole or leaving out one key value, with the
// widest vectors the processor has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrilo {

// `Height` rows of `Width` pixels (both above 0); strides in pixels. The
// source and the destination never share memory.
struct TPixelRows {
  uint16_t* To;
  ptrdiff_t ToStride;
  const uint16_t* From;
  ptrdiff_t FromStride;
  int32_t Width;
  int32_t Height;
};

// One way of copying rows, built for one processor generation; every way
// writes the same pixels.
struct TRowCopier {
  const char* Name;
  // Copies every pixel.
  void (*Copy)(const TPixelRows& rows);
  // Copies every pixel that is not `key`; the destination keeps its own there.
  void (*CopyLeavingOut)(const TPixelRows& rows, uint16_t key);

  // The widest way this processor runs, chosen once, on first use.
  static const TRowCopier& ForThisProcessor();
  // Every way this processor runs, the plain one first and the widest last,
  // so that each can be checked against the others.
  static std::vector<TRowCopier> AllThisProcessorRuns();
};

}  // namespace kestrilo
