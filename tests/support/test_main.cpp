// GoogleTest main for every test program: applies QUORREL_CPU before any test
// runs, so that one build's suite runs at each kernel level in turn.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cpu_choice/cpu_choice.h"

namespace {

// A level this CPU does not run: every test of the program is skipped.
class SkipEverything : public testing::Environment {
  public:
    explicit SkipEverything(std::string reason) : reason_(std::move(reason)) {}
    void SetUp() override { GTEST_SKIP() << reason_; }

  private:
    std::string reason_;
};

bool ListingOnly() {
#ifdef GTEST_FLAG_GET
    return GTEST_FLAG_GET(list_tests);
#else
    return testing::GTEST_FLAG(list_tests);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const quorrel::CpuChoice choice = quorrel::ApplyCpuChoice(nullptr);
    if (!choice.ok && !choice.unsupported) {
        std::fprintf(stderr, "%s\n", choice.error.c_str());
        return 2;
    }
    // Test discovery reads the listing, so it must stay clean.
    if (!ListingOnly()) {
        if (choice.ok)
            std::printf("kernel level: %s\n", quorrel::KernelLevelName(choice.level));
        else
            std::printf("skipping every test: %s\n", choice.error.c_str());
        std::fflush(stdout);
    }
    if (!choice.ok) testing::AddGlobalTestEnvironment(new SkipEverything(choice.error));
    return RUN_ALL_TESTS();
}
