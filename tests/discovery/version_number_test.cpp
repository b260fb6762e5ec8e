// The leading number of a version name and the version threshold.
#include "discovery/version_number.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct NumberCase {
    const wchar_t* name;
    double expected;
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << ::testing::PrintToString(std::wstring(c.name));
}

class LeadingNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumberTest, ReadsTheNumberAtTheStart)
{
    EXPECT_DOUBLE_EQ(qv::LeadingNumber(GetParam().name), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Names, LeadingNumberTest,
                         ::testing::Values(NumberCase{L"10", 10}, NumberCase{L"10abc", 10}, NumberCase{L" 11", 11},
                                           NumberCase{L"\t12", 12}, NumberCase{L"x10", 0}, NumberCase{L"", 0},
                                           NumberCase{L"9.5", 9.5}, NumberCase{L"10.1", 10.1}, NumberCase{L"10.0x", 10},
                                           NumberCase{L"10.2.3", 10.2}, NumberCase{L".5", 0.5}, NumberCase{L"5.", 5},
                                           NumberCase{L".", 0}, NumberCase{L"-12", -12}, NumberCase{L"+12", 12},
                                           NumberCase{L"- 12", 0}, NumberCase{L"1e1", 10}, NumberCase{L"1e", 1},
                                           NumberCase{L"1e+", 1}, NumberCase{L"2E-1", 0.2}, NumberCase{L"V10", 0},
                                           NumberCase{L"0x10", 0}, NumberCase{L"inf", 0}, NumberCase{L"nan", 0},
                                           NumberCase{L"1e999", HUGE_VAL}));

TEST(ProductVersionThreshold, TenAndAboveAreSupported)
{
    for (const wchar_t* name : {L"10", L"10.0", L"10abc", L" 11", L"10.1", L"2e1"}) {
        EXPECT_TRUE(qv::IsSupportedProductVersion(name)) << name;
    }
    for (const wchar_t* name : {L"9.5", L"9.99999", L"x10", L"", L"Release 11", L"-10"}) {
        EXPECT_FALSE(qv::IsSupportedProductVersion(name)) << name;
    }
}

}  // namespace
