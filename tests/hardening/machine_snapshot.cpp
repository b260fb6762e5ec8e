#include "machine_snapshot.h"

#include "discovery/registry_test_keys.h"
#include "standin_log.h"

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>

namespace qv::hardening {
namespace {

using testbed::ToUtf8;

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

bool IsExcluded(const std::wstring& path, const std::vector<std::wstring>& excludedLower)
{
    const std::wstring lower = Lower(path);
    return std::any_of(excludedLower.begin(), excludedLower.end(),
                       [&](const std::wstring& prefix) { return lower.compare(0, prefix.size(), prefix) == 0; });
}

struct FindCloser {
    void operator()(HANDLE search) const { ::FindClose(search); }
};

void ListFolder(const std::wstring& folder, const std::vector<std::wstring>& excludedLower, FileListing& listing)
{
    WIN32_FIND_DATAW found{};
    HANDLE raw = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (raw == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::unique_ptr<void, FindCloser> search(raw);
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const std::wstring path = folder + L"\\" + name;
        if (IsExcluded(path, excludedLower)) {
            continue;
        }
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        std::wostringstream entry;
        if (isFolder) {
            entry << L"<dir>";
        } else {
            const ULONGLONG size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            const ULONGLONG written = (static_cast<ULONGLONG>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                                      found.ftLastWriteTime.dwLowDateTime;
            entry << size << L" bytes, written " << written;
        }
        listing[path] = entry.str();
        // Links (Wine's profile folders may be links to the host) are listed, not followed.
        if (isFolder && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            ListFolder(path, excludedLower, listing);
        }
    } while (::FindNextFileW(search.get(), &found));
}

std::vector<std::wstring> Lines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::wistringstream in(text);
    for (std::wstring line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

template <typename Range> std::string Describe(const Range& before, const Range& after, std::size_t limit)
{
    const std::multiset<std::wstring> old(before.begin(), before.end());
    const std::multiset<std::wstring> now(after.begin(), after.end());
    std::vector<std::wstring> gone;
    std::vector<std::wstring> added;
    std::set_difference(old.begin(), old.end(), now.begin(), now.end(), std::back_inserter(gone));
    std::set_difference(now.begin(), now.end(), old.begin(), old.end(), std::back_inserter(added));
    std::string out;
    std::size_t shown = 0;
    for (const auto* list : {&gone, &added}) {
        for (const std::wstring& line : *list) {
            if (shown++ == limit) {
                return out + "...\n";
            }
            out += (list == &gone ? "- " : "+ ") + ToUtf8(line) + "\n";
        }
    }
    return out;
}

std::vector<std::wstring> Entries(const FileListing& listing)
{
    std::vector<std::wstring> entries;
    for (const auto& [path, what] : listing) {
        entries.push_back(path + L": " + what);
    }
    return entries;
}

// Wine's user32 keeps the system parameters a GUI process touches under this volatile key of
// its own, whatever the program does; its keys and their values are left out.
const std::wstring kWineSystemParameters = L"[Software\\Wine\\Temporary System Parameters";

std::wstring WithoutWineState(const std::wstring& listing)
{
    std::wstring kept;
    bool skipping = false;
    for (const std::wstring& line : Lines(listing)) {
        if (!line.empty() && line[0] == L'[') {
            skipping = line.compare(0, kWineSystemParameters.size(), kWineSystemParameters) == 0;
        }
        if (!skipping) {
            kept += line + L"\n";
        }
    }
    return kept;
}

}  // namespace

RegistrySnapshot TakeRegistrySnapshot()
{
    const auto take = [](Hive hive, Platform view, const wchar_t* path) {
        return WithoutWineState(testing_keys::ExportTree(hive, view, path));
    };
    return {take(Hive::LocalMachine, Platform::Bits32, L"SOFTWARE"),
            take(Hive::LocalMachine, Platform::Bits64, L"SOFTWARE"),
            take(Hive::CurrentUser, Platform::Bits32, L"Software"),
            take(Hive::CurrentUser, Platform::Bits64, L"Software")};
}

FileListing ListFiles(const std::vector<std::wstring>& roots, const std::vector<std::wstring>& excluded)
{
    std::vector<std::wstring> excludedLower;
    for (const std::wstring& prefix : excluded) {
        excludedLower.push_back(Lower(prefix));
    }
    FileListing listing;
    for (const std::wstring& root : roots) {
        ListFolder(root, excludedLower, listing);
    }
    return listing;
}

std::string DescribeDifferences(const std::wstring& before, const std::wstring& after, std::size_t limit)
{
    return Describe(Lines(before), Lines(after), limit);
}

std::string DescribeDifferences(const FileListing& before, const FileListing& after, std::size_t limit)
{
    return Describe(Entries(before), Entries(after), limit);
}

}  // namespace qv::hardening
