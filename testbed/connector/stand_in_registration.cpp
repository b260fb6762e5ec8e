#include "stand_in_registration.h"

#include "own_process.h"

#include "discovery/win32/qv_connector_info.h"
#include "common/win32/unique_handle.h"

#include <objbase.h>

namespace qv::testbed {
namespace {

using qv::win32::UniqueKey;

constexpr const wchar_t* kBehaviourKey = L"StandInBehaviour";

std::wstring ClassKeyPath(const GUID& classId)
{
    return L"CLSID\\" + ClassIdText(classId);
}

bool WriteString(HKEY key, const wchar_t* name, const std::wstring& text)
{
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

bool WriteResult(HKEY key, const wchar_t* name, HRESULT result)
{
    const DWORD value = static_cast<DWORD>(result);
    return ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

bool CreateKey(HKEY parent, const std::wstring& path, UniqueKey& key, REGSAM view = 0)
{
    return ::RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr, key.put(), nullptr) ==
           ERROR_SUCCESS;
}

bool WritePlatform(HKEY key, const StandInPlatform& platform, const wchar_t* suffix)
{
    const std::wstring tail = suffix;
    bool ok = WriteResult(key, (L"VersionResult" + tail).c_str(), platform.versionResult) &&
              WriteResult(key, (L"CheckResult" + tail).c_str(), platform.checkResult);
    if (platform.version) {
        ok = ok && WriteString(key, (L"Version" + tail).c_str(), *platform.version);
    }
    return ok;
}

std::optional<std::wstring> ReadString(HKEY key, const std::wstring& name)
{
    DWORD bytes = 0;
    if (::RegGetValueW(key, nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegGetValueW(key, nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    // Keep every character the value holds, embedded NULs too; drop only the terminator.
    text.resize(bytes / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return text;
}

HRESULT ReadResult(HKEY key, const std::wstring& name)
{
    DWORD value = 0;
    DWORD bytes = sizeof(value);
    if (::RegGetValueW(key, nullptr, name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &bytes) != ERROR_SUCCESS) {
        return S_OK;
    }
    return static_cast<HRESULT>(value);
}

StandInPlatform ReadPlatform(HKEY key, const wchar_t* suffix)
{
    const std::wstring tail = suffix;
    StandInPlatform platform;
    platform.version = ReadString(key, L"Version" + tail);
    platform.versionResult = ReadResult(key, L"VersionResult" + tail);
    platform.checkResult = ReadResult(key, L"CheckResult" + tail);
    return platform;
}

}  // namespace

GUID StandInClassId(unsigned number)
{
    GUID id = {0x5EA7C0DE, 0x0000, 0x4000, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}};
    id.Data4[6] = static_cast<unsigned char>((number >> 8) & 0xFF);
    id.Data4[7] = static_cast<unsigned char>(number & 0xFF);
    return id;
}

std::wstring StandInConnectorDllPath()
{
    return ExecutableDirectory() + L"QvStandInConnector.dll";
}

std::wstring ClassIdText(const GUID& classId)
{
    wchar_t text[64] = {};
    const int length = ::StringFromGUID2(classId, text, 64);
    return std::wstring(text, length > 0 ? static_cast<std::size_t>(length - 1) : 0);
}

bool ParseClassId(const std::wstring& text, GUID& classId)
{
    return SUCCEEDED(::CLSIDFromString(text.c_str(), &classId));
}

bool RegisterStandInConnector(const StandInConnector& connector, const std::wstring& dllPath)
{
    UnregisterStandInConnector(connector.classId);
    const std::wstring classPath = ClassKeyPath(connector.classId);

    UniqueKey classKey;
    UniqueKey server;
    UniqueKey category;
    UniqueKey behaviour;
    const REGSAM view = connector.for32BitProgramsOnly ? KEY_WOW64_32KEY : 0;
    if (!CreateKey(HKEY_CLASSES_ROOT, classPath, classKey, view) ||
        !WriteString(classKey.get(), nullptr, L"Stand-in connector") ||
        !CreateKey(classKey.get(), L"InprocServer32", server) || !WriteString(server.get(), nullptr, dllPath) ||
        !WriteString(server.get(), L"ThreadingModel", L"Apartment") ||
        !CreateKey(classKey.get(), L"Implemented Categories\\" + ClassIdText(qv::CATID_QvConnectors), category) ||
        !CreateKey(classKey.get(), kBehaviourKey, behaviour) ||
        !WriteResult(behaviour.get(), L"CreateResult", connector.createResult) ||
        !WriteResult(behaviour.get(), L"PostsQuit", connector.postsQuit ? 1 : 0) ||
        !WriteResult(behaviour.get(), L"CreateDelayMs", static_cast<HRESULT>(connector.createDelayMs)) ||
        !WriteResult(behaviour.get(), L"OnProcessStart", static_cast<HRESULT>(connector.onProcessStart)) ||
        !WritePlatform(behaviour.get(), connector.bits32, L"32") ||
        !WritePlatform(behaviour.get(), connector.bits64, L"64")) {
        return false;
    }
    return true;
}

bool UnregisterStandInConnector(const GUID& classId)
{
    bool removed = true;
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        UniqueKey classes;
        LSTATUS status =
            ::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ | KEY_WRITE | DELETE | view, classes.put());
        if (status == ERROR_SUCCESS) {
            status = ::RegDeleteTreeW(classes.get(), ClassIdText(classId).c_str());
        }
        removed = removed && (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND);
    }
    return removed;
}

StandInConnector ReadStandInBehaviour(const GUID& classId)
{
    StandInConnector connector;
    connector.classId = classId;
    UniqueKey key;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, (ClassKeyPath(classId) + L"\\" + kBehaviourKey).c_str(), 0, KEY_READ,
                        key.put()) != ERROR_SUCCESS) {
        return connector;
    }
    connector.createResult = ReadResult(key.get(), L"CreateResult");
    connector.postsQuit = ReadResult(key.get(), L"PostsQuit") != 0;
    connector.createDelayMs = static_cast<DWORD>(ReadResult(key.get(), L"CreateDelayMs"));
    connector.onProcessStart = static_cast<QueueAbuse>(ReadResult(key.get(), L"OnProcessStart"));
    connector.bits32 = ReadPlatform(key.get(), L"32");
    connector.bits64 = ReadPlatform(key.get(), L"64");
    return connector;
}

}  // namespace qv::testbed
