#include "core/input/KeyFilters.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

struct MoneyCase {
    int code;
    const char16_t* before;
    int extra;
    bool accepted;
};

void PrintTo(const MoneyCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.code, c.before, c.extra, c.accepted);
}

class MoneyKeyFilterTest : public ::testing::TestWithParam<MoneyCase> {};

TEST_P(MoneyKeyFilterTest, AcceptsOrRefuses) {
    const auto& c = GetParam();
    const int out = MoneyKeyFilter(c.code, QString::fromUtf16(c.before), c.extra);
    EXPECT_EQ(out, c.accepted ? c.code : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MoneyKeyFilterTest,
    ::testing::Values(MoneyCase{'2', u"", 0, true}, MoneyCase{'.', u"12", 0, true},
                      MoneyCase{'.', u"1.", 0, true}, // a second point passes
                      MoneyCase{'5', u"12.34", 0, false}, MoneyCase{'5', u"12.3", 0, true},
                      MoneyCase{'5', u"12.34", 3, true}, MoneyCase{'6', u"12.345", 3, false},
                      MoneyCase{'7', u"1.2345", 4, false}, MoneyCase{'7', u"1.234", 4, true},
                      MoneyCase{'5', u"12.34", 1, false}, // an allowance of 2 or less means 2
                      MoneyCase{'9', u".12", 0, false}, MoneyCase{8, u"12.34", 0, true},
                      MoneyCase{127, u"", 0, true}, MoneyCase{'a', u"", 0, false},
                      MoneyCase{'-', u"", 0, false}, MoneyCase{',', u"", 0, false},
                      MoneyCase{'$', u"", 0, false}, MoneyCase{'%', u"", 0, false},
                      MoneyCase{' ', u"", 0, false}, MoneyCase{22, u"", 0, false}, // Ctrl+V
                      MoneyCase{3, u"", 0, false}),                                // Ctrl+C
    [](const auto& info) {
        return qmtest::NameOf("Key", info.param.code, "after", info.param.before, "allowing",
                              info.param.extra);
    });

TEST(DigitKeyFilter, DigitsAndBackspaceOnly) {
    for (int code = 0; code < 256; ++code) {
        const bool expected = code == 8 || code == 127 || (code >= '0' && code <= '9');
        EXPECT_EQ(DigitKeyFilter(code), expected ? code : 0) << code;
    }
}

} // namespace
