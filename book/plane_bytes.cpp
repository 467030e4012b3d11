#include "book/plane_bytes.h"

#include "book/book_format.h"

#if defined(__x86_64__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qb {
void UnmaskBytes(const std::uint8_t* __restrict in, std::size_t n, std::uint8_t mask, std::uint8_t* __restrict out) {
  for (std::size_t k = 0; k < n; ++k) out[k] = static_cast<std::uint8_t>(in[k] ^ mask);
}

void AddUnmaskedRuns(const std::uint8_t* const* runs, int rowCount, std::size_t n, std::uint8_t mask,
                     std::uint16_t* __restrict sums) {
  std::size_t k = 0;
#if defined(__SSE2__)
  // 16 columns a step with all the rows added in registers: the sums are
  // read and written once per call, not once per row.
  const __m128i zero = _mm_setzero_si128();
  const __m128i mask16 = _mm_set1_epi8(static_cast<char>(mask));
  for (; k + 16 <= n; k += 16) {
    auto* to = reinterpret_cast<__m128i*>(sums + k);
    __m128i low = _mm_loadu_si128(to);
    __m128i high = _mm_loadu_si128(to + 1);
    for (int row = 0; row < rowCount; ++row) {
      const __m128i v = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(runs[row] + k)), mask16);
      low = _mm_add_epi16(low, _mm_unpacklo_epi8(v, zero));
      high = _mm_add_epi16(high, _mm_unpackhi_epi8(v, zero));
    }
    _mm_storeu_si128(to, low);
    _mm_storeu_si128(to + 1, high);
  }
#endif
  for (; k < n; ++k) {
    unsigned sum = sums[k];
    for (int row = 0; row < rowCount; ++row) sum += static_cast<std::uint8_t>(runs[row][k] ^ mask);
    sums[k] = static_cast<std::uint16_t>(sum);
  }
}

void AndUnmaskedBytes(const std::uint8_t* __restrict in, std::size_t n, std::uint8_t mask,
                      std::uint8_t* __restrict inout) {
  for (std::size_t k = 0; k < n; ++k) inout[k] &= static_cast<std::uint8_t>(in[k] ^ mask);
}

namespace {

#if defined(__x86_64__)
// The first pixels of Interleave, 32 a step with 256-bit registers; returns
// how many it did. Unpacking works within each 128-bit half, so the halves
// are put back in order before they are stored.
template <bool kStream>
__attribute__((target("avx2"))) std::size_t InterleaveWide(const std::uint8_t* __restrict blue,
                                                           const std::uint8_t* __restrict green,
                                                           const std::uint8_t* __restrict red, std::size_t n,
                                                           std::uint8_t blueMask, std::uint8_t greenMask,
                                                           std::uint8_t redMask, std::uint32_t* __restrict out) {
  std::size_t k = 0;
  if constexpr (kStream) {
    if (reinterpret_cast<std::uintptr_t>(out) % 32 != 0) return 0;
  }
  const __m256i zero = _mm256_setzero_si256();
  const __m256i b32 = _mm256_set1_epi8(static_cast<char>(blueMask));
  const __m256i g32 = _mm256_set1_epi8(static_cast<char>(greenMask));
  const __m256i r32 = _mm256_set1_epi8(static_cast<char>(redMask));
  for (; k + 32 <= n; k += 32) {
    const __m256i b = _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(blue + k)), b32);
    const __m256i g = _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(green + k)), g32);
    const __m256i r = _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(red + k)), r32);
    const __m256i bgLow = _mm256_unpacklo_epi8(b, g);
    const __m256i bgHigh = _mm256_unpackhi_epi8(b, g);
    const __m256i r0Low = _mm256_unpacklo_epi8(r, zero);
    const __m256i r0High = _mm256_unpackhi_epi8(r, zero);
    const __m256i p0 = _mm256_unpacklo_epi16(bgLow, r0Low);    // pixels 0-3 | 16-19
    const __m256i p1 = _mm256_unpackhi_epi16(bgLow, r0Low);    // 4-7 | 20-23
    const __m256i p2 = _mm256_unpacklo_epi16(bgHigh, r0High);  // 8-11 | 24-27
    const __m256i p3 = _mm256_unpackhi_epi16(bgHigh, r0High);  // 12-15 | 28-31
    const __m256i ordered[4] = {_mm256_permute2x128_si256(p0, p1, 0x20), _mm256_permute2x128_si256(p2, p3, 0x20),
                                _mm256_permute2x128_si256(p0, p1, 0x31), _mm256_permute2x128_si256(p2, p3, 0x31)};
    auto* to = reinterpret_cast<__m256i*>(out + k);
    for (int i = 0; i < 4; ++i) {
      if constexpr (kStream) {
        _mm256_stream_si256(to + i, ordered[i]);
      } else {
        _mm256_storeu_si256(to + i, ordered[i]);
      }
    }
  }
  return k;
}
#endif

