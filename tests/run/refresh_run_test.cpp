// The whole refresh run over the real core operations: a machine made of the in-memory
// registry, scripted connectors, a recording launcher and a recording shell. End points,
// order of the steps, and what is started with which arguments.
#include "app/command_line.h"
#include "app/refresh_run.h"
#include "discovery/in_memory_registry.h"
#include "discovery/matlab_installations.h"
#include "discovery/product_installation.h"
#include "discovery/scripted_connectors.h"
#include "discovery/user_setups.h"
#include "launcher/recording_launcher.h"
#include "shared/fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace qv {
namespace {

using Trace = std::vector<std::wstring>;
using fakes::k32;
using fakes::k64;
using fakes::kMachine;

std::wstring Describe(const LaunchRequest& request)
{
    return L"run " + request.application + L" | " + request.commandLine + L" | " + request.directory;
}

// The trace line of a MATLAB refresh and of a setup program, as the launcher sees them.
std::wstring Refresh(Platform platform, const std::wstring& root, const std::wstring& location,
                     const std::wstring& folder)
{
    return Describe(BuildRefreshRequest(platform, root, location, folder));
}

std::wstring SetupProgram(const std::wstring& programFolder)
{
    return Describe(BuildNewUserSetupRequest(programFolder));
}

// A machine with one connector serving 9.4 (32-bit) and 9.3 (64-bit), the connector location
// in both views, ORX versions from 10 up with one MATLAB folder each and no user set up yet,
// and a MATLAB root per platform. The shell and the info box write into the launcher's log,
// so that the trace has one order.
class Machine final : public IRunShell, public IInfoBox {
public:
    std::wstring location32 = L"C:\\P32", location64 = L"C:\\P64";
    // One ORX version per folder, 10, 11, ..., whose program folder is C:\x86\<version> or C:\x64\<version>.
    StringArray products32{L"D:\\O32"}, products64{L"D:\\O64"};
    // Empty: no MATLAB of that platform is registered.
    std::wstring root32 = L"C:\\M32", root64 = L"C:\\M64";
    std::set<std::wstring> directories{L"D:\\O32", L"D:\\O64", L"E:\\Given"};
    // What the user does in the dialog: its result and what it leaves in the choice.
    DialogResult dialogResult = DialogResult::Ok;
    bool dialogKeepsLists = false;
    FolderChoice dialogAnswer;
    FolderChoice dialogReceived;
    bool progressOpen = false;

    fakes::InMemoryRegistry registry;
    fakes::ScriptedSource connectors;
    fakes::RecordingLauncher launcher;

    void OpenProgressWindow() override
    {
        progressOpen = true;
        Log(L"progress:open");
    }
    void CloseProgressWindow() override
    {
        progressOpen = false;
        Log(L"progress:close");
    }
    DialogResult ShowFolderSelectionDialog(FolderChoice& choice) override
    {
        dialogReceived = choice;
        Log(L"dialog platform=" + std::to_wstring(static_cast<int>(choice.platform)));
        if (!dialogKeepsLists) {
            choice = dialogAnswer;
        }
        return dialogResult;
    }
    bool IsExistingDirectory(const std::wstring& path) override { return directories.count(path) != 0; }
    std::wstring FullPath(const std::wstring& path) override
    {
        Log(L"fullpath " + path);
        return L"E:\\Cwd\\" + path;
    }
    void Show(const std::wstring& text) override { Log(L"info:" + text); }

    // Lays the machine out, runs, and returns the trace: every shell call, message and
    // started program in order (the launcher's file tests left out).
    Trace Run(const std::wstring& commandLine)
    {
        LayOut();
        RunRefresh(commandLine, {registry, connectors, launcher, *this, *this});
        Trace trace;
        std::size_t started = 0;
        for (const std::wstring& call : launcher.calls) {
            if (call.rfind(L"run ", 0) == 0) {
                trace.push_back(Describe(launcher.runs.at(started++)));
            } else if (call.rfind(L"exists ", 0) != 0) {
                trace.push_back(call);
            }
        }
        EXPECT_EQ(registry.OpenKeyCount(), 0);
        return trace;
    }

    bool AnyConnectorAsked() const { return !connectors.connectors.at(0).calls.empty(); }

private:
    void Log(const std::wstring& line) { launcher.calls.push_back(line); }

