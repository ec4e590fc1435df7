#include "platform/RowCopier.h"

#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KESTRILO_X86_VECTORS 1
#include <immintrin.h>
#define KESTRILO_AVX2 __attribute__((target("avx2")))
#define KESTRILO_AVX512 __attribute__((target("avx2,avx512bw,avx512vl")))
#endif

namespace kestrilo {

namespace {

// Runs Row(to, from, width, key...) on every row. The common sprite widths
// get their own loops, where the width is a constant and a row compiles to a
// few straight loads and stores. Defined once per processor generation, as
// a row function is only inlined into code built for its generation or a
// later one.
#define KESTRILO_ROW_WALK(Name, Target)                                                                      \
  template <auto Row, class... Key>                                                                          \
  Target void Name(const TPixelRows& rows, Key... key) {                                                     \
    uint16_t* to = rows.To;                                                                                  \
    const uint16_t* from = rows.From;                                                                        \
    const ptrdiff_t toStride = rows.ToStride, fromStride = rows.FromStride;                                  \
    const int32_t width = rows.Width, height = rows.Height;                                                  \
    if (width == 32)                                                                                         \
      for (int32_t y = 0; y < height; ++y, to += toStride, from += fromStride) Row(to, from, 32, key...);    \
    else if (width == 16)                                                                                    \
      for (int32_t y = 0; y < height; ++y, to += toStride, from += fromStride) Row(to, from, 16, key...);    \
    else                                                                                                     \
      for (int32_t y = 0; y < height; ++y, to += toStride, from += fromStride) Row(to, from, width, key...); \
  }

// Plain C++, for any processor.

inline void PlainCopyRow(uint16_t* to, const uint16_t* from, int32_t width) {
  std::memcpy(to, from, static_cast<size_t>(width) * sizeof(uint16_t));
}

inline void PlainCopyRowLeavingOut(uint16_t* to, const uint16_t* from, int32_t width, uint16_t key) {
  for (int32_t x = 0; x < width; ++x) {
    const uint16_t p = from[x];
    to[x] = p == key ? to[x] : p;
  }
}

KESTRILO_ROW_WALK(EachRowPlain, )

void PlainCopy(const TPixelRows& rows) { EachRowPlain<PlainCopyRow>(rows); }

void PlainCopyLeavingOut(const TPixelRows& rows, uint16_t key) { EachRowPlain<PlainCopyRowLeavingOut>(rows, key); }

#ifdef KESTRILO_X86_VECTORS

// The SSE2 and AVX2 ways copy a row at least one vector wide as whole vectors
// from its start plus one vector that ends at its end, possibly overlapping
// the one before. That last vector is read (and, keyed, merged) before the row
// is written, so the overlap receives the same pixels twice and no read waits
// on a write it overlaps.

// SSE2, which every x86-64 has: 8 pixels, or 4 for the shortest rows.

inline __m128i Load8(const uint16_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }
inline void Store8(uint16_t* at, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(at), v); }
inline __m128i Load4(const uint16_t* at) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at)); }
inline void Store4(uint16_t* at, __m128i v) { _mm_storel_epi64(reinterpret_cast<__m128i*>(at), v); }

// The source's pixels, with the destination's where the source holds the key.
inline __m128i LeaveOutKey(__m128i from, __m128i to, __m128i key) {
  const __m128i isKey = _mm_cmpeq_epi16(from, key);
  return _mm_or_si128(_mm_and_si128(isKey, to), _mm_andnot_si128(isKey, from));
}

inline void CopyRowSse2(uint16_t* to, const uint16_t* from, int32_t width) {
  if (width >= 8) {
    const __m128i last = Load8(from + width - 8);
    for (int32_t x = 0; x < width - 8; x += 8) Store8(to + x, Load8(from + x));
    Store8(to + width - 8, last);
  } else if (width >= 4) {
    const __m128i last = Load4(from + width - 4);
    Store4(to, Load4(from));
    Store4(to + width - 4, last);
  } else {
    for (int32_t x = 0; x < width; ++x) to[x] = from[x];
  }
}

inline void CopyRowLeavingOutSse2(uint16_t* to, const uint16_t* from, int32_t width, __m128i key) {
  if (width >= 8) {
    const __m128i last = LeaveOutKey(Load8(from + width - 8), Load8(to + width - 8), key);
    for (int32_t x = 0; x < width - 8; x += 8) Store8(to + x, LeaveOutKey(Load8(from + x), Load8(to + x), key));
    Store8(to + width - 8, last);
  } else if (width >= 4) {
    const __m128i last = LeaveOutKey(Load4(from + width - 4), Load4(to + width - 4), key);
    Store4(to, LeaveOutKey(Load4(from), Load4(to), key));
    Store4(to + width - 4, last);
  } else {
    const auto k = static_cast<uint16_t>(_mm_cvtsi128_si32(key));
    for (int32_t x = 0; x < width; ++x)
      if (from[x] != k) to[x] = from[x];
  }
}

KESTRILO_ROW_WALK(EachRowSse2, )

void CopySse2(const TPixelRows& rows) { EachRowSse2<CopyRowSse2>(rows); }

