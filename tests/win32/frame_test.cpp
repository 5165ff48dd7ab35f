// Frames through the module's start, run and end callbacks, compared byte for
// byte with the same core run directly in this program.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <ostream>
#include <string>
#include <vector>

#include "processing/instance.h"
#include "settings/script_line.h"
#include "tests/win32/fake_host.h"
#include "tests/win32/misaligned_call.h"

namespace quorrel_test {
namespace {

constexpr size_t kGuardBytes = 64;

// A frame in host storage with guard bytes before and after it. A bottom-up
// frame starts at the last row in memory and steps back with a negative
// modulo.
struct FrameStorage {
    std::vector<uint8_t> bytes;
    size_t first_row = 0;
    ptrdiff_t modulo = 0;
    int32_t width = 0;
    int32_t height = 0;
    size_t stride = 0;

    FrameStorage(int32_t w, int32_t h, size_t gap, bool bottom_up)
        : width(w), height(h), stride(static_cast<size_t>(w) * 4 + gap) {
        bytes.resize(2 * kGuardBytes + stride * static_cast<size_t>(h));
        const ptrdiff_t row_bytes = static_cast<ptrdiff_t>(w) * 4;
        if (bottom_up) {
            first_row = kGuardBytes + stride * static_cast<size_t>(h - 1);
            modulo = -row_bytes - static_cast<ptrdiff_t>(stride);
        } else {
            first_row = kGuardBytes;
            modulo = static_cast<ptrdiff_t>(gap);
        }
    }
    uint8_t* row_pointer() { return bytes.data() + first_row; }
    quorrel::Rgb32Frame frame() { return {row_pointer(), width, height, modulo}; }
    // Whether byte i belongs to a pixel (and may be written).
    bool IsPixel(size_t i) const {
        if (i < kGuardBytes) return false;
        const size_t inside = i - kGuardBytes;
        return inside < stride * static_cast<size_t>(height) &&
               inside % stride < static_cast<size_t>(width) * 4;
    }
};

struct FrameCase {
    const char* name;
    int32_t width;
    int32_t height;
    size_t source_gap;
    bool source_bottom_up;
    size_t destination_gap;
    bool destination_bottom_up;
    bool in_place;
    int taps;  // index into kTapSets; -1 keeps the defaults of init
    bool misaligned_stack;
};

// Test names say enough; GoogleTest would print the bytes.
void PrintTo(const FrameCase& c, std::ostream* out) { *out << c.name; }

const int32_t kTapSets[][8] = {
    // Y: a[2] = -0.5, b[1] = 0.5; UV: a[2] = -0.75, b[1] = 0.25, b[2] = 0.5.
    {-512, 0, 512 << 16, 0, -768, 0, (256 << 16) | 512, 0},
    // Extreme and mixed taps, so that clamping shows.
    {0x0000C000, 0x3FFFC000, static_cast<int32_t>(0x3FFF8000), 0x12345678,
     static_cast<int32_t>(0xFFFFFC00), 0x00800080, static_cast<int32_t>(0xC0003FFF), 0x7FFF7FFF},
};

const FrameCase kFrameCases[] = {
    {"OnePixel", 1, 1, 0, false, 0, false, false, 0, false},
    {"NarrowRowsAreCopied", 3, 4, 0, false, 8, false, false, 0, false},
    {"DefaultsPositiveModulo", 17, 5, 12, false, 0, false, false, -1, false},
    {"BottomUpSource", 64, 9, 0, true, 4, false, false, 0, false},
    {"BottomUpBoth", 31, 6, 20, true, 8, true, false, 1, false},
    {"InPlace", 33, 7, 8, false, 8, false, true, 0, false},
    {"InPlaceBottomUp", 40, 6, 4, true, 4, true, true, 1, false},
    {"LargerFrame", 320, 97, 16, false, 0, false, false, 0, false},
    {"MisalignedStack", 96, 24, 8, true, 0, false, false, 1, true},
};

class ModuleFrameTest : public testing::TestWithParam<FrameCase> {
protected:
    void SetUp() override { ASSERT_TRUE(filter_.Register()); }
    void TearDown() override { filter_.Unregister(); }
    RegisteredFilter filter_;
};

void Fill(std::vector<uint8_t>* bytes, uint32_t seed) {
    std::mt19937 random(seed);
    for (uint8_t& b : *bytes) b = static_cast<uint8_t>(random());
}

TEST_P(ModuleFrameTest, MatchesTheCoreByteForByte) {
    const FrameCase& c = GetParam();
    FrameStorage source(c.width, c.height, c.source_gap, c.source_bottom_up);
    FrameStorage separate(c.width, c.height, c.destination_gap, c.destination_bottom_up);
    FrameStorage& destination = c.in_place ? source : separate;

    HostInstance instance(filter_);
    HostRecord source_bitmap =
        MakeBitmap(source.row_pointer(), source.width, source.height, source.modulo);
    // The host's destination record may name any size; the module takes the source's.
    HostRecord destination_bitmap =
        MakeBitmap(destination.row_pointer(), 0x7FFF, -3, destination.modulo);
    instance.SetSource(source_bitmap.data());
    instance.SetDestination(destination_bitmap.data());

    auto call = [&](size_t callback) {
        InstanceCallback f = instance.callback(callback);
        return c.misaligned_stack ? CallWithMisalignedStack(f, instance.activation(), nullptr)
                                  : f(instance.activation(), nullptr);
    };
    ASSERT_EQ(call(definition::kInit), 0);
    quorrel::InstanceData core;
    quorrel::InitInstance(&core);
    if (c.taps >= 0) {
        instance.Config(kTapSets[c.taps], 8);
        quorrel::ScriptConfig(&core, kTapSets[c.taps]);
    }
    ASSERT_EQ(call(definition::kStart), 0);
    ASSERT_EQ(quorrel::StartInstance(&core, c.width, c.height), 0);

    // Two frames on one start: nothing may carry over from the first.
    for (uint32_t frame = 0; frame < 2; ++frame) {
        Fill(&source.bytes, 1000 * frame + static_cast<uint32_t>(c.width));
        if (!c.in_place) Fill(&separate.bytes, 77 + frame);
        const std::vector<uint8_t> source_before = source.bytes;
        const std::vector<uint8_t> destination_before = destination.bytes;

        FrameStorage expected_source = source;
        FrameStorage expected_separate = separate;
        FrameStorage& expected = c.in_place ? expected_source : expected_separate;
        ASSERT_EQ(quorrel::RunInstance(&core, expected_source.frame(), expected.frame()), 0);

        ASSERT_EQ(call(definition::kRun), 0) << "frame " << frame;
        ASSERT_EQ(destination.bytes.size(), expected.bytes.size());
        size_t differing = 0;
        for (size_t i = 0; i < destination.bytes.size(); ++i) {
            if (destination.bytes[i] != expected.bytes[i]) ++differing;
            if (!destination.IsPixel(i) && destination.bytes[i] != destination_before[i]) {
                ADD_FAILURE() << "byte " << i << " outside the pixels changed, frame " << frame;
                break;
            }
        }
        EXPECT_EQ(differing, 0u) << "bytes differing from the core, frame " << frame;
        if (!c.in_place) {
            EXPECT_TRUE(source.bytes == source_before) << "source was written";
        }
    }
    EXPECT_EQ(call(definition::kEnd), 0);
    quorrel::EndInstance(&core);
}

INSTANTIATE_TEST_SUITE_P(Frames, ModuleFrameTest, testing::ValuesIn(kFrameCases),
                         [](const testing::TestParamInfo<FrameCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(MisalignedCall, ReallyMisalignsTheStack) {
    EXPECT_EQ(CallWithMisalignedStack(ReportMisalignedEntry, nullptr, nullptr), 1);
}

}  // namespace
}  // namespace quorrel_test