    void LayOut()
    {
        connectors.connectors.emplace_back(fakes::PlatformScript{kResultOk, L"9_4"},
                                           fakes::PlatformScript{kResultOk, L"9_3"});
        for (const auto& [view, location, products, root, release, programs] :
             {std::tuple{k32, location32, products32, root32, L"9.4", L"C:\\x86\\"},
              std::tuple{k64, location64, products64, root64, L"9.3", L"C:\\x64\\"}}) {
            registry.SetString(kMachine, view, kConnectorKeyPath, kConnectorValueName, location);
            for (std::size_t i = 0; i < products.size(); ++i) {
                const std::wstring version = kProductVersionKeyPrefix + std::to_wstring(10 + i);
                registry.SetString(kMachine, view, version, kProductMatlabFolderValueName, products[i]);
                registry.SetString(kMachine, view, version, kProductBinaryFolderValueName,
                                   programs + std::to_wstring(10 + i));
            }
            if (!root.empty()) {
                registry.SetString(kMachine, view, kMatlabReleasesKeyPath + std::wstring(release), kMatlabRootValueName,
                                   root);
                launcher.files.insert(MatlabExecutablePath(root));
            }
        }
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

bool AnyStarted(const Trace& trace)
{
    return std::any_of(trace.begin(), trace.end(),
                       [](const std::wstring& line) { return line.rfind(L"run ", 0) == 0; });
}

const std::wstring kUsage = L"info:" + BuildUsageText();
// What discovery shows under -d on the machine.
const Trace kDiscovery{L"info:Connector found for(32): 9.4", L"info:Connector found for(64): 9.3",
                       L"info:Connector Location(32): C:\\P32", L"info:Connector Location(64): C:\\P64"};

Trace Concat(std::initializer_list<Trace> parts)
{
    Trace all;
    for (const Trace& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// One way the run ends. The trace always begins with the one "progress:open", so an ending
// that begins with it is the whole trace.
struct EndPoint {
    const char* name;
    const wchar_t* commandLine;
    Trace ending;
    DialogResult dialog = DialogResult::Ok;
    bool asksConnectors = true;
    bool starts = false;  // a MATLAB or a setup program is started
    // The machine: no MATLAB root on either side, none on the 32-bit side; the dialog
    // answers "All" with a folder ticked on each side.
    bool noRoots = false;
    bool no32Root = false;
    bool dialogTicksBoth = false;
};

void PrintTo(const EndPoint& endPoint, std::ostream* out)
{
    *out << endPoint.name;
}

const Trace kOpenAndDiscovery = Concat({{L"progress:open"}, kDiscovery});
const Trace kBare{L"progress:open", L"progress:close"};

const EndPoint kEndPoints[] = {
    {"PlatformConflict",
     L"-x86 -x64 -d /?",
     {L"progress:open", L"info:Cannot specify both x86 and x64 flags.\n", L"progress:close"},
     DialogResult::Ok,
     false},
    {"PlatformConflictSilent", L"-x86 -x64 -list", kBare, DialogResult::Ok, false},
    {"UsageAsked", L"/?", {L"progress:open", kUsage, L"progress:close"}, DialogResult::Ok, false},
    {"NoToken", L"", {L"progress:open", kUsage, L"progress:close"}, DialogResult::Ok, false},
    {"BlankToken", L"  ", {L"progress:open", kUsage, L"progress:close"}, DialogResult::Ok, false},
    {"NoFolderAndNoListAfterDiscovery", L"-d", Concat({kOpenAndDiscovery, {kUsage, L"progress:close"}})},
    {"UnquotedFolderIsNoFolder", L"-orxMatlabPath E:\\Given", {kUsage, L"progress:close"}},
    {"Cancel", L"-list -d",
     Concat({kOpenAndDiscovery, {L"dialog platform=0", L"info:dialog was cancelled.", L"progress:close"}}),
     DialogResult::Cancel},
    {"CancelSilent", L"-list", {L"dialog platform=0", L"progress:close"}, DialogResult::Cancel},
    // Nobody answered the dialog and the program is to end: nothing is refreshed, no setup starts.
    {"QuitDuringTheDialog",
     L"-list",
     {L"dialog platform=0", L"progress:close"},
     DialogResult::EndedByQuit,
     true,
     false,
     false,
     false,
     true},
    {"QuitDuringTheDialogWithInfo",
     L"-list -d",
     {L"dialog platform=0", L"progress:close"},
     DialogResult::EndedByQuit,
     true,
     false,
     false,
     false,
     true},
    {"NoMatlabRoots",
     L"-d -orxMatlabPath \"E:\\Given\"",
     {L"info:No matlab registry values were found.\n", L"progress:close"},
     DialogResult::Ok,
     true,
     false,
     true},
    {"NoMatlabRootsAfterOk",
     L"-list",
     {L"dialog platform=0", L"progress:close"},
     DialogResult::Ok,
     true,
     false,
     true,
     false,
     true},
    // The run goes on but refreshes nothing.
    {"RootsOfTheOtherPlatformOnly", L"-d -orxMatlabPath \"E:\\Given\"",
     Concat({kOpenAndDiscovery, {L"progress:close"}}), DialogResult::Ok, true, false, false, true},
    {"FolderModeFolderMissing",
     L"-d -orxMatlabPath \"E:\\Missing\"",
     {L"info:The ORX matlab folder does not exist at E:\\Missing.\n", L"progress:close"}},
    {"FolderModeFolderMissingSilent", L"-orxMatlabPath \"E:\\Missing\"", kBare},
    {"ListModeEnd", L"-list", {SetupProgram(L"C:\\x86\\10"), L"progress:close"}, DialogResult::Ok, true, true},
    {"FolderModeEnd",
     L"-orxMatlabPath \"E:\\Given\"",
     {L"progress:open", Refresh(Platform::Bits32, L"C:\\M32", L"C:\\P32", L"E:\\Given"), L"progress:close"},
     DialogResult::Ok,
     true,
     true},
};

class RefreshRunEndPoints : public ::testing::TestWithParam<EndPoint> {};

// Every way out also closes the progress window, once.
TEST_P(RefreshRunEndPoints, EndsAsListed)
{
    const EndPoint& endPoint = GetParam();
    Machine machine;
    machine.dialogResult = endPoint.dialog;
    if (endPoint.dialogTicksBoth) {
        machine.dialogAnswer = {PlatformSelection::All, {L"D:\\O32"}, {L"D:\\O64"}};
    }
    if (endPoint.noRoots || endPoint.no32Root) {
        machine.root32.clear();
    }
    if (endPoint.noRoots) {
        machine.root64.clear();
    }
    const Trace trace = machine.Run(endPoint.commandLine);
    EXPECT_TRUE(EndsWith(trace, endPoint.ending));
    EXPECT_EQ(machine.AnyConnectorAsked(), endPoint.asksConnectors);
    EXPECT_EQ(AnyStarted(trace), endPoint.starts);
    EXPECT_EQ(trace.front(), L"progress:open");
    EXPECT_EQ(std::count(trace.begin(), trace.end(), L"progress:close"), 1);
    EXPECT_FALSE(machine.progressOpen);
}

INSTANTIATE_TEST_SUITE_P(Run, RefreshRunEndPoints, ::testing::ValuesIn(kEndPoints),
                         [](const ::testing::TestParamInfo<EndPoint>& endPoint) { return endPoint.param.name; });

// MATLAB runs in R\bin, so it must get the folder that the existence test found, not the
// relative text; absolute folders (drive or UNC) are passed on exactly as given.
TEST(RefreshRunFolderMode, RelativeFolderIsTestedAndPassedAsItsFullPath)
{
    Machine machine;
    machine.directories.insert(L"E:\\Cwd\\Given");
    EXPECT_EQ(machine.Run(L"-orxMatlabPath \"Given\""),
              (Trace{L"progress:open", L"fullpath Given",
                     Refresh(Platform::Bits32, L"C:\\M32", L"C:\\P32", L"E:\\Cwd\\Given"), L"progress:close"}));

    const Trace missing = Machine().Run(L"-d -orxMatlabPath \"..\\Gone\"");
    EXPECT_EQ(missing.at(missing.size() - 2), L"info:The ORX matlab folder does not exist at ..\\Gone.\n");

    for (const wchar_t* absolute : {L"E:\\Given", L"e:/Given", L"\\\\server\\share\\O"}) {
        Machine given;
        given.directories.insert(absolute);
        EXPECT_EQ(given.Run(std::wstring(L"-orxMatlabPath \"") + absolute + L"\""),
                  (Trace{L"progress:open", Refresh(Platform::Bits32, L"C:\\M32", L"C:\\P32", absolute),
                         L"progress:close"}))
            << absolute;
    }
}

// Folder mode has no product lists: no setup program starts although every version is pending.
TEST(RefreshRunFolderMode, OnePlatformAndNoSetups)
{
    EXPECT_EQ(Machine().Run(L"-orxMatlabPath \"E:\\Given\""),
              (Trace{L"progress:open", Refresh(Platform::Bits32, L"C:\\M32", L"C:\\P32", L"E:\\Given"),
                     L"progress:close"}));
    EXPECT_EQ(Machine().Run(L"-x64 -d -orxMatlabPath \"E:\\Given\""),
              Concat({{L"progress:open"},
                      kDiscovery,
                      {Refresh(Platform::Bits64, L"C:\\M64", L"C:\\P64", L"E:\\Given"), L"progress:close"}}));
}

TEST(RefreshRunListMode, DialogGetsCopiesOfTheListsAndTheRunsPlatform)
{
    Machine machine;
    machine.dialogKeepsLists = true;
    machine.Run(L"-list -x64 -orxMatlabPath \"E:\\Given\"");
    EXPECT_EQ(machine.dialogReceived.platform, PlatformSelection::Bits64);
    EXPECT_EQ(machine.dialogReceived.folders32, machine.products32);
    EXPECT_EQ(machine.dialogReceived.folders64, machine.products64);
}

TEST(RefreshRunListMode, AllRefreshes32BitFirstThenSetups64BitFirst)
{
    Machine machine;
    machine.products32 = {L"D:\\O32", L"D:\\Other32"};
    machine.dialogAnswer = {PlatformSelection::All, {L"D:\\O32"}, {L"D:\\O64"}};
    EXPECT_TRUE(EndsWith(machine.Run(L"-list -orxMatlabPath \"E:\\Given\""),
                         {L"dialog platform=0", Refresh(Platform::Bits32, L"C:\\M32", L"C:\\P32", L"D:\\O32"),
                          Refresh(Platform::Bits64, L"C:\\M64", L"C:\\P64", L"D:\\O64"), SetupProgram(L"C:\\x64\\10"),
                          SetupProgram(L"C:\\x86\\10"), SetupProgram(L"C:\\x86\\11"), L"progress:close"}));
}

TEST(RefreshRunListMode, MissingFolderIsSkippedAndTheOthersStillRun)
{
    Machine machine;
    machine.dialogAnswer = {PlatformSelection::Bits32, {L"D:\\Gone", L"D:\\O32", L"D:\\O32"}, {}};
    const std::wstring refresh = Refresh(Platform::Bits32, L"C:\\M32", L"C:\\P32", L"D:\\O32");
    EXPECT_TRUE(EndsWith(machine.Run(L"-list -d"),
                         {L"dialog platform=0", L"info:The ORX matlab folder does not exist at D:\\Gone.\n", refresh,
                          refresh, SetupProgram(L"C:\\x86\\10"), L"progress:close"}));
}

// A folder from the registry that is not absolute would be tested here and resolved by MATLAB
// in R\bin, two different folders: it counts as missing, even where our own current directory
// has it.
TEST(RefreshRunListMode, RelativeRegistryFolderCountsAsMissing)
{
    Machine machine;
    machine.products32 = {L"O32", L"D:\\O32"};
    machine.directories.insert(L"O32");
    machine.dialogAnswer = {PlatformSelection::Bits32, {L"O32", L"D:\\O32"}, {}};
    EXPECT_TRUE(EndsWith(machine.Run(L"-list -d"),
                         {L"dialog platform=0", L"info:The ORX matlab folder does not exist at O32.\n",
                          Refresh(Platform::Bits32, L"C:\\M32", L"C:\\P32", L"D:\\O32"), SetupProgram(L"C:\\x86\\10"),
                          SetupProgram(L"C:\\x86\\11"), L"progress:close"}));
}

// The setup pass gets the product lists, not the ticked ones: a platform with nothing
// ticked still has its pending setups started.
TEST(RefreshRunListMode, PlatformDecidesWhichTickedListIsUsed)
{
    Machine machine;
    machine.dialogAnswer = {PlatformSelection::Bits32, {}, {L"D:\\O64"}};
    EXPECT_TRUE(
        EndsWith(machine.Run(L"-list"), {L"dialog platform=0", SetupProgram(L"C:\\x86\\10"), L"progress:close"}));
}

TEST(RefreshRunListMode, AnUnexpectedDialogResultGoesOnWithNothingChosen)
{
    Machine machine;
    machine.dialogResult = DialogResult::NotShown;
    machine.dialogAnswer = {PlatformSelection::Bits64, {L"D:\\O32"}, {L"D:\\O64"}};
    EXPECT_TRUE(
        EndsWith(machine.Run(L"-list"), {L"dialog platform=0", SetupProgram(L"C:\\x86\\10"), L"progress:close"}));
}

}  // namespace
}  // namespace qv
