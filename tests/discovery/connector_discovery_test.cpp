// Connector discovery's rules for the answers of the connector objects.
#include "discovery/connector_discovery.h"
#include "discovery/scripted_connectors.h"
#include "shared/fakes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using qv::Platform;
using qv::ResultCode;
using qv::StringArray;
using qv::fakes::PlatformScript;
using qv::fakes::ScriptedSource;

constexpr ResultCode kFalse = 1;                                    // S_FALSE
constexpr ResultCode kFail = static_cast<ResultCode>(0x80004005u);  // E_FAIL

class FindConnectorsTest : public ::testing::Test {
protected:
    void Find(bool showInfo = true) { qv::FindConnectors(source, info, connectors32, connectors64, showInfo); }

    ScriptedSource source;
    qv::fakes::RecordingInfoBox info;
    StringArray connectors32;
    StringArray connectors64;
};

TEST_F(FindConnectorsTest, NoClassesLeaveTheArraysAsTheyWere)
{
    connectors32 = {L"earlier"};
    Find();
    EXPECT_EQ(connectors32, (StringArray{L"earlier"}));
    EXPECT_TRUE(connectors64.empty());
    EXPECT_TRUE(info.shown.empty());
}

struct ReplyCase {
    const char* label;
    PlatformScript bits32;
    PlatformScript bits64;
    StringArray expected32;
    StringArray expected64;
    StringArray expectedCalls;
};

void PrintTo(const ReplyCase& c, std::ostream* os)
{
    *os << c.label;
}

class FindConnectorsReplies : public FindConnectorsTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(FindConnectorsReplies, FollowTheResultRules)
{
    const ReplyCase& c = GetParam();
    source.connectors.emplace_back(c.bits32, c.bits64);
    Find();
    EXPECT_EQ(connectors32, c.expected32);
    EXPECT_EQ(connectors64, c.expected64);
    EXPECT_EQ(source.connectors[0].calls, c.expectedCalls);
}

const StringArray kAllCalls{L"GetVersionInfo(32)", L"CheckPlatform(32)", L"GetVersionInfo(64)", L"CheckPlatform(64)"};

INSTANTIATE_TEST_SUITE_P(
    Replies, FindConnectorsReplies,
    ::testing::Values(
        ReplyCase{"both_platforms", {0, L"9_4", 0}, {0, L"9_3", 0}, {L"9.4"}, {L"9.3"}, kAllCalls},
        ReplyCase{
            "version_s_false_still_counts", {kFalse, L"9_4", 0}, {kFalse, L"9_4", 0}, {L"9.4"}, {L"9.4"}, kAllCalls},
        ReplyCase{"check_s_false_gives_nothing", {0, L"9_4", kFalse}, {0, L"9_4", 0}, {}, {L"9.4"}, kAllCalls},
        ReplyCase{"check_failure_gives_nothing", {0, L"9_4", kFail}, {0, L"9_4", kFail}, {}, {}, kAllCalls},
        ReplyCase{"failed_32_still_asks_64",
                  {kFail, L"ignored", 0},
                  {0, L"9_4", 0},
                  {},
                  {L"9.4"},
                  {L"GetVersionInfo(32)", L"GetVersionInfo(64)", L"CheckPlatform(64)"}},
        ReplyCase{
            "underscores_become_points", {0, L"1_2_3", 0}, {0, L"R2018a_", 0}, {L"1.2.3"}, {L"R2018a."}, kAllCalls},
        ReplyCase{"null_version_gives_empty_entry",
                  {0, L"", 0},
                  {kFail, L"", 0},
                  {L""},
                  {},
                  {L"GetVersionInfo(32)", L"CheckPlatform(32)", L"GetVersionInfo(64)"}}),
    [](const ::testing::TestParamInfo<ReplyCase>& param) { return std::string(param.param.label); });

TEST_F(FindConnectorsTest, EveryClassCountsAndMessagesFollowTheAppends)
{
    source.connectors.emplace_back(PlatformScript{0, L"9_4", 0}, PlatformScript{0, L"9_4", 0});
    source.connectors.emplace_back(PlatformScript{0, L"9_4", 0}, PlatformScript{0, L"9_3", kFalse});
    source.connectors.emplace_back(PlatformScript{kFail, L"", 0}, PlatformScript{0, L"7_6", 0});
    connectors64 = {L"earlier"};
    Find();
    EXPECT_EQ(connectors32, (StringArray{L"9.4", L"9.4"}));
    EXPECT_EQ(connectors64, (StringArray{L"earlier", L"9.4", L"7.6"}));
    EXPECT_EQ(info.shown, (StringArray{L"Connector found for(32): 9.4", L"Connector found for(64): 9.4",
                                       L"Connector found for(32): 9.4", L"Connector found for(64): 7.6"}));
}

TEST_F(FindConnectorsTest, NoMessagesWithoutTheFlag)
{
    source.connectors.emplace_back(PlatformScript{0, L"9_4", 0}, PlatformScript{0, L"9_4", 0});
    source.unusable = {{L"{C1}", qv::UnusableConnectorClass::Reason::For32BitProgramsOnly, qv::kResultOk}};
    Find(false);
    EXPECT_EQ(connectors32.size(), 1u);
    EXPECT_TRUE(info.shown.empty());
    EXPECT_EQ(source.unusableAsked, 0) << "the classes the program cannot use are looked for only under -d";
}

TEST_F(FindConnectorsTest, ClassesThatCannotBeUsedAreShownOneEachAfterTheFoundOnes)
{
    using Reason = qv::UnusableConnectorClass::Reason;
    source.connectors.emplace_back(PlatformScript{0, L"9_4", 0}, PlatformScript{0, L"9_4", kFalse});
    source.unusable = {{L"{C1}", Reason::NotCreatable, static_cast<ResultCode>(0x80040154u)},
                       {L"{C2}", Reason::NotCreatable, static_cast<ResultCode>(0x8007007Eu)},
                       {L"{C3}", Reason::For32BitProgramsOnly, qv::kResultOk}};
    Find();
    EXPECT_EQ(connectors32, (StringArray{L"9.4"}));
    EXPECT_EQ(info.shown,
              (StringArray{L"Connector found for(32): 9.4",
                           L"Connector class {C1} could not be created (error 0x80040154).\n",
                           L"Connector class {C2} could not be created (error 0x8007007E).\n",
                           L"Connector class {C3} is registered for 32-bit programs only; this 64-bit program "
                           L"cannot use it.\n"}));
}

TEST(ToConnectorVersion, TurnsUnderscoresIntoPointsUpToTheFirstNul)
{
    EXPECT_EQ(qv::ToConnectorVersion(L"9_4"), L"9.4");
    EXPECT_EQ(qv::ToConnectorVersion(L"__"), L"..");
    EXPECT_EQ(qv::ToConnectorVersion(L"9.4"), L"9.4");
    EXPECT_EQ(qv::ToConnectorVersion(std::wstring(L"9_4\0_x", 6)), L"9.4");
}

}  // namespace
