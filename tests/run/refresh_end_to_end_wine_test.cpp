// The real QvMatlabSetPath.exe on the sandbox machine: what it shows, and what each stand-in
// MATLAB and setup program was started with. Expected texts are written out literally.
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
            L"matlab.exe -automation -wait -r \"path( '" + connector + L"', path); orxRefresh('" + connector +
                L"', '" + tag + L"', '" + folder + L"');quit force;\""};
}

using FolderMode = SandboxRun;

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

}  // namespace
}  // namespace qv::e2e
