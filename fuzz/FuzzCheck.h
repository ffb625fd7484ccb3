#pragma once

// A broken property ends the run the way a crash does, so the fuzzer keeps the input.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace qmfuzz {

[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "broken property: %s\n", what.c_str());
    std::abort();
}

inline void check(bool ok, const std::string& what) {
    if (!ok)
        fail(what);
}

} // namespace qmfuzz
