#pragma once

// A broken property ends the run the way a crash does, so the fuzzer keeps the input.

#include <concepts>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace qmfuzz {

[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "broken property: %s\n", what.c_str());
    std::abort();
}

inline void check(bool ok, const char* what) {
    if (!ok)
        fail(what);
}

// The description is only put together when the property is broken.
template <std::invocable Describe> void check(bool ok, Describe&& describe) {
    if (!ok)
        fail(describe());
}

} // namespace qmfuzz
