#pragma once
// What a run could leave behind on the machine, captured before and after it: the registry
// trees a program could write to, in both views, and a listing of files under chosen folders.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace qv::hardening {

// HKLM\SOFTWARE and HKCU\Software, each in the 32-bit and the 64-bit view, as text listings
// that carry every key's last-write time and every value.
struct RegistrySnapshot {
    std::wstring machine32;
    std::wstring machine64;
    std::wstring user32;
    std::wstring user64;
};
RegistrySnapshot TakeRegistrySnapshot();

// Every file and folder below the roots: path -> size and last-write time ("<dir>" for a
// folder). Paths that begin with an excluded prefix (compared without regard to letter
// case) are left out, with everything below them.
using FileListing = std::map<std::wstring, std::wstring>;
FileListing ListFiles(const std::vector<std::wstring>& roots, const std::vector<std::wstring>& excluded);

// Readable differences between two listings: lines only in `before` start with "- ", lines
// only in `after` with "+ ". Empty when they are equal. At most `limit` lines.
std::string DescribeDifferences(const std::wstring& before, const std::wstring& after, std::size_t limit = 20);
std::string DescribeDifferences(const FileListing& before, const FileListing& after, std::size_t limit = 20);

}  // namespace qv::hardening
