// StartInstance when the heap runs out part-way. The linker sends every
// malloc of this executable through __wrap_malloc, which fails the n-th call
// once armed.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <utility>

#include "processing/instance.h"

extern "C" void* __real_malloc(size_t size);

namespace {
int calls_until_failure = -1;  // -1: never fail
int armed_calls = 0;
}  // namespace

extern "C" void* __wrap_malloc(size_t size) {
    if (calls_until_failure >= 0) {
        ++armed_calls;
        if (calls_until_failure-- == 0) return nullptr;
    }
    return __real_malloc(size);
}

namespace quorrel {
namespace {

TEST(StartInstance, FailedAllocationLeavesEarlierBuffersForEndInstance) {
    for (int failing = 0; failing < 3; ++failing) {
        InstanceData instance;
        std::memset(&instance, 0xCD, sizeof instance);
        InitInstance(&instance);
        armed_calls = 0;
        calls_until_failure = failing;
        const int result = StartInstance(&instance, 40, 30);
        calls_until_failure = -1;
        EXPECT_EQ(result, 1) << "allocation " << failing + 1 << " failing";
        EXPECT_EQ(armed_calls, failing + 1) << "allocation stops at the first failure";
        EXPECT_EQ(instance.first != nullptr, failing > 0);
        EXPECT_EQ(instance.second != nullptr, failing > 1);
        EXPECT_EQ(instance.third, nullptr);
        // No run on a half-started instance.
        uint32_t pixel = 0x123456;
        const Rgb32Frame frame{&pixel, 1, 1, 0};
        EXPECT_EQ(RunInstance(&instance, frame, frame), 1);
        EXPECT_EQ(EndInstance(&instance), 0);
        EXPECT_EQ(instance.first, nullptr);
        EXPECT_EQ(instance.second, nullptr);
        EXPECT_EQ(instance.third, nullptr);
    }
}

// A size whose byte count cannot be allocated is refused before any
// allocation, however the multiplication would wrap.
TEST(StartInstance, RefusedSizesNeverReachTheHeap) {
    const std::pair<int32_t, int32_t> sizes[] = {{0, 10}, {10, -1}, {INT32_MAX, INT32_MAX}};
    for (const auto& size : sizes) {
        InstanceData instance;
        InitInstance(&instance);
        armed_calls = 0;
        calls_until_failure = 1000;
        const int result = StartInstance(&instance, size.first, size.second);
        calls_until_failure = -1;
        EXPECT_EQ(result, 1) << size.first << "x" << size.second;
        EXPECT_EQ(armed_calls, 0) << size.first << "x" << size.second;
        EndInstance(&instance);
    }
}

}  // namespace
}  // namespace quorrel
