// Each level's group kernels against the reference row functions, one pass
// at a time: ForwardIn with real taps and BackwardOut with identity taps
// shows the conversion in, the forward pass and the conversion out;
// the other way round shows the backward pass.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "processing/color_convert.h"
#include "processing/kernels.h"
#include "processing/row_filter.h"
#include "tests/kernels/guarded_rows.h"

namespace quorrel {
namespace {

using testing_support::FillPixels;
using testing_support::GuardedFrame;
using testing_support::IdentityTaps;
using testing_support::NamedTaps;
using testing_support::PixelPattern;

enum class Stage { kForward, kBackward, kBoth };
const char* StageName(Stage s) {
    return s == Stage::kForward ? "forward" : s == Stage::kBackward ? "backward" : "both";
}

// One row through the reference functions.
std::vector<uint8_t> ReferenceRow(const uint8_t* source, int32_t w, const FilterTaps& forward,
                                  const FilterTaps& backward) {
    std::vector<WorkPixel> x(w), t(w), z(w);
    std::vector<uint8_t> out(static_cast<size_t>(w) * 4);
    ConvertRgb32RowToWork(source, x.data(), w);
    FilterRowForward(x.data(), t.data(), w, forward, ChromaBias(forward.uv_a, forward.uv_b));
    FilterRowBackward(t.data(), z.data(), w, backward, ChromaBias(backward.uv_a, backward.uv_b));
    ConvertWorkRowToRgb32(z.data(), out.data(), w);
    return out;
}

// A pair store with a fence behind it.
constexpr uint8_t kStoreFence = 0x3C;
constexpr size_t kFenceBytes = 64;

class GroupKernels : public ::testing::TestWithParam<KernelLevel> {};

TEST_P(GroupKernels, MatchTheReferenceRowFunctions) {
    const KernelSet* set = KernelsAt(GetParam());
    if (set == nullptr) GTEST_SKIP() << "this CPU does not run " << KernelLevelName(GetParam());
    const int32_t lanes = set->lanes;
    const uint32_t seed = 20261211u + static_cast<uint32_t>(GetParam());
    std::mt19937 random(seed);
    const std::vector<NamedTaps> cases = testing_support::TapCases(random);
    // Short groups and full ones.
    std::vector<int32_t> counts = {1, lanes};
    if (lanes > 2) counts = {1, lanes / 2 + 1, lanes - 1, lanes};
    const PixelPattern patterns[] = {PixelPattern::kRandom, PixelPattern::kExtremes,
                                     PixelPattern::kCheckerboard};

    std::vector<int32_t> widths;
    for (int32_t w = 1; w <= 80; ++w) widths.push_back(w);
    widths.push_back(131);
    widths.push_back(258);

    int failures = 0;
    for (int32_t w : widths) {
        const size_t store_bytes = static_cast<size_t>(lanes) * w * sizeof(WorkPixel);
        std::vector<uint8_t> low(store_bytes + kFenceBytes), high(store_bytes + kFenceBytes);
        for (size_t ci = 0; ci < cases.size(); ++ci) {
            for (Stage stage : {Stage::kForward, Stage::kBackward, Stage::kBoth}) {
                const int32_t count = counts[(w + ci) % counts.size()];
                const PixelPattern pattern = patterns[(w + ci + static_cast<int>(stage)) % 3];
                const FilterTaps forward = stage == Stage::kBackward ? IdentityTaps() : cases[ci].taps;
                const FilterTaps backward = stage == Stage::kForward ? IdentityTaps() : cases[ci].taps;

                GuardedFrame source(w, count, false);
                FillPixels(source, pattern, random);
                GuardedFrame destination(w, count, (w & 1) != 0);
                std::memset(low.data() + store_bytes, kStoreFence, kFenceBytes);
                std::memset(high.data() + store_bytes, kStoreFence, kFenceBytes);

                const uint8_t* in_rows[kMaxKernelLanes];
                uint8_t* out_rows[kMaxKernelLanes];
                for (int32_t l = 0; l < lanes; ++l) {
                    in_rows[l] = source.Row(l < count ? l : count - 1);
                    out_rows[l] = l < count ? destination.Row(l) : nullptr;
                }
                set->forward_in(in_rows, w, forward, ChromaBias(forward.uv_a, forward.uv_b),
                                low.data(), high.data());
                set->backward_out(low.data(), high.data(), w, backward,
                                  ChromaBias(backward.uv_a, backward.uv_b), out_rows, count);

                std::string problem;
                for (int32_t r = 0; r < count && problem.empty(); ++r) {
                    const std::vector<uint8_t> want = ReferenceRow(source.Row(r), w, forward, backward);
                    const uint8_t* got = destination.Row(r);
                    for (int32_t b = 0; b < 4 * w; ++b) {
                        if (got[b] != want[b]) {
                            problem = "row " + std::to_string(r) + " byte " + std::to_string(b) +
                                      ": got " + std::to_string(got[b]) + ", want " +
                                      std::to_string(want[b]);
                            break;
                        }
                    }
                }
                if (problem.empty()) problem = destination.GuardDamage();
                for (size_t b = store_bytes; b < low.size() && problem.empty(); ++b)
                    if (low[b] != kStoreFence || high[b] != kStoreFence)
                        problem = "wrote past a pair store";
                if (!problem.empty()) {
                    ADD_FAILURE() << KernelLevelName(set->level) << " seed " << seed << " width " << w
                                  << " rows " << count << " taps " << cases[ci].name << " stage "
                                  << StageName(stage) << ": " << problem;
                    if (++failures >= 10) return;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, GroupKernels,
                         ::testing::Values(KernelLevel::kReference, KernelLevel::kSse2,
                                           KernelLevel::kAvx2),
                         [](const ::testing::TestParamInfo<KernelLevel>& info) {
                             return std::string(KernelLevelName(info.param));
                         });

}  // namespace
}  // namespace quorrel
