// What a fuzz target does when a property fails: say which one, with the
// values that broke it, and abort, so that libFuzzer keeps the input as a
// crash and a corpus replay fails.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, ...)                                                  \
    do {                                                                            \
        if (!(condition)) {                                                         \
            std::fprintf(stderr, "%s:%d: property failed: %s\n  ", __FILE__,        \
                         __LINE__, #condition);                                     \
            std::fprintf(stderr, __VA_ARGS__);                                      \
            std::fputc('\n', stderr);                                               \
            std::abort();                                                           \
        }                                                                           \
    } while (0)
