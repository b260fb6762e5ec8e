// Registry operations over both views, against the in-memory registry.
#include "discovery/registry_access.h"
#include "in_memory_registry.h"
#include "shared/fakes.h"

#include <gtest/gtest.h>

namespace {

using qv::Hive;
using qv::Platform;
using qv::StringArray;
using qv::fakes::InMemoryRegistry;
using qv::fakes::k32;
using qv::fakes::k64;
using qv::fakes::kMachine;
using qv::fakes::kUser;

const std::wstring kBase = L"SOFTWARE\\Vendor\\Releases\\";

class RegistryAccessTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(registry.OpenKeyCount(), 0) << "a key was left open"; }

    void AddRelease(Platform view, const std::wstring& name, const std::wstring& root, Hive hive = kMachine)
    {
        registry.SetString(hive, view, kBase + name, L"ROOT", root);
    }

    InMemoryRegistry registry;
};

TEST_F(RegistryAccessTest, ListSubKeysKeepsViewsApartAndAppends)
{
    registry.AddKey(kMachine, k64, kBase + L"b");
    registry.AddKey(kMachine, k64, kBase + L"a");
    registry.AddKey(kMachine, k64, kBase + L"c");
    StringArray names32{L"earlier32"};
    StringArray names64{L"earlier64"};

    qv::ListSubKeys(registry, kMachine, kBase, names32, names64);

    EXPECT_EQ(names32, (StringArray{L"earlier32"}));
    EXPECT_EQ(names64, (StringArray{L"earlier64", L"b", L"a", L"c"}));  // enumeration order
}

TEST_F(RegistryAccessTest, ListSubKeysUsesTheGivenHive)
{
    registry.AddKey(kUser, k32, kBase + L"user");
    registry.AddKey(kMachine, k32, kBase + L"machine");
    StringArray names32;
    StringArray names64;
    qv::ListSubKeys(registry, kUser, kBase, names32, names64);
    // The user's views are one tree: both see the user's key, neither the machine's.
    EXPECT_EQ(names32, (StringArray{L"user"}));
    EXPECT_EQ(names64, (StringArray{L"user"}));
}

TEST_F(RegistryAccessTest, AFailingViewContributesNothingAndTheOtherStillCounts)
{
    for (const auto& plant : {&InMemoryRegistry::DenyOpen, &InMemoryRegistry::FailSubKeyCount}) {
        InMemoryRegistry faulty;
        faulty.AddKey(kMachine, k32, kBase + L"x32");
        faulty.AddKey(kMachine, k64, kBase + L"x64");
        (faulty.*plant)(kMachine, k32, kBase);
        StringArray names32;
        StringArray names64;
        qv::ListSubKeys(faulty, kMachine, kBase, names32, names64);
        EXPECT_TRUE(names32.empty());
        EXPECT_EQ(names64, (StringArray{L"x64"}));
        EXPECT_EQ(faulty.OpenKeyCount(), 0);
    }
}

TEST_F(RegistryAccessTest, ANameThatCannotBeFetchedLeavesAnEmptyEntryInItsPlace)
{
    registry.AddKey(kMachine, k32, kBase + L"first");
    registry.FailNameFetch(kMachine, k32, kBase + L"lost");
    registry.AddKey(kMachine, k32, kBase + L"last");
    StringArray names32;
    StringArray names64;
    qv::ListSubKeys(registry, kMachine, kBase, names32, names64);
    EXPECT_EQ(names32, (StringArray{L"first", L"", L"last"}));
}

struct MatchCase {
    const char* label;
    StringArray wanted32;
    StringArray wanted64;
    StringArray expected32;
    StringArray expected64;
};

void PrintTo(const MatchCase& c, std::ostream* os)
{
    *os << c.label;
}

class ListMatchingSubKeysTest : public RegistryAccessTest, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(ListMatchingSubKeysTest, KeepsExactMatchesInEnumerationOrder)
{
    for (const wchar_t* name : {L"9.4", L"9.3", L"R2018a", L"9.4.1"}) {
        registry.AddKey(kMachine, k32, kBase + name);
        registry.AddKey(kMachine, k64, kBase + name);
    }
    const MatchCase& c = GetParam();
    StringArray names32;
    StringArray names64;
    qv::ListMatchingSubKeys(registry, kBase, names32, names64, c.wanted32, c.wanted64);
    EXPECT_EQ(names32, c.expected32);
    EXPECT_EQ(names64, c.expected64);
}

INSTANTIATE_TEST_SUITE_P(
    Wanted, ListMatchingSubKeysTest,
    ::testing::Values(
        MatchCase{"empty_wanted_gives_nothing", {}, {L"9.3"}, {}, {L"9.3"}},
        MatchCase{"order_is_enumeration_order", {L"9.3", L"9.4"}, {}, {L"9.4", L"9.3"}, {}},
        MatchCase{"case_sensitive", {L"r2018a"}, {L"R2018A"}, {}, {}},
        MatchCase{"wanted_twice_matches_once", {L"9.4", L"9.4"}, {L"9.4", L"9.3", L"9.4"}, {L"9.4"}, {L"9.4", L"9.3"}},
        MatchCase{"prefix_is_not_a_match", {L"9"}, {L"9.4.1x", L"9.4.", L" 9.4"}, {}, {}},
        MatchCase{"views_use_their_own_wanted", {L"9.3"}, {L"R2018a"}, {L"9.3"}, {L"R2018a"}}),
    [](const ::testing::TestParamInfo<MatchCase>& param) { return std::string(param.param.label); });

