// The test host: a Windows console program that loads the module given by
// --module=PATH and runs every test against it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/win32/fake_host.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::string path;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--module=", 9) == 0) path = argv[i] + 9;
    if (path.empty()) {
        std::fprintf(stderr, "usage: %s --module=Quorrel.vdf [gtest options]\n", argv[0]);
        return 2;
    }
    quorrel_test::LoadedModule module;
    const std::string error = quorrel_test::LoadFilterModule(path, &module);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    quorrel_test::SetModule(module);
    quorrel_test::UseWindowsWithoutManager();
    return RUN_ALL_TESTS();
}
