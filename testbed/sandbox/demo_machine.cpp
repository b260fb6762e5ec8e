#include "sandbox_machine.h"

namespace qv::testbed {
namespace {

StandInPlatform Serves(const wchar_t* version)
{
    return StandInPlatform{std::wstring(version), S_OK, S_OK};
}

// Answers for a platform the class does not serve: a version, but CheckPlatform says no.
StandInPlatform DoesNotServe()
{
    return StandInPlatform{std::wstring(L"0_0"), S_OK, S_FALSE};
}

}  // namespace

SandboxMachine DemoMachine()
{
    const std::wstring x86 = L"C:\\Program Files (x86)";
    const std::wstring x64 = L"C:\\Program Files";

    SandboxMachine machine;
    machine.matlab = {
        {Platform::Bits32, L"9.3", x86 + L"\\MATLAB\\R2017b"},
        {Platform::Bits64, L"9.4", x64 + L"\\MATLAB\\R2018a"},
        {Platform::Bits64, L"9.4", L"C:\\Tools\\MATLAB\\R2018a", /*perUser=*/true},
        // No connector serves 9.5: it is never refreshed.
        {Platform::Bits64, L"9.5", x64 + L"\\MATLAB\\R2018b"},
    };
    machine.connectors = {
        {StandInClassId(1), Serves(L"9_3"), DoesNotServe()},
        {StandInClassId(2), DoesNotServe(), Serves(L"9_4")},
    };
    machine.connectorLocation32 = x86 + L"\\QVR\\ORX\\Matlab\\Connector";
    machine.connectorLocation64 = x64 + L"\\QVR\\ORX\\Matlab\\Connector";
    machine.orx = {
        {Platform::Bits32, L"9.5", x86 + L"\\QVR\\ORX 9.5\\bin\\Matlab", x86 + L"\\QVR\\ORX 9.5\\bin"},
        {Platform::Bits32, L"10", x86 + L"\\QVR\\ORX 10\\bin\\Matlab", x86 + L"\\QVR\\ORX 10\\bin"},
        {Platform::Bits64, L"10", x64 + L"\\QVR\\ORX 10\\bin\\Matlab", x64 + L"\\QVR\\ORX 10\\bin",
         /*userSetUp=*/true},
        {Platform::Bits64, L"11", x64 + L"\\QVR\\ORX 11\\bin\\Matlab", x64 + L"\\QVR\\ORX 11\\bin"},
    };
    return machine;
}

}  // namespace qv::testbed
