// Random connector locations and ORX MATLAB folders through the whole way a refresh command
// goes: built, split by the Windows C runtime's rules as matlab.exe gets it, and the -r
// statement evaluated by a real M interpreter (GNU Octave), all statements of a batch in one
// Octave process. The recording orxRefresh must get every string exactly, with the connector
// location first on the path, and every statement must reach "quit force".
#include "launcher/launch_request.h"
#include "windows_argv.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace qv {
namespace {

constexpr int kCases = 1000;
const std::string kInitialPath = "C:\\MATLAB\\toolbox\\matlab\\general;C:\\MATLAB\\toolbox\\local";

std::string Utf8(const std::wstring& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Hex(const std::string& bytes)
{
    static const char* const digits = "0123456789abcdef";
    std::string out;
    for (const unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

// Characters a folder name or registry text may hold, weighted towards the ones that matter
// to quoting: both quotes, backslashes, blanks, M operators, controls (NUL included),
// Latin, CJK and characters outside the BMP. Lone surrogates are left out: Octave's chars are
// bytes and cannot hold one (the fuzz target checks their char(N) form).
std::wstring RandomText(std::mt19937& random, std::size_t length)
{
    static const std::wstring special = L"\"'\\ \t\r\n%;,&^!=()[]{}.:-_~`@#$+";
    std::wstring text;
    while (text.size() < length) {
        switch (random() % 8) {
        case 0:
        case 1:
            text += special[random() % special.size()];
            break;
        case 2:
            text += static_cast<wchar_t>(random() % 32);
            break;
        case 3:
            text += static_cast<wchar_t>(0x7F + random() % 0x181);
            break;
        case 4:
            text += static_cast<wchar_t>(0x4E00 + random() % 0x5000);
            break;
        case 5: {
            const char32_t c = 0x10000 + random() % 0xFFFFF;
            text += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            break;
        }
        default:
            text += static_cast<wchar_t>(0x20 + random() % 0x5F);
            break;
        }
    }
    return text;
}

struct Case {
    Platform platform;
    std::wstring connector;
    std::wstring folder;
};

std::vector<std::string> Split(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, separator)) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == separator) {
        fields.emplace_back();
    }
    return fields;
}

TEST(RefreshStatementInOctave, EveryRandomStringReachesOrxRefreshExactly)
{
    const auto started = std::chrono::steady_clock::now();
    std::mt19937 random(20261208);
    std::vector<Case> cases;
    for (int i = 0; i < kCases; ++i) {
        // Mostly short names, every 40th a long one.
        const std::size_t longest = i % 40 == 7 ? 3000 : 24;
        cases.push_back({i % 2 == 0 ? Platform::Bits32 : Platform::Bits64, RandomText(random, random() % (longest + 1)),
                         RandomText(random, random() % (longest + 1))});
    }
    cases.push_back({Platform::Bits32, L"", L""});
    cases.push_back({Platform::Bits64, L"''", L"\"\""});

    const std::filesystem::path work =
        std::filesystem::temp_directory_path() / ("qv-octave-property-" + std::to_string(::getpid()));
    std::filesystem::create_directories(work);
    const std::filesystem::path batch = work / "qv_refresh_batch.m";
    const std::filesystem::path record = work / "record.txt";
    {
        std::ofstream out(batch, std::ios::binary);
        for (const Case& c : cases) {
            const std::wstring command = BuildRefreshCommandLine(c.platform, c.connector, c.folder);
            const std::vector<std::wstring> argv = testing::SplitWindowsCommandLine(command);
            ASSERT_EQ(argv.size(), 5u);
            ASSERT_EQ(argv[0], L"matlab.exe");
            ASSERT_EQ(argv[1], L"-automation");
            ASSERT_EQ(argv[2], L"-wait");
            ASSERT_EQ(argv[3], L"-r");
            ASSERT_EQ(argv[4].find_first_of(L"\r\n"), std::wstring::npos) << "one statement, one line";
            out << Utf8(argv[4]) << '\n';
        }
    }

    ::setenv("QV_ORX_RECORD", record.c_str(), 1);
    const std::string command = "octave-cli --norc --no-history --no-gui --no-window-system --path '" +
                                std::string(QV_OCTAVE_M_DIR) + "/shim:" + QV_OCTAVE_M_DIR +
                                "/refresh:" + QV_TEST_OCTAVE_DIR + "' '" + batch.string() + "' >'" +
                                (work / "octave.out").string() + "' 2>&1";
    const int status = std::system(command.c_str());
    ::unsetenv("QV_ORX_RECORD");
    ASSERT_EQ(status, 0) << "octave-cli failed or is missing (scripts/install-deps.sh installs it): " << command;

    std::ifstream in(record, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 2 * cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const std::string connector = Utf8(c.connector);
        const std::vector<std::string> fields = Split(lines[2 * i], '\t');
        ASSERT_EQ(fields.size(), 5u) << lines[2 * i];
        EXPECT_EQ(fields[0], "refresh");
        EXPECT_EQ(fields[1], Hex(connector)) << "case " << i;
        EXPECT_EQ(fields[2], Hex(c.platform == Platform::Bits32 ? "orxpath32" : "orxpath64")) << "case " << i;
        EXPECT_EQ(fields[3], Hex(Utf8(c.folder))) << "case " << i;
        EXPECT_EQ(fields[4], Hex(connector + ";" + kInitialPath)) << "case " << i << ": C first on the path";
        EXPECT_EQ(lines[2 * i + 1], "quit\tforce") << "case " << i;
    }
    std::filesystem::remove_all(work);
    std::cout << "[ figures  ] " << cases.size() << " refresh statements evaluated by Octave in "
              << std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count() << " s\n";
}

}  // namespace
}  // namespace qv
