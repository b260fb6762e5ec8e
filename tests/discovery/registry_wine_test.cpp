// The discovery operations through the Win32 registry binding, against the real registry of
// the Wine prefix. Each test writes its own keys and removes them again.
#include "discovery/connector_location.h"
#include "discovery/matlab_installations.h"
#include "discovery/product_installation.h"
#include "discovery/registry_access.h"
#include "discovery/win32/registry.h"
#include "discovery/user_setups.h"
#include "shared/fakes.h"
#include "registry_test_keys.h"

#include <gtest/gtest.h>

namespace {

using qv::Hive;
using qv::Platform;
using qv::StringArray;
using qv::fakes::k32;
using qv::fakes::k64;
using qv::fakes::kMachine;
using qv::fakes::kUser;

const std::wstring kTestBase = L"SOFTWARE\\QvDiscoveryTest\\";
const std::wstring kMatlab = L"SOFTWARE\\MathWorks\\MATLAB\\";
const std::wstring kProduct = L"SOFTWARE\\QVR\\ORX\\";

class RegistryWineTest : public ::testing::Test {
protected:
    void Set(Hive hive, Platform view, const std::wstring& path, const std::wstring& name, const std::wstring& text)
    {
        ASSERT_TRUE(keys.SetString(hive, view, path, name, text))
            << "cannot write " << std::string(path.begin(), path.end());
    }

