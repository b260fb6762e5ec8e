// Registers and removes stand-in connector classes from a shell:
//   stand_in_connector_tool register <number|{class id}> [name=value ...]
//   stand_in_connector_tool unregister <number|{class id}>
// names: version32, version64 (text; omitted: the version string stays null),
//        versionResult32, versionResult64, checkResult32, checkResult64, createResult
//        (HRESULTs, decimal or 0x hex), dll (path of QvStandInConnector.dll).
// Exit status: 0 done, 1 registry failure, 2 bad command line.
#include "stand_in_registration.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

using qv::testbed::StandInConnector;

bool ParseResult(const std::wstring& text, HRESULT& result)
{
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text.c_str(), &end, 0);
    if (text.empty() || end == nullptr || *end != L'\0') {
        return false;
    }
    result = static_cast<HRESULT>(value);
    return true;
}

bool ParseClass(const std::wstring& text, GUID& classId)
{
    if (!text.empty() && text[0] == L'{') {
        return qv::testbed::ParseClassId(text, classId);
    }
    wchar_t* end = nullptr;
    const unsigned long number = std::wcstoul(text.c_str(), &end, 10);
    if (text.empty() || *end != L'\0' || number > 0xFFFF) {
        return false;
    }
    classId = qv::testbed::StandInClassId(static_cast<unsigned>(number));
    return true;
}

bool ApplySetting(const std::wstring& setting, StandInConnector& connector, std::wstring& dllPath)
{
    const std::size_t equals = setting.find(L'=');
    if (equals == std::wstring::npos) {
        return false;
    }
    const std::wstring name = setting.substr(0, equals);
    const std::wstring value = setting.substr(equals + 1);
    if (name == L"version32") {
        connector.bits32.version = value;
    } else if (name == L"version64") {
        connector.bits64.version = value;
    } else if (name == L"versionResult32") {
        return ParseResult(value, connector.bits32.versionResult);
    } else if (name == L"versionResult64") {
        return ParseResult(value, connector.bits64.versionResult);
    } else if (name == L"checkResult32") {
        return ParseResult(value, connector.bits32.checkResult);
    } else if (name == L"checkResult64") {
        return ParseResult(value, connector.bits64.checkResult);
    } else if (name == L"createResult") {
        return ParseResult(value, connector.createResult);
    } else if (name == L"dll") {
        dllPath = value;
    } else {
        return false;
    }
    return true;
}

int Usage()
{
    std::fwprintf(stderr, L"usage: stand_in_connector_tool register <number|{class id}> [name=value ...]\n"
                          L"       stand_in_connector_tool unregister <number|{class id}>\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        return Usage();
    }
    const std::wstring command = argv[1];
    StandInConnector connector;
    if (!ParseClass(argv[2], connector.classId)) {
        return Usage();
    }
    if (command == L"unregister" && argc == 3) {
        return qv::testbed::UnregisterStandInConnector(connector.classId) ? 0 : 1;
    }
    if (command != L"register") {
        return Usage();
    }
    std::wstring dllPath = qv::testbed::StandInConnectorDllPath();
    for (int i = 3; i < argc; ++i) {
        if (!ApplySetting(argv[i], connector, dllPath)) {
            return Usage();
        }
    }
    if (!qv::testbed::RegisterStandInConnector(connector, dllPath)) {
        std::fwprintf(stderr, L"could not register %ls\n", qv::testbed::ClassIdText(connector.classId).c_str());
        return 1;
    }
    std::wprintf(L"%ls\n", qv::testbed::ClassIdText(connector.classId).c_str());
    return 0;
}