TEST_F(RegistryAccessTest, ListMatchingSubKeysEnumeratesTheMachineOnly)
{
    registry.AddKey(kUser, k64, kBase + L"9.4");
    StringArray names32;
    StringArray names64;
    qv::ListMatchingSubKeys(registry, kBase, names32, names64, {L"9.4"}, {L"9.4"});
    EXPECT_TRUE(names32.empty());
    EXPECT_TRUE(names64.empty());
}

TEST_F(RegistryAccessTest, ReadValueOfEachSubKeyReadsPerViewAndSkipsWhatIsMissing)
{
    AddRelease(k32, L"a", L"C:\\A32");
    registry.AddKey(kMachine, k32, kBase + L"no-value");
    AddRelease(k32, L"empty", L"");
    registry.SetString(kMachine, k32, kBase + L"denied", L"ROOT", L"C:\\hidden");
    registry.DenyOpen(kMachine, k32, kBase + L"denied");
    AddRelease(k32, L"after-denied", L"C:\\B32");  // the key that cannot be opened does not end the listing
    AddRelease(k64, L"a", L"C:\\A64");
    StringArray values32{L"kept"};
    StringArray values64;

    qv::ReadValueOfEachSubKey(registry, kBase, L"ROOT", values32, values64);

    EXPECT_EQ(values32, (StringArray{L"kept", L"C:\\A32", L"", L"C:\\B32"}));
    EXPECT_EQ(values64, (StringArray{L"C:\\A64"}));
}

TEST_F(RegistryAccessTest, LongValuesAndOddDataAreReadWithinTheirBytes)
{
    const std::wstring longRoot = L"C:\\" + std::wstring(297, L'm');  // 300 characters
    AddRelease(k64, L"long", longRoot);
    registry.SetValue(kMachine, k64, kBase + L"unterminated", L"ROOT", qv::fakes::Utf16Bytes(L"D:\\x", false));
    registry.SetValue(kMachine, k64, kBase + L"odd", L"ROOT", {'E', 0, ':', 0, '\\'});
    StringArray values32;
    StringArray values64;
    qv::ReadValueOfEachSubKey(registry, kBase, L"ROOT", values32, values64);
    EXPECT_EQ(values64, (StringArray{longRoot, L"D:\\x", L"E:"}));
}

TEST_F(RegistryAccessTest, OnlyStringTypesAreReadAsText)
{
    // Each would spell a root if its bytes were taken as text; none is a string.
    constexpr qv::RegistryValueType kBinary = 3, kDword = 4, kMultiString = 7, kQword = 11;
    registry.SetValue(kMachine, k64, kBase + L"dword", L"ROOT", {'C', 0, ':', 0}, kDword);
    registry.SetValue(kMachine, k64, kBase + L"list", L"ROOT", qv::fakes::Utf16Bytes(std::wstring(L"C:\\M\0", 5)),
                      kMultiString);
    registry.SetValue(kMachine, k64, kBase + L"binary", L"ROOT", qv::fakes::Utf16Bytes(L"C:\\B"), kBinary);
    registry.SetValue(kMachine, k64, kBase + L"qword", L"ROOT", {'C', 0, ':', 0, 0, 0, 0, 0}, kQword);
    registry.SetValue(kMachine, k64, kBase + L"expand", L"ROOT", qv::fakes::Utf16Bytes(L"%ProgramFiles%\\M"),
                      qv::kRegistryExpandString);
    AddRelease(k64, L"plain", L"C:\\P");
    StringArray values32;
    StringArray values64;
    qv::ReadValueOfEachSubKey(registry, kBase, L"ROOT", values32, values64);
    // An expandable string stays as it is stored.
    EXPECT_EQ(values64, (StringArray{L"%ProgramFiles%\\M", L"C:\\P"}));
    EXPECT_EQ(qv::ReadValueInView(registry, kBase + L"dword", L"ROOT", k64), L"");
}

TEST_F(RegistryAccessTest, ReadValueOfMatchingSubKeysTakesNamesFromTheMachineAndValuesFromTheHive)
{
    registry.AddKey(kMachine, k32, kBase + L"9.4");
    registry.AddKey(kMachine, k64, kBase + L"9.3");
    AddRelease(k32, L"9.4", L"U:\\94", kUser);
    AddRelease(k64, L"9.3", L"U:\\93", kUser);
    AddRelease(k64, L"9.9", L"U:\\only-user", kUser);  // not installed machine-wide: ignored
    StringArray values32;
    StringArray values64;

    qv::ReadValueOfMatchingSubKeys(registry, kUser, kBase, L"ROOT", values32, values64, {L"9.4", L"9.9"},
                                   {L"9.3", L"9.9"});

    EXPECT_EQ(values32, (StringArray{L"U:\\94"}));
    EXPECT_EQ(values64, (StringArray{L"U:\\93"}));
}

TEST_F(RegistryAccessTest, ReadValueInViewReadsTheViewAsked)
{
    registry.SetString(kMachine, k32, L"SOFTWARE\\Vendor", L"Home", L"home32");
    registry.SetString(kMachine, k64, L"SOFTWARE\\Vendor", L"Home", L"home64");
    registry.SetString(kUser, k64, L"SOFTWARE\\Vendor", L"Other", L"user");
    EXPECT_EQ(qv::ReadValueInView(registry, L"SOFTWARE\\Vendor", L"Home", k32), L"home32");
    EXPECT_EQ(qv::ReadValueInView(registry, L"SOFTWARE\\Vendor", L"Home", k64), L"home64");
    EXPECT_EQ(qv::ReadValueInView(registry, L"SOFTWARE\\Vendor", L"Other", k64), L"");
    EXPECT_EQ(qv::ReadValueInView(registry, L"SOFTWARE\\Missing", L"Home", k64), L"");
}

}  // namespace
