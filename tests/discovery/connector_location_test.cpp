// The connector location, per view, and its messages.
#include "discovery/connector_location.h"
#include "discovery/in_memory_registry.h"
#include "shared/fakes.h"

#include <gtest/gtest.h>

namespace {

using qv::StringArray;
using qv::fakes::InMemoryRegistry;
using qv::fakes::k32;
using qv::fakes::k64;
using qv::fakes::kMachine;
using qv::fakes::kUser;

const std::wstring kLocationKey = L"SOFTWARE\\QVR\\Matlab\\";

class ReadConnectorLocationTest : public ::testing::Test {
protected:
    void Read(bool showInfo)
    {
        qv::ReadConnectorLocation(registry, info, kLocationKey, L"MFileHome", location32, location64, showInfo);
        EXPECT_EQ(registry.OpenKeyCount(), 0);
    }

    InMemoryRegistry registry;
    qv::fakes::RecordingInfoBox info;
    std::wstring location32 = L"before32";
    std::wstring location64 = L"before64";
};

TEST_F(ReadConnectorLocationTest, ReadsEachViewAndShowsBoth32First)
{
    registry.SetString(kMachine, k32, kLocationKey, L"MFileHome", L"C:\\Conn32");
    registry.SetString(kMachine, k64, kLocationKey, L"MFileHome", L"C:\\Conn64");
    Read(true);
    EXPECT_EQ(location32, L"C:\\Conn32");
    EXPECT_EQ(location64, L"C:\\Conn64");
    EXPECT_EQ(info.shown, (StringArray{L"Connector Location(32): C:\\Conn32", L"Connector Location(64): C:\\Conn64"}));
}

TEST_F(ReadConnectorLocationTest, ShowsNothingWithoutTheFlag)
{
    registry.SetString(kMachine, k64, kLocationKey, L"MFileHome", L"C:\\Conn64");
    Read(false);
    EXPECT_EQ(location64, L"C:\\Conn64");
    EXPECT_TRUE(info.shown.empty());
}

TEST_F(ReadConnectorLocationTest, AMissingValueLeavesTheLocationAndAnEmptyOneSetsIt)
{
    registry.AddKey(kMachine, k32, kLocationKey);  // key without the value
    registry.SetString(kMachine, k64, kLocationKey, L"MFileHome", L"");
    registry.SetString(kUser, k64, kLocationKey, L"MFileHome", L"C:\\user");  // never read
    Read(true);
    EXPECT_EQ(location32, L"before32");
    EXPECT_EQ(location64, L"");
    EXPECT_EQ(info.shown, (StringArray{L"Connector Location(64): "}));
}

TEST_F(ReadConnectorLocationTest, ALongLocationIsReadWhole)
{
    const std::wstring longPath = L"C:\\" + std::wstring(250, L'c');
    registry.SetString(kMachine, k32, kLocationKey, L"MFileHome", longPath);
    Read(false);
    EXPECT_EQ(location32, longPath);
}

}  // namespace
