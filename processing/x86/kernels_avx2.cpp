// The AVX2 kernels: 16 rows per vector, as two 8-row halves that the in-lane
// AVX2 operations keep apart. Compiled with -mavx2; nothing in this file runs
// unless the ladder saw AVX2 and the OS saving YMM state.
#include <immintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "processing/coefficients.h"
#include "processing/kernels.h"
#include "processing/x86/x86_kernels.h"

namespace quorrel {
namespace {

struct V {
    using R = __m256i;
    static constexpr int kBlock = 16;
    static constexpr int kHalves = 2;

    // Row r of the half-group in the low half, row r + 8 in the high half.
    static R LoadRows(const uint8_t* const* rows, int r, ptrdiff_t offset) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[r] + offset));
        const __m128i high =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[r + 8] + offset));
        return _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
    }
    static void StoreRows(uint8_t* const* rows, int r, ptrdiff_t offset, int32_t count, R v) {
        if (r < count)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(rows[r] + offset),
                             _mm256_castsi256_si128(v));
        if (r + 8 < count)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(rows[r + 8] + offset),
                             _mm256_extracti128_si256(v, 1));
    }
    static R Load(const uint8_t* p) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    static void Store(uint8_t* p, R v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }

    static R Set1(int32_t v) { return _mm256_set1_epi32(v); }
    static R Zero() { return _mm256_setzero_si256(); }
    static R Madd(R a, R b) { return _mm256_madd_epi16(a, b); }
    static R Add32(R a, R b) { return _mm256_add_epi32(a, b); }
    static R Sub32(R a, R b) { return _mm256_sub_epi32(a, b); }
    static R Add16(R a, R b) { return _mm256_add_epi16(a, b); }
    static R Sub16(R a, R b) { return _mm256_sub_epi16(a, b); }
    static R And(R a, R b) { return _mm256_and_si256(a, b); }
    static R Min16(R a, R b) { return _mm256_min_epi16(a, b); }
    static R Max16(R a, R b) { return _mm256_max_epi16(a, b); }
    static R PackS32(R a, R b) { return _mm256_packs_epi32(a, b); }
    static R PackUS16(R a, R b) { return _mm256_packus_epi16(a, b); }
    static R UnpackLo8(R a, R b) { return _mm256_unpacklo_epi8(a, b); }
    static R UnpackHi8(R a, R b) { return _mm256_unpackhi_epi8(a, b); }
    static R UnpackLo16(R a, R b) { return _mm256_unpacklo_epi16(a, b); }
    static R UnpackHi16(R a, R b) { return _mm256_unpackhi_epi16(a, b); }
    static R UnpackLo32(R a, R b) { return _mm256_unpacklo_epi32(a, b); }
    static R UnpackHi32(R a, R b) { return _mm256_unpackhi_epi32(a, b); }
    static R UnpackLo64(R a, R b) { return _mm256_unpacklo_epi64(a, b); }
    static R UnpackHi64(R a, R b) { return _mm256_unpackhi_epi64(a, b); }
    static R Srli16_8(R a) { return _mm256_srli_epi16(a, 8); }
    static R Slli32_16(R a) { return _mm256_slli_epi32(a, 16); }
    static R Srli32_12(R a) { return _mm256_srli_epi32(a, 12); }
    static R Srai32_10(R a) { return _mm256_srai_epi32(a, 10); }
    static R Srai32_16(R a) { return _mm256_srai_epi32(a, 16); }
    static R Srai32_20(R a) { return _mm256_srai_epi32(a, 20); }

    // (G, 256) in each 32-bit lane of host pixels.
    static R GreenPairs(R p) {
        return _mm256_blend_epi16(_mm256_srli_epi16(p, 8), _mm256_set1_epi32(0x01000000), 0xAA);
    }

    // clamp(acc >> 10) to 0..4095 as 16-bit lanes, in one saturating pack:
    // acc >> 6 packs to 0..65535 unsigned, saturating exactly when acc >> 10
    // leaves 0..4095, and >> 4 of that is the clamped acc >> 10.
    static R ClampSamples(R acc_lo, R acc_hi, R, R) {
        return _mm256_srli_epi16(
            _mm256_packus_epi32(_mm256_srai_epi32(acc_lo, 6), _mm256_srai_epi32(acc_hi, 6)), 4);
    }
};

#include "processing/x86/lane_kernels.inl"

}  // namespace

extern const KernelSet kAvx2Kernels = {KernelLevel::kAvx2, kLanes, &ForwardIn, &BackwardOut,
                                       &kSse2Kernels};

}  // namespace quorrel
