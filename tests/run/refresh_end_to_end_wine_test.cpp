// The real QvMatlabSetPath.exe on the sandbox machine: what it shows, and what each stand-in
// MATLAB and setup program was started with. Expected texts are written out literally.
#include "folder_dialog_driver.h"
#include "sandbox_run.h"

namespace qv::e2e {
namespace {

const std::wstring kX86 = L"C:\\Program Files (x86)";
const std::wstring kX64 = L"C:\\Program Files";
const std::wstring kConnector32 = kX86 + L"\\QVR\\ORX\\Matlab\\Connector";
const std::wstring kConnector64 = kX64 + L"\\QVR\\ORX\\Matlab\\Connector";

testbed::StandinRun Matlab(const std::wstring& root, const std::wstring& connector, const std::wstring& tag,
                           const std::wstring& folder)
{
    return {false, root + L"\\bin\\matlab.exe", root + L"\\bin",
            L"matlab.exe -automation -wait -r \"try, path( '" + connector + L"', path); orxRefresh('" + connector +
                L"', '" + tag + L"', '" + folder + L"');catch, end;quit force;\""};
}

testbed::StandinRun SetupProgram(const std::wstring& binaryFolder)
{
    return {false, binaryFolder + L"\\QvNewUserSetup.exe", binaryFolder, L"QvNewUserSetup.exe force"};
}

using FolderMode = SandboxRun;
using ListMode = SandboxRun;

TEST_F(FolderMode, RefreshesThe32BitMatlabsByDefaultAndStartsNoSetup)
{
    const std::wstring folder = kX86 + L"\\QVR\\ORX 10\\bin\\Matlab";
    const testbed::ProgramRun run = RunSetPath(L"-orxMatlabPath \"" + folder + L"\"");
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_TRUE(run.infoBoxes.empty());
    EXPECT_EQ(Started(), (std::vector<testbed::StandinRun>{
                             Matlab(kX86 + L"\\MATLAB\\R2017b", kConnector32, L"orxpath32", folder)}));
}

TEST_F(FolderMode, X64RefreshesMachineRootsBeforeTheUsersRoot)
{
    const std::wstring folder = kX64 + L"\\QVR\\ORX 11\\bin\\Matlab";
    const testbed::ProgramRun run = RunSetPath(L"-x64 -orxMatlabPath \"" + folder + L"\"");
    EXPECT_TRUE(run.infoBoxes.empty());
    EXPECT_EQ(Started(), (std::vector<testbed::StandinRun>{
                             Matlab(kX64 + L"\\MATLAB\\R2018a", kConnector64, L"orxpath64", folder),
                             Matlab(L"C:\\Tools\\MATLAB\\R2018a", kConnector64, L"orxpath64", folder)}));
}

TEST_F(FolderMode, DiagnosticsShowWhatWasFoundAndAMissingFolderStartsNothing)
{
    const testbed::ProgramRun run = RunSetPath(L"-d -orxMatlabPath \"C:\\No\\Such Folder\"");
    EXPECT_EQ(Texts(run.infoBoxes), (std::vector<std::wstring>{
                                        L"Connector found for(32): 9.3",
                                        L"Connector found for(64): 9.4",
                                        L"Connector Location(32): " + kConnector32,
                                        L"Connector Location(64): " + kConnector64,
                                        L"The ORX matlab folder does not exist at C:\\No\\Such Folder.\n",
                                    }));
    EXPECT_TRUE(Started().empty());
}

TEST_F(FolderMode, NoConnectorMeansNoRootsAndNothingStarts)
{
    for (const testbed::StandInConnector& connector : machine_.connectors) {
        testbed::UnregisterStandInConnector(connector.classId);
    }
    const testbed::ProgramRun run = RunSetPath(L"-d -orxMatlabPath \"" + kX86 + L"\\QVR\\ORX 10\\bin\\Matlab\"");
    ASSERT_EQ(run.infoBoxes.size(), 3u);
    EXPECT_EQ(run.infoBoxes.back().text, L"No matlab registry values were found.\n");
    EXPECT_TRUE(Started().empty());
}

TEST_F(ListMode, AllRefreshes32BitRootsFirstThen64BitThenThePendingSetups64BitFirst)
{
    DialogScript script;
    script.work = [](HWND dialog) {
        ASSERT_TRUE(testbed::ClickCheckBox(dialog, testbed::kList32Id, 0));  // ORX 10 (x86)
        ASSERT_TRUE(testbed::ChoosePlatform(dialog, L"All"));
        ASSERT_TRUE(testbed::ClickCheckBox(dialog, testbed::kList64Id, 1));  // ORX 11 (x64)
    };
    const testbed::ProgramRun run = RunSetPath(L"-list", script.Options());
    ASSERT_TRUE(script.done) << "the folder-selection dialog never came up; started " << run.started << " exit "
                             << run.exitCode << " boxes " << run.infoBoxes.size();
    EXPECT_FALSE(run.timedOut);
    EXPECT_TRUE(run.infoBoxes.empty());

    // Every installed version's folder is offered, in the registry's order, none ticked.
    EXPECT_EQ(script.firstLook.platformText, L"32-bit");
    ASSERT_EQ(script.firstLook.list32.items.size(), 2u);
    EXPECT_EQ(script.firstLook.list32.items[0].text, kX86 + L"\\QVR\\ORX 10\\bin\\Matlab");
    EXPECT_EQ(script.firstLook.list32.items[1].text, kX86 + L"\\QVR\\ORX 9.5\\bin\\Matlab");
    ASSERT_EQ(script.firstLook.list64.items.size(), 2u);
    EXPECT_FALSE(script.firstLook.list64.enabled);

    const std::wstring folder32 = kX86 + L"\\QVR\\ORX 10\\bin\\Matlab";
    const std::wstring folder64 = kX64 + L"\\QVR\\ORX 11\\bin\\Matlab";
    EXPECT_EQ(Started(), (std::vector<testbed::StandinRun>{
                             Matlab(kX86 + L"\\MATLAB\\R2017b", kConnector32, L"orxpath32", folder32),
                             Matlab(kX64 + L"\\MATLAB\\R2018a", kConnector64, L"orxpath64", folder64),
                             Matlab(L"C:\\Tools\\MATLAB\\R2018a", kConnector64, L"orxpath64", folder64),
                             // ORX 10 (x64) is set up already; 9.5 is below 10.
                             SetupProgram(kX64 + L"\\QVR\\ORX 11\\bin"),
                             SetupProgram(kX86 + L"\\QVR\\ORX 10\\bin"),
                         }));
}

TEST_F(ListMode, CancelWithDShowsTheMessageAndStartsNothing)
{
    DialogScript script;
    script.end = [](HWND dialog) { testbed::PressButton(dialog, IDCANCEL); };
    const testbed::ProgramRun run = RunSetPath(L"-list -d", script.Options());
    ASSERT_TRUE(script.done);
    EXPECT_EQ(Texts(run.infoBoxes), (std::vector<std::wstring>{
                                        L"Connector found for(32): 9.3",
                                        L"Connector found for(64): 9.4",
                                        L"Connector Location(32): " + kConnector32,
                                        L"Connector Location(64): " + kConnector64,
                                        L"dialog was cancelled.",
                                    }));
    EXPECT_TRUE(Started().empty());
}

TEST_F(ListMode, OkWithNothingTickedStillStartsThePendingSetupsOfTheShownPlatform)
{
    DialogScript script;
    const testbed::ProgramRun run = RunSetPath(L"-list -x64", script.Options());
    ASSERT_TRUE(script.done);
    EXPECT_EQ(script.firstLook.platformText, L"64-bit");
    EXPECT_EQ(Started(), (std::vector<testbed::StandinRun>{SetupProgram(kX64 + L"\\QVR\\ORX 11\\bin")}));
}

}  // namespace
}  // namespace qv::e2e
