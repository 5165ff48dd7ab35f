// RunInstance at every level against the reference order over the whole
// frame: sizes that leave short groups and column tails, rows stored either
// way, guard bytes around every row, and source and destination in the same
// storage.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "processing/instance.h"
#include "processing/kernels.h"
#include "tests/kernels/guarded_rows.h"

namespace quorrel {
namespace {

using testing_support::FillPixels;
using testing_support::FirstDifference;
using testing_support::GuardedFrame;
using testing_support::NamedTaps;
using testing_support::PixelPattern;
using testing_support::ReferenceFrameRun;

// Puts the cap back however the test ends.
class LevelCap {
  public:
    explicit LevelCap(KernelLevel level) : before_(ActiveKernelLevel()), ok_(SetKernelLevelCap(level)) {}
    ~LevelCap() { SetKernelLevelCap(before_); }
    bool ok() const { return ok_; }

  private:
    KernelLevel before_;
    bool ok_;
};

enum class Storage { kSeparate, kSeparateBottomUp, kInPlace, kInPlaceBottomUp };
const char* StorageName(Storage s) {
    switch (s) {
        case Storage::kSeparate: return "separate";
        case Storage::kSeparateBottomUp: return "separate bottom-up";
        case Storage::kInPlace: return "in place";
        case Storage::kInPlaceBottomUp: return "in place bottom-up";
    }
    return "";
}

void SetTaps(InstanceData* instance, const FilterTaps& taps) {
    instance->y_a = taps.y_a;
    instance->y_b = taps.y_b;
    instance->uv_a = taps.uv_a;
    instance->uv_b = taps.uv_b;
}

class FusedRun : public ::testing::TestWithParam<KernelLevel> {};

TEST_P(FusedRun, MatchesTheWholeFrameReference) {
    LevelCap cap(GetParam());
    if (!cap.ok()) GTEST_SKIP() << "this CPU does not run " << KernelLevelName(GetParam());
    const uint32_t seed = 977u + static_cast<uint32_t>(GetParam());
    std::mt19937 random(seed);
    const std::vector<NamedTaps> cases = testing_support::TapCases(random);
    const int32_t widths[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 16, 17, 31, 33, 64, 79};
    const int32_t heights[] = {1, 2, 3, 7, 8, 9, 15, 16, 17, 24, 33, 40};
    const Storage storages[] = {Storage::kSeparate, Storage::kSeparateBottomUp, Storage::kInPlace,
                                Storage::kInPlaceBottomUp};
    const PixelPattern patterns[] = {PixelPattern::kRandom, PixelPattern::kExtremes,
                                     PixelPattern::kCheckerboard};

    int failures = 0;
    int run = 0;
    for (int32_t w : widths) {
        for (int32_t h : heights) {
            for (Storage storage : storages) {
                ++run;
                const NamedTaps& taps = cases[run % cases.size()];
                const bool bottom_up =
                    storage == Storage::kSeparateBottomUp || storage == Storage::kInPlaceBottomUp;
                const bool in_place = storage == Storage::kInPlace || storage == Storage::kInPlaceBottomUp;

                GuardedFrame source(w, h, bottom_up);
                FillPixels(source, patterns[run % 3], random);
                const std::vector<uint8_t> want = ReferenceFrameRun(source.frame(), taps.taps);
                GuardedFrame separate(w, h, !bottom_up);
                GuardedFrame& destination = in_place ? source : separate;

                InstanceData instance;
                InitInstance(&instance);
                SetTaps(&instance, taps.taps);
                // Sometimes started larger than the frames it then runs.
                const int32_t extra = run % 2;
                ASSERT_EQ(StartInstance(&instance, w + extra, h + extra), 0);
                const int result = RunInstance(&instance, source.frame(), destination.frame());
                EndInstance(&instance);

                std::string problem = result == 0 ? FirstDifference(destination, want, w, h)
                                                  : "RunInstance returned " + std::to_string(result);
                if (problem.empty()) problem = destination.GuardDamage();
                if (problem.empty()) problem = source.GuardDamage();
                if (!problem.empty()) {
                    ADD_FAILURE() << KernelLevelName(ActiveKernelLevel()) << " seed " << seed << " "
                                  << w << "x" << h << " " << StorageName(storage) << " taps "
                                  << taps.name << ": " << problem;
                    if (++failures >= 10) return;
                }
            }
        }
    }
}

// A destination one row below the source in the same buffer: writing a
// group's rows would overwrite source rows the next group still needs, so
// the whole source must still be read first.
TEST_P(FusedRun, OverlappingFramesShiftedByARowReadTheWholeSourceFirst) {
    LevelCap cap(GetParam());
    if (!cap.ok()) GTEST_SKIP() << "this CPU does not run " << KernelLevelName(GetParam());
    std::mt19937 random(5u);
    const std::vector<NamedTaps> cases = testing_support::TapCases(random);
    const int32_t w = 37;
    const int32_t h = 41;
    GuardedFrame storage(w, h + 1, false);
    FillPixels(storage, PixelPattern::kRandom, random);
    Rgb32Frame source = storage.frame();
    source.height = h;
    Rgb32Frame destination = source;
    destination.pixels = storage.Row(1);
    const std::vector<uint8_t> want = ReferenceFrameRun(source, cases[2].taps);

    InstanceData instance;
    InitInstance(&instance);
    SetTaps(&instance, cases[2].taps);
    ASSERT_EQ(StartInstance(&instance, w, h), 0);
    ASSERT_EQ(RunInstance(&instance, source, destination), 0);
    EndInstance(&instance);
    for (int32_t r = 0; r < h; ++r) {
        const uint8_t* got = storage.Row(r + 1);
        const uint8_t* expected = want.data() + static_cast<size_t>(r) * w * 4;
        ASSERT_EQ(std::vector<uint8_t>(got, got + 4 * w), std::vector<uint8_t>(expected, expected + 4 * w))
            << "row " << r;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, FusedRun,
                         ::testing::Values(KernelLevel::kReference, KernelLevel::kSse2,
                                           KernelLevel::kAvx2),
                         [](const ::testing::TestParamInfo<KernelLevel>& info) {
                             return std::string(KernelLevelName(info.param));
                         });

}  // namespace
}  // namespace quorrel
