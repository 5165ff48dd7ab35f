// The SSE2 kernels: 8 rows per vector. Compiled with -msse2 only.
#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "processing/coefficients.h"
#include "processing/kernels.h"
#include "processing/x86/x86_kernels.h"

namespace quorrel {
namespace {

struct V {
    using R = __m128i;
    static constexpr int kBlock = 8;
    static constexpr int kHalves = 1;

    static R LoadRows(const uint8_t* const* rows, int r, ptrdiff_t offset) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[r] + offset));
    }
    static void StoreRows(uint8_t* const* rows, int r, ptrdiff_t offset, int32_t count, R v) {
        if (r < count) _mm_storeu_si128(reinterpret_cast<__m128i*>(rows[r] + offset), v);
    }
    static R Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static void Store(uint8_t* p, R v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

    static R Set1(int32_t v) { return _mm_set1_epi32(v); }
    static R Zero() { return _mm_setzero_si128(); }
    static R Madd(R a, R b) { return _mm_madd_epi16(a, b); }
    static R Add32(R a, R b) { return _mm_add_epi32(a, b); }
    static R Sub32(R a, R b) { return _mm_sub_epi32(a, b); }
    static R Add16(R a, R b) { return _mm_add_epi16(a, b); }
    static R Sub16(R a, R b) { return _mm_sub_epi16(a, b); }
    static R And(R a, R b) { return _mm_and_si128(a, b); }
    static R Min16(R a, R b) { return _mm_min_epi16(a, b); }
    static R Max16(R a, R b) { return _mm_max_epi16(a, b); }
    static R PackS32(R a, R b) { return _mm_packs_epi32(a, b); }
    static R PackUS16(R a, R b) { return _mm_packus_epi16(a, b); }
    static R UnpackLo8(R a, R b) { return _mm_unpacklo_epi8(a, b); }
    static R UnpackHi8(R a, R b) { return _mm_unpackhi_epi8(a, b); }
    static R UnpackLo16(R a, R b) { return _mm_unpacklo_epi16(a, b); }
    static R UnpackHi16(R a, R b) { return _mm_unpackhi_epi16(a, b); }
    static R UnpackLo32(R a, R b) { return _mm_unpacklo_epi32(a, b); }
    static R UnpackHi32(R a, R b) { return _mm_unpackhi_epi32(a, b); }
    static R UnpackLo64(R a, R b) { return _mm_unpacklo_epi64(a, b); }
    static R UnpackHi64(R a, R b) { return _mm_unpackhi_epi64(a, b); }
    static R Srli16_8(R a) { return _mm_srli_epi16(a, 8); }
    static R Slli32_16(R a) { return _mm_slli_epi32(a, 16); }
    static R Srli32_12(R a) { return _mm_srli_epi32(a, 12); }
    static R Srai32_10(R a) { return _mm_srai_epi32(a, 10); }
    static R Srai32_16(R a) { return _mm_srai_epi32(a, 16); }
    static R Srai32_20(R a) { return _mm_srai_epi32(a, 20); }

    // (G, 256) in each 32-bit lane of host pixels.
    static R GreenPairs(R p) {
        return _mm_or_si128(_mm_and_si128(_mm_srli_epi32(p, 8), _mm_set1_epi32(0xFF)),
                            _mm_set1_epi32(0x01000000));
    }

    // clamp(acc >> 10) to 0..4095 as 16-bit lanes: signed saturation keeps
    // the order, so the 16-bit bounds that follow are exact.
    static R ClampSamples(R acc_lo, R acc_hi, R max_sample, R zero) {
        return _mm_max_epi16(
            _mm_min_epi16(_mm_packs_epi32(_mm_srai_epi32(acc_lo, 10), _mm_srai_epi32(acc_hi, 10)),
                          max_sample),
            zero);
    }
};

#include "processing/x86/lane_kernels.inl"

}  // namespace

extern const KernelSet kSse2Kernels = {KernelLevel::kSse2, kLanes, &ForwardIn, &BackwardOut,
                                       &kReferenceRowKernels};

}  // namespace quorrel