    qv::win32::Win32Registry registry;
    qv::testing_keys::TestKeys keys;
};

TEST_F(RegistryWineTest, TheViewsAreKeptApart)
{
    Set(kMachine, k32, kTestBase + L"only32", L"Value", L"sentinel-32");
    Set(kMachine, k32, kTestBase + L"both", L"Value", L"both-32");
    Set(kMachine, k64, kTestBase + L"both", L"Value", L"both-64");
    Set(kMachine, k64, kTestBase + L"only64", L"Value", L"sentinel-64");

    StringArray names32{L"earlier"};
    StringArray names64;
    qv::ListSubKeys(registry, kMachine, kTestBase, names32, names64);
    EXPECT_EQ(names32, (StringArray{L"earlier", L"both", L"only32"}));
    EXPECT_EQ(names64, (StringArray{L"both", L"only64"}));

    StringArray values32;
    StringArray values64;
    qv::ReadValueOfEachSubKey(registry, kTestBase, L"Value", values32, values64);
    EXPECT_EQ(values32, (StringArray{L"both-32", L"sentinel-32"}));
    EXPECT_EQ(values64, (StringArray{L"both-64", L"sentinel-64"}));

    EXPECT_EQ(qv::ReadValueInView(registry, kTestBase + L"only32", L"Value", k32), L"sentinel-32");
    EXPECT_EQ(qv::ReadValueInView(registry, kTestBase + L"only32", L"Value", k64), L"");
}

TEST_F(RegistryWineTest, LongValuesAndNamesAreReadWhole)
{
    const std::wstring value300 = L"C:\\" + std::wstring(297, L'v');
    const std::wstring value128(128, L'w');
    const std::wstring name255(255, L'n');
    Set(kMachine, k64, kTestBase + L"long", L"V300", value300);
    Set(kMachine, k64, kTestBase + L"long", L"V128", value128);
    Set(kMachine, k64, kTestBase + L"long", L"V127", value128.substr(1));
    ASSERT_TRUE(keys.AddKey(kMachine, k64, kTestBase + L"names\\" + name255));

    EXPECT_EQ(qv::ReadValueInView(registry, kTestBase + L"long", L"V300", k64), value300);
    EXPECT_EQ(qv::ReadValueInView(registry, kTestBase + L"long", L"V128", k64), value128);
    EXPECT_EQ(qv::ReadValueInView(registry, kTestBase + L"long", L"V127", k64), value128.substr(1));

    StringArray names32;
    StringArray names64;
    qv::ListSubKeys(registry, kMachine, kTestBase + L"names", names32, names64);
    EXPECT_EQ(names64, (StringArray{name255}));
}

TEST_F(RegistryWineTest, StringDataStayWithinTheirBytesAndOtherTypesAreAbsent)
{
    const std::wstring path = kTestBase + L"raw";
    ASSERT_TRUE(keys.SetRaw(kMachine, k64, path, L"Unterminated", REG_SZ, L"abc", 6));
    ASSERT_TRUE(keys.SetRaw(kMachine, k64, path, L"Odd", REG_SZ, "x\0y", 3));
    ASSERT_TRUE(keys.SetRaw(kMachine, k64, path, L"Expand", REG_EXPAND_SZ, L"%SystemDrive%\\M", 30));
    ASSERT_TRUE(keys.SetRaw(kMachine, k64, path, L"Empty", REG_SZ, L"", 0));
    // Data of other types that would spell "C:" or a path if read as text.
    const DWORD number = 0x003A0043;
    ASSERT_TRUE(keys.SetRaw(kMachine, k64, path, L"Number", REG_DWORD, &number, sizeof(number)));
    ASSERT_TRUE(keys.SetRaw(kMachine, k64, path, L"List", REG_MULTI_SZ, L"C:\\M\0D:\\N\0", 26));
    ASSERT_TRUE(keys.SetRaw(kMachine, k64, path, L"Bytes", REG_BINARY, L"C:\\M", 10));

    EXPECT_EQ(qv::ReadValueInView(registry, path, L"Unterminated", k64), L"abc");
    EXPECT_EQ(qv::ReadValueInView(registry, path, L"Odd", k64), L"x");
    EXPECT_EQ(qv::ReadValueInView(registry, path, L"Expand", k64), L"%SystemDrive%\\M");
    const auto key = registry.OpenKey(kMachine, path, k64);
    ASSERT_NE(key, nullptr);
    // Present with no data: read, and empty.
    EXPECT_EQ(qv::ReadStringValue(*key, L"Empty"), std::optional<std::wstring>(L""));
    EXPECT_EQ(qv::ReadStringValue(*key, L"Missing"), std::nullopt);
    EXPECT_EQ(qv::ReadStringValue(*key, L"Number"), std::nullopt);
    EXPECT_EQ(qv::ReadStringValue(*key, L"List"), std::nullopt);
    EXPECT_EQ(qv::ReadStringValue(*key, L"Bytes"), std::nullopt);
}

TEST_F(RegistryWineTest, MatlabRootsComeFromTheMachineThenTheUser)
{
    Set(kMachine, k64, kMatlab + L"9.4", L"MATLABROOT", L"C:\\Program Files\\MATLAB\\R2018a");
    Set(kMachine, k32, kMatlab + L"9.3", L"MATLABROOT", L"C:\\Program Files (x86)\\MATLAB\\R2017b");
    Set(kUser, k64, kMatlab + L"9.4", L"MATLABROOT", L"D:\\User\\R2018a");
    Set(kUser, k64, kMatlab + L"9.9", L"MATLABROOT", L"D:\\User\\only-user");

    StringArray roots32;
    StringArray roots64;
    qv::FindMatlabRoots(registry, {L"9.3", L"9.9"}, {L"9.4", L"9.9"}, roots32, roots64);

    EXPECT_EQ(roots32, (StringArray{L"C:\\Program Files (x86)\\MATLAB\\R2017b"}));
    EXPECT_EQ(roots64, (StringArray{L"C:\\Program Files\\MATLAB\\R2018a", L"D:\\User\\R2018a"}));
}

// HKCU\Software is one key in both views (as on Windows): one per-user root of a release
// that is installed in both machine views serves both platforms.
TEST_F(RegistryWineTest, OnePerUserRootOfAReleaseInBothMachineViewsServesBothPlatforms)
{
    ASSERT_TRUE(keys.AddKey(kMachine, k32, kMatlab + L"9.4"));
    ASSERT_TRUE(keys.AddKey(kMachine, k64, kMatlab + L"9.4"));
    Set(kUser, k64, kMatlab + L"9.4", L"MATLABROOT", L"D:\\User\\R2018a");

    StringArray roots32;
    StringArray roots64;
    qv::FindMatlabRoots(registry, {L"9.4"}, {L"9.4"}, roots32, roots64);
    EXPECT_EQ(roots32, (StringArray{L"D:\\User\\R2018a"}));
    EXPECT_EQ(roots64, (StringArray{L"D:\\User\\R2018a"}));
}

TEST_F(RegistryWineTest, ProductEntriesPerView)
{
    Set(kMachine, k32, L"SOFTWARE\\QVR\\Matlab\\", L"MFileHome", L"C:\\ORX32\\connector");
    Set(kMachine, k64, L"SOFTWARE\\QVR\\Matlab\\", L"MFileHome", L"C:\\ORX64\\connector");
    Set(kMachine, k32, kProduct + L"9.5", L"MatlabInterface", L"C:\\ORX95\\matlab");
    Set(kMachine, k64, kProduct + L"11", L"MatlabInterface", L"C:\\ORX11\\matlab");

    qv::fakes::RecordingInfoBox info;
    std::wstring location32;
    std::wstring location64;
    qv::ReadConnectorLocation(registry, info, L"SOFTWARE\\QVR\\Matlab\\", L"MFileHome", location32, location64, true);
    EXPECT_EQ(info.shown, (StringArray{L"Connector Location(32): C:\\ORX32\\connector",
                                       L"Connector Location(64): C:\\ORX64\\connector"}));

    StringArray folders32;
    StringArray folders64;
    qv::ListProductMatlabFolders(registry, folders32, folders64);
    EXPECT_EQ(folders32, (StringArray{L"C:\\ORX95\\matlab"}));
    EXPECT_EQ(folders64, (StringArray{L"C:\\ORX11\\matlab"}));
}

TEST_F(RegistryWineTest, PendingUserSetupsReadEachPassInItsView)
{
    for (const wchar_t* version : {L"9.5", L"10", L"11"}) {
        Set(kMachine, k32, kProduct + version, L"ORXBinaryFolder", std::wstring(L"C:\\ORX32\\") + version);
        Set(kMachine, k64, kProduct + version, L"ORXBinaryFolder", std::wstring(L"C:\\ORX64\\") + version);
    }
    ASSERT_TRUE(keys.AddKey(kUser, k64, L"SOFTWARE\\QVR\\ORX (x64)\\11"));
    ASSERT_TRUE(keys.AddKey(kUser, k32, L"SOFTWARE\\QVR\\ORX\\10"));

    StringArray started;
    qv::RunPendingUserSetups(registry, qv::PlatformSelection::All, {L"f32"}, {L"f64"},
                             [&](const std::wstring& folder) { started.push_back(folder); });
    EXPECT_EQ(started, (StringArray{L"C:\\ORX64\\10", L"C:\\ORX32\\11"}));
}

TEST_F(RegistryWineTest, TheOperationsWriteNothing)
{
    Set(kMachine, k32, kMatlab + L"9.4", L"MATLABROOT", L"C:\\M32");
    Set(kMachine, k64, kMatlab + L"9.4", L"MATLABROOT", L"C:\\M64");
    Set(kUser, k64, kMatlab + L"9.4", L"MATLABROOT", L"C:\\MU");
    Set(kMachine, k32, L"SOFTWARE\\QVR\\Matlab\\", L"MFileHome", L"C:\\C32");
    Set(kMachine, k64, kProduct + L"10", L"ORXBinaryFolder", L"C:\\B64");
    Set(kMachine, k64, kProduct + L"10", L"MatlabInterface", L"C:\\F64");
    const auto exportAll = [] {
        std::wstring all;
        for (Platform view : {k32, k64}) {
            for (Hive hive : {kMachine, kUser}) {
                all += qv::testing_keys::ExportTree(hive, view, L"SOFTWARE\\MathWorks");
                all += qv::testing_keys::ExportTree(hive, view, L"SOFTWARE\\QVR");
            }
        }
        return all;
    };
    const std::wstring before = exportAll();
    ::Sleep(20);  // so that a write would show in the last-write times

    StringArray a;
    StringArray b;
    qv::FindMatlabRoots(registry, {L"9.4"}, {L"9.4"}, a, b);
    std::wstring location32;
    std::wstring location64;
    qv::fakes::RecordingInfoBox info;
    qv::ReadConnectorLocation(registry, info, L"SOFTWARE\\QVR\\Matlab\\", L"MFileHome", location32, location64, false);
    qv::ListProductMatlabFolders(registry, a, b);
    int setups = 0;
    qv::RunPendingUserSetups(registry, qv::PlatformSelection::All, {L"f"}, {L"f"},
                             [&](const std::wstring&) { ++setups; });

    EXPECT_EQ(b.size(), 3u);  // two roots and one folder: the operations did read
    EXPECT_EQ(setups, 1);
    EXPECT_EQ(exportAll(), before);
}

}  // namespace
