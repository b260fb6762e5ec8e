// Value data to text: bounded by the bytes given, whatever they hold.
#include "discovery/registry_value_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct DataCase {
    const char* label;
    std::vector<unsigned char> bytes;
    std::wstring expected;
};

void PrintTo(const DataCase& c, std::ostream* os)
{
    *os << c.label;
}

class RegistryValueToStringTest : public ::testing::TestWithParam<DataCase> {};

TEST_P(RegistryValueToStringTest, ReadsWithinTheBytes)
{
    const DataCase& c = GetParam();
    // An exact-size heap copy, so that the address sanitizer sees any read past the end.
    std::unique_ptr<unsigned char[]> exact(c.bytes.empty() ? nullptr : new unsigned char[c.bytes.size()]);
    std::copy(c.bytes.begin(), c.bytes.end(), exact.get());
    EXPECT_EQ(qv::RegistryValueToString(exact.get(), c.bytes.size()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Data, RegistryValueToStringTest,
    ::testing::Values(DataCase{"empty_null_pointer", {}, L""}, DataCase{"terminated", {'C', 0, ':', 0, 0, 0}, L"C:"},
                      DataCase{"stops_at_first_nul", {'a', 0, 0, 0, 'b', 0, 0, 0}, L"a"},
                      DataCase{"no_terminator", {'a', 0, 'b', 0}, L"ab"},
                      DataCase{"odd_byte_dropped", {'a', 0, 'b'}, L"a"}, DataCase{"single_byte", {'a'}, L""},
                      DataCase{"only_terminator", {0, 0}, L""},
                      DataCase{"little_endian_units", {0xAC, 0x20, 0xE9, 0x00}, L"\x20AC\x00E9"},
                      // The conversion sees bytes only; whether a value is text is its type's matter.
                      DataCase{"dword_as_text", {0x42, 0x00, 0x41, 0x00}, L"BA"}),
    [](const ::testing::TestParamInfo<DataCase>& param) { return std::string(param.param.label); });

TEST(RegistryValueToString, LongDataIsReadWhole)
{
    std::vector<unsigned char> bytes;
    for (int i = 0; i < 300; ++i) {
        bytes.push_back(static_cast<unsigned char>('a' + i % 26));
        bytes.push_back(0);
    }
    EXPECT_EQ(qv::RegistryValueToString(bytes.data(), bytes.size()).size(), 300u);
}

}  // namespace
