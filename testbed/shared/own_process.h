#pragma once
// What a test-bed program or test reads about its own process: where it runs from, its
// working directory, the temp folder and its environment. One copy for all of them.
#include <string>

namespace qv::testbed {

// Full path of the running executable.
std::wstring OwnPath();
// Directory of the running executable, with a trailing backslash.
std::wstring ExecutableDirectory();
// The working directory, as GetCurrentDirectoryW gives it.
std::wstring CurrentDirectory();
// The user's temp folder, with a trailing backslash.
std::wstring TempFolder();
// The variable's value; empty when it is not set.
std::wstring EnvironmentValue(const wchar_t* name);

}  // namespace qv::testbed
