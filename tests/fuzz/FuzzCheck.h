#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise stops the fuzzer as a crash does, so that it keeps the input.
inline void require(bool holds, const char* promise) {
    if (holds)
        return;
    std::fprintf(stderr, "Broken: %s\n", promise);
    std::abort();
}
