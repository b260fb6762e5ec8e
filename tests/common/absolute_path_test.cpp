// The one rule for absolute paths, which the run and the launcher share.
#include "common/absolute_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// `path` + `joined` is absolute with the drive or share that `path` names.
struct PathCase {
    const wchar_t* path;
    bool absolute;
    const wchar_t* joined = L"";
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << ::testing::PrintToString(std::wstring(c.path) + L" + " + c.joined);
}

class AbsolutePath : public ::testing::TestWithParam<PathCase> {};

TEST_P(AbsolutePath, FollowsTheRule)
{
    EXPECT_EQ(qv::IsAbsoluteJoin(GetParam().path, GetParam().joined), GetParam().absolute);
    if (*GetParam().joined == L'\0') {
        EXPECT_EQ(qv::IsAbsolutePath(GetParam().path), GetParam().absolute);
    }
}

INSTANTIATE_TEST_SUITE_P(DriveLetters, AbsolutePath,
                         ::testing::Values(PathCase{L"C:\\Program Files\\MATLAB\\R2018a", true},
                                           PathCase{L"C:/Program Files/MATLAB/R2018a", true}, PathCase{L"C:\\", true},
                                           PathCase{L"z:/", true}, PathCase{L"a:\\x", true}, PathCase{L"Z:\\x", true},
                                           PathCase{L"C:", false}, PathCase{L"C:M", false}, PathCase{L"1:\\M", false},
                                           PathCase{L"@:\\M", false}, PathCase{L"[:\\M", false},
                                           PathCase{L"`:\\M", false}, PathCase{L"{:\\M", false},
                                           PathCase{L"C;\\M", false}));

INSTANTIATE_TEST_SUITE_P(Shares, AbsolutePath,
                         ::testing::Values(PathCase{L"\\\\server\\share", true},
                                           PathCase{L"\\\\server\\share\\O", true}, PathCase{L"//server/share/O", true},
                                           PathCase{L"\\\\s\\x", true}, PathCase{L"\\\\?\\C:\\M", true},
                                           PathCase{L"\\\\\\share\\x", false}, PathCase{L"\\\\server\\\\share", false},
                                           PathCase{L"\\\\server\\", false}, PathCase{L"\\\\server", false},
                                           PathCase{L"\\\\", false}));

INSTANTIATE_TEST_SUITE_P(Relative, AbsolutePath,
                         ::testing::Values(PathCase{L"", false}, PathCase{L"M", false}, PathCase{L"..\\M", false},
                                           PathCase{L"\\M", false}, PathCase{L"/M", false}, PathCase{L"\\", false}));

// "\" + "\bin" is "\\bin" and "\\server" + "\bin" names share "bin": only the join made them.
INSTANTIATE_TEST_SUITE_P(Joins, AbsolutePath,
                         ::testing::Values(PathCase{L"C:", true, L"\\bin"}, PathCase{L"C:\\M\\", true, L"\\bin"},
                                           PathCase{L"\\\\server\\share", true, L"\\bin"},
                                           PathCase{L"\\", false, L"\\bin"}, PathCase{L"\\\\server", false, L"\\bin"},
                                           PathCase{L"", false, L"\\bin"}, PathCase{L"C:M", false, L"\\bin"},
                                           PathCase{L"\\M", false, L"\\bin"}));

}  // namespace
