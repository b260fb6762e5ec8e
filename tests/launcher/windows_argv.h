#pragma once
// How a Windows program's C runtime splits its command line into argv (the rules of the
// Microsoft C runtime since 2008, which CommandLineToArgvW follows for everything after the
// program name). Portable, for host tests and fuzz targets.
#include <string>
#include <vector>

namespace qv::testing {

inline std::vector<std::wstring> SplitWindowsCommandLine(const std::wstring& line)
{
    std::vector<std::wstring> arguments;
    std::size_t i = 0;
    // The program name: up to the first blank outside quotes; quotes are dropped, backslashes
    // are plain characters.
    {
        std::wstring name;
        bool quoted = false;
        for (; i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t')); ++i) {
            if (line[i] == L'"') {
                quoted = !quoted;
            } else {
                name += line[i];
            }
        }
        arguments.push_back(name);
    }
    for (;;) {
        while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) {
            ++i;
        }
        if (i >= line.size()) {
            return arguments;
        }
        std::wstring argument;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t'))) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == L'\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == L'"') {
                argument.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    argument += L'"';  // \" is a literal quote
                } else if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                    argument += L'"';  // "" inside quotes is a literal quote
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
                continue;
            }
            argument.append(backslashes, L'\\');
            if (i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t'))) {
                argument += line[i];
                ++i;
            }
        }
        arguments.push_back(argument);
    }
}

}  // namespace qv::testing
