#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "processing/instance.h"

namespace quorrel {
namespace {

// A host-like frame buffer: rows of w pixels separated by `modulo` bytes,
// with the first stored row last in memory when the modulo makes the stride
// negative. Everything outside the rows is a known guard byte.
class HostFrame {
public:
    HostFrame(int w, int h, ptrdiff_t modulo, uint8_t guard = 0xA5)
        : w_(w), h_(h), stride_(w * 4 + modulo), modulo_(modulo) {
        const ptrdiff_t rows = (h - 1) * (stride_ < 0 ? -stride_ : stride_) + w * 4;
        memory_.assign(static_cast<size_t>(rows + 2 * kGuard), guard);
        first_ = memory_.data() + kGuard + (stride_ < 0 ? (h - 1) * -stride_ : 0);
    }
    uint8_t* Row(int r) { return first_ + r * stride_; }
    uint32_t Get(int x, int r) {
        uint32_t p;
        std::memcpy(&p, Row(r) + 4 * x, 4);
        return p;
    }
    void Set(int x, int r, uint32_t p) { std::memcpy(Row(r) + 4 * x, &p, 4); }
    Rgb32Frame Frame() { return Rgb32Frame{first_, w_, h_, modulo_}; }
    bool InRow(size_t index) const {
        const ptrdiff_t offset = static_cast<ptrdiff_t>(index) - (first_ - memory_.data());
        for (int r = 0; r < h_; ++r)
            if (offset >= r * stride_ && offset < r * stride_ + w_ * 4) return true;
        return false;
    }
    const std::vector<uint8_t>& Memory() const { return memory_; }

private:
    static constexpr ptrdiff_t kGuard = 64;
    int w_, h_;
    ptrdiff_t stride_, modulo_;
    std::vector<uint8_t> memory_;
    uint8_t* first_;
};

void FillRandom(HostFrame& frame, int w, int h, uint32_t seed) {
    std::mt19937 rng(seed);
    for (int r = 0; r < h; ++r)
        for (int x = 0; x < w; ++x) frame.Set(x, r, rng());
}

InstanceData NewInstance() {
    InstanceData instance;
    std::memset(&instance, 0xCD, sizeof instance);  // host storage holds anything
    InitInstance(&instance);
    return instance;
}

TEST(InitInstance, SetsTheIdentityAndNullBuffers) {
    const InstanceData instance = NewInstance();
    const CoefficientSet zero{{0, 0, 0, 0}}, identity{{1024, 0, 0, 0}};
    EXPECT_EQ(std::memcmp(&instance.y_a, &zero, sizeof zero), 0);
    EXPECT_EQ(std::memcmp(&instance.y_b, &identity, sizeof identity), 0);
    EXPECT_EQ(std::memcmp(&instance.uv_a, &zero, sizeof zero), 0);
    EXPECT_EQ(std::memcmp(&instance.uv_b, &identity, sizeof identity), 0);
    EXPECT_EQ(instance.first, nullptr);
    EXPECT_EQ(instance.second, nullptr);
    EXPECT_EQ(instance.third, nullptr);
}

TEST(RunInstance, DefaultsKeepEveryColourAndClearTheTopByte) {
    for (int w = 1; w <= 9; ++w) {
        for (int h : {1, 3}) {
            InstanceData instance = NewInstance();
            ASSERT_EQ(StartInstance(&instance, w, h), 0);
            HostFrame source(w, h, 0), destination(w, h, 12);
            FillRandom(source, w, h, 1000u * w + h);
            EXPECT_EQ(RunInstance(&instance, source.Frame(), destination.Frame()), 0);
            for (int r = 0; r < h; ++r)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(destination.Get(x, r), source.Get(x, r) & 0x00FFFFFFu)
                        << "w " << w << " h " << h << " x " << x << " row " << r;
            EndInstance(&instance);
        }
    }
}

TEST(RunInstance, ZeroChromaTapsShiftGreyToTheFilterCentre) {
    InstanceData instance = NewInstance();
    instance.uv_b = CoefficientSet{{0, 0, 0, 0}};
    const int w = 8, h = 2;
    ASSERT_EQ(StartInstance(&instance, w, h), 0);
    HostFrame frame(w, h, 0);
    for (int r = 0; r < h; ++r)
        for (int x = 0; x < w; ++x) frame.Set(x, r, 0xFF808080u);
    ASSERT_EQ(RunInstance(&instance, frame.Frame(), frame.Frame()), 0);
    for (int r = 0; r < h; ++r)
        for (int x = 0; x < w; ++x) EXPECT_EQ(frame.Get(x, r), 0x00827F82u);
    EndInstance(&instance);
}

// In place, with separate storage, with and without gaps, top-down and
// bottom-up: the same pixels come out, and no byte outside the rows changes.
TEST(RunInstance, SameResultForAnyStorageOfTheFrames) {
    const int w = 23, h = 7;
    InstanceData instance = NewInstance();
    instance.y_a = CoefficientSet{{0, -700, 100, 0}};
    instance.y_b = CoefficientSet{{200, 150, 50, 30}};
    instance.uv_a = CoefficientSet{{0, -512, 0, 0}};
    instance.uv_b = CoefficientSet{{512, 0, 0, 0}};
    ASSERT_EQ(StartInstance(&instance, w, h), 0);

    HostFrame reference_in(w, h, 0), reference_out(w, h, 0);
    FillRandom(reference_in, w, h, 77);
    ASSERT_EQ(RunInstance(&instance, reference_in.Frame(), reference_out.Frame()), 0);

    for (const ptrdiff_t modulo : {ptrdiff_t{0}, ptrdiff_t{20}, ptrdiff_t{-2 * w * 4 - 8}}) {
        for (const bool in_place : {false, true}) {
            HostFrame source(w, h, modulo), separate(w, h, modulo, 0x3C);
            FillRandom(source, w, h, 77);
            HostFrame& destination = in_place ? source : separate;
            ASSERT_EQ(RunInstance(&instance, source.Frame(), destination.Frame()), 0);
            for (int r = 0; r < h; ++r)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(destination.Get(x, r), reference_out.Get(x, r))
                        << "modulo " << modulo << (in_place ? " in place" : "");
            const uint8_t guard = in_place ? 0xA5 : 0x3C;
            for (size_t i = 0; i < destination.Memory().size(); ++i)
                if (!destination.InRow(i)) {
                    ASSERT_EQ(destination.Memory()[i], guard) << i;
                }
        }
    }
    EndInstance(&instance);
}

TEST(RunInstance, RefusesWithoutTouchingMemory) {
    InstanceData instance = NewInstance();
    HostFrame source(6, 4, 0), destination(6, 4, 0, 0x11);
    FillRandom(source, 6, 4, 5);
    // Not started.
    EXPECT_EQ(RunInstance(&instance, source.Frame(), destination.Frame()), 1);
    // Started smaller than the frame, in either direction.
    for (const auto& size : {std::pair<int, int>{5, 4}, std::pair<int, int>{6, 3}}) {
        ASSERT_EQ(StartInstance(&instance, size.first, size.second), 0);
        EXPECT_EQ(RunInstance(&instance, source.Frame(), destination.Frame()), 1);
        EndInstance(&instance);
    }
    for (uint8_t byte : destination.Memory()) ASSERT_EQ(byte, 0x11);
}

TEST(StartInstance, RefusesSizesWithoutAllocating) {
    struct Size {
        int32_t w, h;
    };
    const Size sizes[] = {{0, 10}, {10, 0}, {-1, 10}, {10, -5}, {INT32_MAX, INT32_MAX}};
    for (const Size& s : sizes) {
        InstanceData instance = NewInstance();
        EXPECT_EQ(StartInstance(&instance, s.w, s.h), 1) << s.w << "x" << s.h;
        EXPECT_EQ(instance.first, nullptr);
        EXPECT_EQ(instance.second, nullptr);
        EXPECT_EQ(instance.third, nullptr);
    }
}

TEST(EndInstance, ReleasesAndIsSafeToRepeat) {
    InstanceData instance = NewInstance();
    ASSERT_EQ(StartInstance(&instance, 64, 32), 0);
    EXPECT_NE(instance.first, nullptr);
    EXPECT_NE(instance.third, nullptr);
    EXPECT_EQ(EndInstance(&instance), 0);
    EXPECT_EQ(instance.first, nullptr);
    EXPECT_EQ(instance.second, nullptr);
    EXPECT_EQ(instance.third, nullptr);
    EXPECT_EQ(EndInstance(&instance), 0);
    // An ended instance starts again, at a new size.
    ASSERT_EQ(StartInstance(&instance, 8, 8), 0);
    EXPECT_EQ(EndInstance(&instance), 0);
}

}  // namespace
}  // namespace quorrel