// Interleaves n pixels, each colour XORed with its mask (0 for bytes already
// unmasked). Streamed stores bypass the cache, for output far larger than it.
template <bool kStream>
void Interleave(const std::uint8_t* __restrict blue, const std::uint8_t* __restrict green,
                const std::uint8_t* __restrict red, std::size_t n, std::uint8_t blueMask, std::uint8_t greenMask,
                std::uint8_t redMask, std::uint32_t* __restrict out) {
  const auto pixel = [&](std::size_t k) {
    return static_cast<std::uint32_t>(red[k] ^ redMask) << 16 | static_cast<std::uint32_t>(green[k] ^ greenMask) << 8 |
           static_cast<std::uint32_t>(blue[k] ^ blueMask);
  };
  std::size_t k = 0;
#if defined(__x86_64__)
  // Twice the width where the processor has it, chosen once at run time.
  static const bool wide = __builtin_cpu_supports("avx2");
  if (wide) k = InterleaveWide<kStream>(blue, green, red, n, blueMask, greenMask, redMask, out);
#endif
#if defined(__SSE2__)
  // 16 pixels a step, the bytes paired by unpacking, which the compiler
  // does not find on its own. Streamed stores need 16-byte alignment.
  if constexpr (kStream) {
    for (; k < n && reinterpret_cast<std::uintptr_t>(out + k) % 16 != 0; ++k) out[k] = pixel(k);
  }
  const __m128i zero = _mm_setzero_si128();
  const __m128i b16 = _mm_set1_epi8(static_cast<char>(blueMask));
  const __m128i g16 = _mm_set1_epi8(static_cast<char>(greenMask));
  const __m128i r16 = _mm_set1_epi8(static_cast<char>(redMask));
  const auto store = [](__m128i* to, __m128i v) {
    if constexpr (kStream) {
      _mm_stream_si128(to, v);
    } else {
      _mm_storeu_si128(to, v);
    }
  };
  for (; k + 16 <= n; k += 16) {
    const __m128i b = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(blue + k)), b16);
    const __m128i g = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(green + k)), g16);
    const __m128i r = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(red + k)), r16);
    const __m128i bgLow = _mm_unpacklo_epi8(b, g);
    const __m128i bgHigh = _mm_unpackhi_epi8(b, g);
    const __m128i r0Low = _mm_unpacklo_epi8(r, zero);
    const __m128i r0High = _mm_unpackhi_epi8(r, zero);
    auto* to = reinterpret_cast<__m128i*>(out + k);
    store(to, _mm_unpacklo_epi16(bgLow, r0Low));
    store(to + 1, _mm_unpackhi_epi16(bgLow, r0Low));
    store(to + 2, _mm_unpacklo_epi16(bgHigh, r0High));
    store(to + 3, _mm_unpackhi_epi16(bgHigh, r0High));
  }
  if constexpr (kStream) _mm_sfence();
#endif
  for (; k < n; ++k) out[k] = pixel(k);
}

}  // namespace