void CopyLeavingOutSse2(const TPixelRows& rows, uint16_t key) {
  EachRowSse2<CopyRowLeavingOutSse2>(rows, _mm_set1_epi16(static_cast<short>(key)));
}

// AVX2: 16 pixels; rows narrower than that go the SSE2 way.

KESTRILO_AVX2 inline __m256i Load16(const uint16_t* at) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}
KESTRILO_AVX2 inline void Store16(uint16_t* at, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(at), v); }
KESTRILO_AVX2 inline __m256i LeaveOutKey(__m256i from, __m256i to, __m256i key) {
  return _mm256_blendv_epi8(from, to, _mm256_cmpeq_epi16(from, key));
}

KESTRILO_AVX2 inline void CopyRowAvx2(uint16_t* to, const uint16_t* from, int32_t width) {
  if (width < 16) {
    CopyRowSse2(to, from, width);
    return;
  }
  const __m256i last = Load16(from + width - 16);
  for (int32_t x = 0; x < width - 16; x += 16) Store16(to + x, Load16(from + x));
  Store16(to + width - 16, last);
}

KESTRILO_AVX2 inline void CopyRowLeavingOutAvx2(uint16_t* to, const uint16_t* from, int32_t width, __m256i key) {
  if (width < 16) {
    CopyRowLeavingOutSse2(to, from, width, _mm256_castsi256_si128(key));
    return;
  }
  const __m256i last = LeaveOutKey(Load16(from + width - 16), Load16(to + width - 16), key);
  for (int32_t x = 0; x < width - 16; x += 16) Store16(to + x, LeaveOutKey(Load16(from + x), Load16(to + x), key));
  Store16(to + width - 16, last);
}

KESTRILO_ROW_WALK(EachRowAvx2, KESTRILO_AVX2)

KESTRILO_AVX2 void CopyAvx2(const TPixelRows& rows) { EachRowAvx2<CopyRowAvx2>(rows); }

KESTRILO_AVX2 void CopyLeavingOutAvx2(const TPixelRows& rows, uint16_t key) {
  EachRowAvx2<CopyRowLeavingOutAvx2>(rows, _mm256_set1_epi16(static_cast<short>(key)));
}

// AVX-512BW on 16-pixel vectors (64-byte ones would split more stores across
// cache lines): the masks cut the row's end exactly and leave key pixels
// unwritten, so the destination is never read.

KESTRILO_AVX512 inline __mmask16 FirstPixels(int32_t count) { return static_cast<__mmask16>((1u << count) - 1u); }

KESTRILO_AVX512 inline void CopyRowAvx512(uint16_t* to, const uint16_t* from, int32_t width) {
  int32_t x = 0;
  for (; x + 16 <= width; x += 16) Store16(to + x, Load16(from + x));
  if (x < width) {
    const __mmask16 rest = FirstPixels(width - x);
    _mm256_mask_storeu_epi16(to + x, rest, _mm256_maskz_loadu_epi16(rest, from + x));
  }
}

KESTRILO_AVX512 inline void CopyRowLeavingOutAvx512(uint16_t* to, const uint16_t* from, int32_t width, __m256i key) {
  int32_t x = 0;
  for (; x + 16 <= width; x += 16) {
    const __m256i pixels = Load16(from + x);
    _mm256_mask_storeu_epi16(to + x, _mm256_cmpneq_epi16_mask(pixels, key), pixels);
  }
  if (x < width) {
    const __mmask16 rest = FirstPixels(width - x);
    const __m256i pixels = _mm256_maskz_loadu_epi16(rest, from + x);
    _mm256_mask_storeu_epi16(to + x, _mm256_mask_cmpneq_epi16_mask(rest, pixels, key), pixels);
  }
}

KESTRILO_ROW_WALK(EachRowAvx512, KESTRILO_AVX512)

KESTRILO_AVX512 void CopyAvx512(const TPixelRows& rows) { EachRowAvx512<CopyRowAvx512>(rows); }

KESTRILO_AVX512 void CopyLeavingOutAvx512(const TPixelRows& rows, uint16_t key) {
  EachRowAvx512<CopyRowLeavingOutAvx512>(rows, _mm256_set1_epi16(static_cast<short>(key)));
}

#endif  // KESTRILO_X86_VECTORS

}  // namespace

std::vector<TRowCopier> TRowCopier::AllThisProcessorRuns() {
  std::vector<TRowCopier> ways{{"plain", PlainCopy, PlainCopyLeavingOut}};
#ifdef KESTRILO_X86_VECTORS
  __builtin_cpu_init();
  ways.push_back({"sse2", CopySse2, CopyLeavingOutSse2});
  if (__builtin_cpu_supports("avx2")) ways.push_back({"avx2", CopyAvx2, CopyLeavingOutAvx2});
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl"))
    ways.push_back({"avx512bw", CopyAvx512, CopyLeavingOutAvx512});
#endif
  return ways;
}

const TRowCopier& TRowCopier::ForThisProcessor() {
  static const TRowCopier widest = AllThisProcessorRuns().back();
  return widest;
}

}  // namespace kestrilo
