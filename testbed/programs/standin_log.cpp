#include "standin_log.h"

#include "common/win32/unique_handle.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace qv::testbed {
namespace {

constexpr wchar_t kSeparator = L'\t';
constexpr int kFieldCount = 4;
constexpr const wchar_t* kAlone = L"alone";
constexpr const wchar_t* kOverlapping = L"overlapping";

std::wstring Escape(const std::wstring& text)
{
    std::wstring escaped;
    for (const wchar_t c : text) {
        switch (c) {
        case L'%':
            escaped += L"%25";
            break;
        case L'\t':
            escaped += L"%09";
            break;
        case L'\r':
            escaped += L"%0D";
            break;
        case L'\n':
            escaped += L"%0A";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

std::optional<std::wstring> Unescape(const std::wstring& text)
{
    std::wstring plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') {
            plain += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        plain += static_cast<wchar_t>(high * 16 + low);
        i += 2;
    }
    return plain;
}

}  // namespace

std::wstring FormatStandinLine(const StandinRun& run)
{
    return std::wstring(run.overlapping ? kOverlapping : kAlone) + kSeparator + Escape(run.program) + kSeparator +
           Escape(run.workingDirectory) + kSeparator + Escape(run.commandLine) + L'\n';
}

std::optional<StandinRun> ParseStandinLine(const std::wstring& line)
{
    std::vector<std::wstring> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find(kSeparator, start);
        fields.push_back(line.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start));
        if (tab == std::wstring::npos) {
            break;
        }
        start = tab + 1;
    }
    if (fields.size() != kFieldCount || (fields[0] != kAlone && fields[0] != kOverlapping)) {
        return std::nullopt;
    }
    StandinRun run;
    run.overlapping = fields[0] == kOverlapping;
    const auto program = Unescape(fields[1]);
    const auto directory = Unescape(fields[2]);
    const auto commandLine = Unescape(fields[3]);
    if (!program || !directory || !commandLine) {
        return std::nullopt;
    }
    run.program = *program;
    run.workingDirectory = *directory;
    run.commandLine = *commandLine;
    return run;
}

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty()) {
        return {};
    }
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::wstring FromUtf8(const std::string& text)
{
    if (text.empty()) {
        return {};
    }
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

bool AppendStandinLine(const std::wstring& logPath, const StandinRun& run)
{
    const win32::UniqueHandle file(::CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    const std::string line = ToUtf8(FormatStandinLine(run));
    DWORD written = 0;
    return ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size();
}

std::vector<StandinRun> ReadStandinLog(const std::wstring& logPath)
{
    std::vector<StandinRun> runs;
    std::ifstream in(std::filesystem::path(logPath), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (const auto run = ParseStandinLine(FromUtf8(line))) {
            runs.push_back(*run);
        }
    }
    return runs;
}

}  // namespace qv::testbed