void AndMaskedRuns(const MaskedPlanes* runs, int rowCount, std::size_t n, bool into, std::uint32_t* __restrict out) {
  std::size_t k = 0;
#if defined(__SSE2__)
  // 16 pixels a step, all rows in registers: one pass over the rows' bytes.
  const __m128i zero = _mm_setzero_si128();
  const __m128i b16 = _mm_set1_epi8(static_cast<char>(format::kBlueMask));
  const __m128i g16 = _mm_set1_epi8(static_cast<char>(format::kGreenMask));
  const __m128i r16 = _mm_set1_epi8(static_cast<char>(format::kRedMask));
  const auto load = [](const std::uint8_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); };
  for (; k + 16 <= n; k += 16) {
    __m128i b = _mm_xor_si128(load(runs[0].blue + k), b16);
    __m128i g = _mm_xor_si128(load(runs[0].green + k), g16);
    __m128i r = _mm_xor_si128(load(runs[0].red + k), r16);
    for (int row = 1; row < rowCount; ++row) {
      b = _mm_and_si128(b, _mm_xor_si128(load(runs[row].blue + k), b16));
      g = _mm_and_si128(g, _mm_xor_si128(load(runs[row].green + k), g16));
      r = _mm_and_si128(r, _mm_xor_si128(load(runs[row].red + k), r16));
    }
    const __m128i bgLow = _mm_unpacklo_epi8(b, g);
    const __m128i bgHigh = _mm_unpackhi_epi8(b, g);
    const __m128i r0Low = _mm_unpacklo_epi8(r, zero);
    const __m128i r0High = _mm_unpackhi_epi8(r, zero);
    __m128i pixels[4] = {_mm_unpacklo_epi16(bgLow, r0Low), _mm_unpackhi_epi16(bgLow, r0Low),
                         _mm_unpacklo_epi16(bgHigh, r0High), _mm_unpackhi_epi16(bgHigh, r0High)};
    auto* to = reinterpret_cast<__m128i*>(out + k);
    for (int i = 0; i < 4; ++i) {
      _mm_storeu_si128(to + i, into ? _mm_and_si128(_mm_loadu_si128(to + i), pixels[i]) : pixels[i]);
    }
  }
#endif
  for (; k < n; ++k) {
    std::uint32_t v = 0x00FFFFFFu;
    for (int row = 0; row < rowCount; ++row) {
      v &= static_cast<std::uint32_t>(runs[row].red[k] ^ format::kRedMask) << 16 |
           static_cast<std::uint32_t>(runs[row].green[k] ^ format::kGreenMask) << 8 |
           static_cast<std::uint32_t>(runs[row].blue[k] ^ format::kBlueMask);
    }
    out[k] = into ? out[k] & v : v;
  }
}

void PixelsFromMaskedPlanes(const std::uint8_t* blue, const std::uint8_t* green, const std::uint8_t* red, std::size_t n,
                            std::size_t pagePixels, std::uint32_t* out) {
  if (pagePixels > kCacheFriendlyPixels) {
    Interleave<true>(blue, green, red, n, format::kBlueMask, format::kGreenMask, format::kRedMask, out);
  } else {
    Interleave<false>(blue, green, red, n, format::kBlueMask, format::kGreenMask, format::kRedMask, out);
  }
}

void PixelsFromPlanes(const std::uint8_t* blue, const std::uint8_t* green, const std::uint8_t* red, std::size_t n,
                      std::uint32_t* out) {
  Interleave<false>(blue, green, red, n, 0, 0, 0, out);
}

void SplitIntoMaskedPlanes(const std::uint32_t* __restrict pixels, std::size_t n, std::uint8_t* __restrict blue,
                           std::uint8_t* __restrict red, std::uint8_t* __restrict green) {
  std::size_t k = 0;
#if defined(__SSE2__)
  // 16 pixels a step: each colour shifted down, cut to its byte and packed.
  const __m128i low = _mm_set1_epi32(0xFF);
  const __m128i b16 = _mm_set1_epi8(static_cast<char>(format::kBlueMask));
  const __m128i g16 = _mm_set1_epi8(static_cast<char>(format::kGreenMask));
  const __m128i r16 = _mm_set1_epi8(static_cast<char>(format::kRedMask));
  for (; k + 16 <= n; k += 16) {
    __m128i p[4];
    for (int i = 0; i < 4; ++i) p[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + k + 4 * i));
    const auto colour = [&](int shift) {
      __m128i c[4];
      for (int i = 0; i < 4; ++i) c[i] = _mm_and_si128(_mm_srli_epi32(p[i], shift), low);
      return _mm_packus_epi16(_mm_packs_epi32(c[0], c[1]), _mm_packs_epi32(c[2], c[3]));
    };
    _mm_storeu_si128(reinterpret_cast<__m128i*>(blue + k), _mm_xor_si128(colour(0), b16));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(green + k), _mm_xor_si128(colour(8), g16));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(red + k), _mm_xor_si128(colour(16), r16));
  }
#endif
  for (; k < n; ++k) {
    const std::uint32_t p = pixels[k];
    blue[k] = static_cast<std::uint8_t>(p ^ format::kBlueMask);
    red[k] = static_cast<std::uint8_t>((p >> 16) ^ format::kRedMask);
    green[k] = static_cast<std::uint8_t>((p >> 8) ^ format::kGreenMask);
  }
}

}  // namespace qb
