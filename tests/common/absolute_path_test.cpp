// The one rule for absolute paths, which the run and the launcher share.
#include "common/absolute_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PathCase {
    const wchar_t* path;
    bool absolute;
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << ::testing::PrintToString(std::wstring(c.path));
}

class AbsolutePath : public ::testing::TestWithParam<PathCase> {};

TEST_P(AbsolutePath, FollowsTheRule)
{
    EXPECT_EQ(qv::IsAbsolutePath(GetParam().path), GetParam().absolute);
}

INSTANTIATE_TEST_SUITE_P(
    DriveLetters, AbsolutePath,
    ::testing::Values(PathCase{L"C:\\Program Files\\MATLAB\\R2018a", true},
                      PathCase{L"C:/Program Files/MATLAB/R2018a", true}, PathCase{L"C:\\", true},
                      PathCase{L"z:/", true}, PathCase{L"a:\\x", true}, PathCase{L"Z:\\x", true}, PathCase{L"C:", false},
                      PathCase{L"C:M", false}, PathCase{L"1:\\M", false}, PathCase{L"@:\\M", false},
                      PathCase{L"[:\\M", false}, PathCase{L"`:\\M", false}, PathCase{L"{:\\M", false},
                      PathCase{L"C;\\M", false}));

INSTANTIATE_TEST_SUITE_P(
    Shares, AbsolutePath,
    ::testing::Values(PathCase{L"\\\\server\\share", true}, PathCase{L"\\\\server\\share\\O", true},
                      PathCase{L"//server/share/O", true}, PathCase{L"\\\\s\\x", true},
                      PathCase{L"\\\\?\\C:\\M", true}, PathCase{L"\\\\\\share\\x", false},
                      PathCase{L"\\\\server\\\\share", false}, PathCase{L"\\\\server\\", false},
                      PathCase{L"\\\\server", false}, PathCase{L"\\\\", false}));

INSTANTIATE_TEST_SUITE_P(
    Relative, AbsolutePath,
    ::testing::Values(PathCase{L"", false}, PathCase{L"M", false}, PathCase{L"..\\M", false},
                      PathCase{L"\\M", false}, PathCase{L"/M", false}, PathCase{L"\\", false}));

}  // namespace
