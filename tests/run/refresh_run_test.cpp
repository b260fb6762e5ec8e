// The refresh run's orchestration over a recording environment: end points, order of the
// steps, and what each subsystem is handed.
#include "app/refresh_run.h"
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace qv {
namespace {

using Trace = std::vector<std::wstring>;

std::wstring Join(const StringArray& items)
{
    std::wstring text;
    for (const std::wstring& item : items) {
        text += (text.empty() ? L"" : L",") + item;
    }
    return L"[" + text + L"]";
}

// Records every call as one line; answers from the machine it describes.
class FakeEnvironment final : public IRefreshRunEnvironment, public IInfoBox {
public:
    StringArray connectors32{L"9.4"}, connectors64{L"9.3"};
    std::wstring location32 = L"C:\\P32", location64 = L"C:\\P64";
    StringArray products32{L"D:\\O32"}, products64{L"D:\\O64"};
    StringArray roots32{L"C:\\M32"}, roots64{L"C:\\M64"};
    std::set<std::wstring> directories{L"D:\\O32", L"D:\\O64", L"E:\\Given"};
    // What the user does in the dialog: its result and what it leaves in the choice.
    int dialogResult = DialogOk;
    bool dialogKeepsLists = false;
    FolderChoice dialogAnswer;
    FolderChoice dialogReceived;

    Trace trace;
    bool progressOpen = false;

    void Show(const std::wstring& text) override { trace.push_back(L"info:" + text); }

    void OpenProgressWindow() override
    {
        progressOpen = true;
        trace.push_back(L"progress:open");
    }
    void CloseProgressWindow() override
    {
        progressOpen = false;
        trace.push_back(L"progress:close");
    }
    void FindConnectors(StringArray& c32, StringArray& c64, bool showInfo) override
    {
        c32.insert(c32.end(), connectors32.begin(), connectors32.end());
        c64.insert(c64.end(), connectors64.begin(), connectors64.end());
        trace.push_back(std::wstring(L"connectors") + (showInfo ? L" -d" : L""));
    }
    void ReadConnectorLocation(const std::wstring& keyPath, const std::wstring& valueName, std::wstring& l32,
                               std::wstring& l64, bool showInfo) override
    {
        l32 = location32;
        l64 = location64;
        trace.push_back(L"location " + keyPath + L" " + valueName + (showInfo ? L" -d" : L""));
    }
    void ListProductMatlabFolders(StringArray& f32, StringArray& f64) override
    {
        f32.insert(f32.end(), products32.begin(), products32.end());
        f64.insert(f64.end(), products64.begin(), products64.end());
        trace.push_back(L"products");
    }
    void PrepareGui() override { trace.push_back(L"gui"); }
    int ShowFolderSelectionDialog(FolderChoice& choice) override
    {
        dialogReceived = choice;
        trace.push_back(L"dialog platform=" + std::to_wstring(choice.platform));
        if (!dialogKeepsLists) {
            choice = dialogAnswer;
        }
        return dialogResult;
    }
    void FindMatlabRoots(const StringArray& c32, const StringArray& c64, StringArray& r32,
                         StringArray& r64) override
    {
        r32.insert(r32.end(), roots32.begin(), roots32.end());
        r64.insert(r64.end(), roots64.begin(), roots64.end());
        trace.push_back(L"roots for " + Join(c32) + Join(c64));
    }
    bool IsExistingDirectory(const std::wstring& path) override { return directories.count(path) != 0; }
    std::wstring FullPath(const std::wstring& path) override
    {
        trace.push_back(L"fullpath " + path);
        return L"E:\\Cwd\\" + path;
    }
    void RunMatlabRefresh(Platform platform, const std::wstring& folder, const std::wstring& location,
                          const StringArray& roots, bool showInfo) override
    {
        trace.push_back(std::wstring(L"refresh") + (platform == Platform::Bits32 ? L"32 " : L"64 ") + folder + L" " +
                        location + L" " + Join(roots) + (showInfo ? L" -d" : L""));
    }
    void RunPendingUserSetups(int selection, const StringArray& f32, const StringArray& f64) override
    {
        trace.push_back(L"setups " + std::to_wstring(selection) + L" " + Join(f32) + Join(f64));
    }

    Trace Run(const std::wstring& commandLine)
    {
        RunRefresh(commandLine, *this, *this);
        return trace;
    }
};

// True when the trace ends with `suffix`; a failure shows the whole trace.
::testing::AssertionResult EndsWith(const Trace& trace, const Trace& suffix)
{
    if (trace.size() >= suffix.size() && std::equal(suffix.rbegin(), suffix.rend(), trace.rbegin())) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "trace " << ::testing::PrintToString(trace) << "\ndoes not end with "
                                         << ::testing::PrintToString(suffix);
}

const std::wstring kUsage = L"info:" + BuildUsageText();
const std::wstring kDiscovery = L"connectors -d";
const std::wstring kLocation = L"location SOFTWARE\\QVR\\Matlab\\ MFileHome -d";

TEST(RefreshRunEndPoints, PlatformConflict)
{
    EXPECT_EQ(FakeEnvironment().Run(L"-x86 -x64 -d /?"),
              (Trace{L"progress:open", L"info:Cannot specify both x86 and x64 flags.\n", L"progress:close"}));
    EXPECT_EQ(FakeEnvironment().Run(L"-x86 -x64 -list"), (Trace{L"progress:open", L"progress:close"}));
}

TEST(RefreshRunEndPoints, UsageAskedForOrNoTokenShowsItWithoutDiscovery)
{
    for (const wchar_t* line : {L"/?", L"", L"  "}) {
        EXPECT_EQ(FakeEnvironment().Run(line), (Trace{L"progress:open", kUsage, L"progress:close"})) << line;
    }
}

TEST(RefreshRunEndPoints, NoFolderAndNoListShowsUsageAfterDiscovery)
{
    EXPECT_EQ(FakeEnvironment().Run(L"-d"),
              (Trace{L"progress:open", kDiscovery, kLocation, kUsage, L"progress:close"}));
    // An unquoted folder is no folder.
    EXPECT_TRUE(EndsWith(FakeEnvironment().Run(L"-orxMatlabPath E:\\Given"), {kUsage, L"progress:close"}));
}

TEST(RefreshRunEndPoints, CancelEndsTheRunAndStartsNothing)
{
    FakeEnvironment withInfo;
    withInfo.dialogResult = DialogCancel;
    EXPECT_EQ(withInfo.Run(L"-list -d"),
              (Trace{L"progress:open", kDiscovery, kLocation, L"products", L"gui", L"dialog platform=0",
                     L"info:dialog was cancelled.", L"progress:close"}));

    FakeEnvironment silent;
    silent.dialogResult = DialogCancel;
    EXPECT_TRUE(EndsWith(silent.Run(L"-list"), {L"dialog platform=0", L"progress:close"}));
}

TEST(RefreshRunEndPoints, NoMatlabRootsEndsTheRunAlsoAfterOk)
{
    FakeEnvironment folderMode;
    folderMode.roots32.clear();
    folderMode.roots64.clear();
    const Trace trace = folderMode.Run(L"-d -orxMatlabPath \"E:\\Given\"");
    EXPECT_TRUE(EndsWith(trace, {L"info:No matlab registry values were found.\n", L"progress:close"}));

    FakeEnvironment listMode;
    listMode.roots32.clear();
    listMode.roots64.clear();
    listMode.dialogAnswer = {PlatformAll, {L"D:\\O32"}, {L"D:\\O64"}};
    const Trace listTrace = listMode.Run(L"-list");
    EXPECT_TRUE(EndsWith(listTrace, {L"roots for [9.4][9.3]", L"progress:close"}));
}

TEST(RefreshRunEndPoints, RootsOfTheOtherPlatformOnlyStillGoOnButRefreshNothing)
{
    FakeEnvironment env;
    env.roots32.clear();
    const Trace trace = env.Run(L"-orxMatlabPath \"E:\\Given\"");
    EXPECT_TRUE(EndsWith(trace, {L"refresh32 E:\\Given C:\\P32 []", L"setups 0 [][]", L"progress:close"}));
}

TEST(RefreshRunFolderMode, MissingFolderIsReportedAndNothingStarts)
{
    const Trace trace = FakeEnvironment().Run(L"-d -orxMatlabPath \"E:\\Missing\"");
    EXPECT_TRUE(EndsWith(trace, {L"info:The ORX matlab folder does not exist at E:\\Missing.\n", L"progress:close"}));
    for (const std::wstring& line : trace) {
        EXPECT_NE(line.rfind(L"refresh", 0), 0u) << line;
        EXPECT_NE(line.rfind(L"setups", 0), 0u) << line;
    }
    EXPECT_EQ(FakeEnvironment().Run(L"-orxMatlabPath \"E:\\Missing\"").size(), 5u) << "no message without -d";
}

// MATLAB runs in R\bin, so it must get the folder that the existence test found, not the
// relative text; absolute folders (drive or UNC) are passed on exactly as given.
TEST(RefreshRunFolderMode, RelativeFolderIsTestedAndPassedAsItsFullPath)
{
    FakeEnvironment env;
    env.directories.insert(L"E:\\Cwd\\Given");
    const Trace trace = env.Run(L"-orxMatlabPath \"Given\"");
    EXPECT_EQ(trace.at(4), L"fullpath Given");
    EXPECT_EQ(trace.at(5), L"refresh32 E:\\Cwd\\Given C:\\P32 [C:\\M32]");

    const Trace missing = FakeEnvironment().Run(L"-d -orxMatlabPath \"..\\Gone\"");
    EXPECT_EQ(missing.at(missing.size() - 2), L"info:The ORX matlab folder does not exist at ..\\Gone.\n");

    for (const wchar_t* absolute : {L"E:\\Given", L"e:/Given", L"\\\\server\\share\\O"}) {
        FakeEnvironment env2;
        env2.directories.insert(absolute);
        for (const std::wstring& line : env2.Run(std::wstring(L"-orxMatlabPath \"") + absolute + L"\"")) {
            EXPECT_NE(line.rfind(L"fullpath", 0), 0u) << absolute;
        }
    }
    EXPECT_FALSE(IsAbsolutePath(L"\\O"));
    EXPECT_FALSE(IsAbsolutePath(L"C:O"));
    EXPECT_FALSE(IsAbsolutePath(L"C:"));
}

TEST(RefreshRunFolderMode, OnePlatformThenSetupsWithEmptyLists)
{
    EXPECT_EQ(FakeEnvironment().Run(L"-orxMatlabPath \"E:\\Given\""),
              (Trace{L"progress:open", L"connectors", L"location SOFTWARE\\QVR\\Matlab\\ MFileHome",
                     L"roots for [9.4][9.3]", L"refresh32 E:\\Given C:\\P32 [C:\\M32]", L"setups 0 [][]",
                     L"progress:close"}));
    const Trace x64 = FakeEnvironment().Run(L"-x64 -d -orxMatlabPath \"E:\\Given\"");
    EXPECT_TRUE(EndsWith(x64, {L"refresh64 E:\\Given C:\\P64 [C:\\M64] -d", L"setups 1 [][]", L"progress:close"}));
}

TEST(RefreshRunListMode, DialogGetsCopiesOfTheListsAndTheRunsPlatform)
{
    FakeEnvironment env;
    env.dialogKeepsLists = true;
    env.Run(L"-list -x64 -orxMatlabPath \"E:\\Given\"");
    EXPECT_EQ(env.dialogReceived.platform, Platform64);
    EXPECT_EQ(env.dialogReceived.folders32, env.products32);
    EXPECT_EQ(env.dialogReceived.folders64, env.products64);
}

TEST(RefreshRunListMode, AllRefreshes32BitFirstThenSetupsWithCompleteLists)
{
    FakeEnvironment env;
    env.products32 = {L"D:\\O32", L"D:\\Other32"};
    env.dialogAnswer = {PlatformAll, {L"D:\\O32"}, {L"D:\\O64"}};
    const Trace trace = env.Run(L"-list -orxMatlabPath \"E:\\Given\"");
    EXPECT_TRUE(EndsWith(trace, {L"dialog platform=0", L"roots for [9.4][9.3]", L"refresh32 D:\\O32 C:\\P32 [C:\\M32]",
                                 L"refresh64 D:\\O64 C:\\P64 [C:\\M64]",
                                 L"setups 2 [D:\\O32,D:\\Other32][D:\\O64]", L"progress:close"}));
}

TEST(RefreshRunListMode, MissingFolderIsSkippedAndTheOthersStillRun)
{
    FakeEnvironment env;
    env.dialogAnswer = {Platform32, {L"D:\\Gone", L"D:\\O32", L"D:\\O32"}, {}};
    const Trace trace = env.Run(L"-list -d");
    EXPECT_TRUE(EndsWith(trace, {L"dialog platform=0", L"roots for [9.4][9.3]",
                                 L"info:The ORX matlab folder does not exist at D:\\Gone.\n",
                                 L"refresh32 D:\\O32 C:\\P32 [C:\\M32] -d", L"refresh32 D:\\O32 C:\\P32 [C:\\M32] -d",
                                 L"setups 0 [D:\\O32][D:\\O64]", L"progress:close"}));
}

TEST(RefreshRunListMode, PlatformDecidesWhichTickedListIsUsed)
{
    FakeEnvironment env;
    env.dialogAnswer = {Platform32, {}, {L"D:\\O64"}};
    const Trace trace = env.Run(L"-list");
    // Nothing refreshed: the roots are followed directly by the setups.
    EXPECT_TRUE(EndsWith(trace, {L"roots for [9.4][9.3]", L"setups 0 [D:\\O32][D:\\O64]", L"progress:close"}));
}

TEST(RefreshRunListMode, AnUnexpectedDialogResultGoesOnWithNothingChosen)
{
    FakeEnvironment env;
    env.dialogResult = -1;
    env.dialogAnswer = {Platform64, {L"D:\\O32"}, {L"D:\\O64"}};
    const Trace trace = env.Run(L"-list");
    EXPECT_TRUE(EndsWith(trace, {L"roots for [9.4][9.3]", L"setups 0 [D:\\O32][D:\\O64]", L"progress:close"}));
}

TEST(RefreshRunLifetime, ProgressWindowIsClosedOnEveryPathAndOnlyOnce)
{
    const wchar_t* lines[] = {L"-x86 -x64", L"/?", L"-d", L"-list", L"-orxMatlabPath \"E:\\Missing\"",
                              L"-orxMatlabPath \"E:\\Given\""};
    for (const wchar_t* line : lines) {
        FakeEnvironment env;
        const Trace trace = env.Run(line);
        EXPECT_EQ(trace.front(), L"progress:open") << line;
        EXPECT_EQ(trace.back(), L"progress:close") << line;
        EXPECT_EQ(std::count(trace.begin(), trace.end(), L"progress:close"), 1) << line;
        EXPECT_FALSE(env.progressOpen) << line;
    }
}

}  // namespace
}  // namespace qv
