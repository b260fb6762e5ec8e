#include "sandbox_machine.h"

#include "registry_writer.h"

#include <filesystem>
#include <system_error>

namespace qv::testbed {
namespace {

const std::wstring kMatlabKey = L"SOFTWARE\\MathWorks\\MATLAB\\";
const std::wstring kConnectorKey = L"SOFTWARE\\QVR\\Matlab";
const std::wstring kOrxKey = L"SOFTWARE\\QVR\\ORX\\";

std::wstring UserOrxKey(Platform view)
{
    return view == Platform::Bits64 ? L"SOFTWARE\\QVR\\ORX (x64)\\" : L"SOFTWARE\\QVR\\ORX\\";
}

bool MakeFolder(const std::wstring& folder, std::wstring& error)
{
    std::error_code code;
    std::filesystem::create_directories(std::filesystem::path(folder), code);
    if (code) {
        error = L"cannot create folder " + folder;
        return false;
    }
    return true;
}

bool CopyStandIn(const std::wstring& source, const std::wstring& folder, const std::wstring& name, std::wstring& error)
{
    if (!MakeFolder(folder, error)) {
        return false;
    }
    if (!::CopyFileW(source.c_str(), (folder + L"\\" + name).c_str(), FALSE)) {
        error = L"cannot copy " + source + L" to " + folder;
        return false;
    }
    return true;
}

bool Check(bool ok, const std::wstring& what, std::wstring& error)
{
    if (!ok) {
        error = L"cannot write " + what;
    }
    return ok;
}

bool InstallMatlab(const MatlabInstallation& m, const std::wstring& standIn, std::wstring& error)
{
    const std::wstring key = kMatlabKey + m.release;
    // Release names are always enumerated under HKLM; a per-user root lives under HKCU.
    if (!Check(CreateKey(HKEY_LOCAL_MACHINE, m.view, key), L"HKLM\\" + key, error)) {
        return false;
    }
    const HKEY rootHive = m.perUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    if (!Check(WriteString(rootHive, m.view, key, L"MATLABROOT", m.root), key + L" MATLABROOT", error)) {
        return false;
    }
    if (!m.withExecutable) {
        return MakeFolder(m.root + L"\\bin", error);
    }
    return CopyStandIn(standIn, m.root + L"\\bin", L"matlab.exe", error);
}

bool InstallOrx(const OrxInstallation& o, const std::wstring& binDir, std::wstring& error)
{
    const std::wstring key = kOrxKey + o.version;
    if (!Check(WriteString(HKEY_LOCAL_MACHINE, o.view, key, L"MatlabInterface", o.matlabFolder) &&
                   WriteString(HKEY_LOCAL_MACHINE, o.view, key, L"ORXBinaryFolder", o.binaryFolder),
               L"HKLM\\" + key, error)) {
        return false;
    }
    if (o.userSetUp && !Check(CreateKey(HKEY_CURRENT_USER, o.view, UserOrxKey(o.view) + o.version),
                              L"HKCU\\" + UserOrxKey(o.view) + o.version, error)) {
        return false;
    }
    return MakeFolder(o.matlabFolder, error) &&
           CopyStandIn(binDir + L"QvNewUserSetup.exe", o.binaryFolder, L"QvNewUserSetup.exe", error);
}

bool InstallConnectorLocation(Platform view, const std::optional<std::wstring>& location, std::wstring& error)
{
    if (!location) {
        return true;
    }
    return Check(WriteString(HKEY_LOCAL_MACHINE, view, kConnectorKey, L"MFileHome", *location),
                 L"HKLM\\" + kConnectorKey, error) &&
           MakeFolder(*location, error);
}

}  // namespace

bool InstallSandbox(const SandboxMachine& machine, const std::wstring& binDir, std::wstring& error)
{
    if (HasUserSoftwareWow6432Node()) {
        error = L"the prefix has HKCU\\Software\\Wow6432Node, which Windows never has";
        return false;
    }
    for (const MatlabInstallation& m : machine.matlab) {
        if (!InstallMatlab(m, binDir + machine.matlabStandIn, error)) {
            return false;
        }
    }
    for (const StandInConnector& connector : machine.connectors) {
        if (!RegisterStandInConnector(connector, binDir + L"QvStandInConnector.dll")) {
            error = L"cannot register connector class " + ClassIdText(connector.classId);
            return false;
        }
    }
    if (!InstallConnectorLocation(Platform::Bits32, machine.connectorLocation32, error) ||
        !InstallConnectorLocation(Platform::Bits64, machine.connectorLocation64, error)) {
        return false;
    }
    for (const OrxInstallation& o : machine.orx) {
        if (!InstallOrx(o, binDir, error)) {
            return false;
        }
    }
    return true;
}

void RemoveSandbox(const SandboxMachine& machine)
{
    for (Platform view : {Platform::Bits32, Platform::Bits64}) {
        DeleteTree(HKEY_LOCAL_MACHINE, view, L"SOFTWARE\\MathWorks");
        DeleteTree(HKEY_LOCAL_MACHINE, view, L"SOFTWARE\\QVR");
        DeleteTree(HKEY_CURRENT_USER, view, L"SOFTWARE\\MathWorks");
        DeleteTree(HKEY_CURRENT_USER, view, L"SOFTWARE\\QVR");
    }
    for (const StandInConnector& connector : machine.connectors) {
        UnregisterStandInConnector(connector.classId);
    }
}

}  // namespace qv::testbed
