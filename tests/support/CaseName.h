#pragma once

#include <cctype>
#include <gtest/gtest.h>
#include <string>

namespace qmtest {

// A test name made of a case's `name` field.
template <typename Case> std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char* c = info.param.name; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
}

} // namespace qmtest
