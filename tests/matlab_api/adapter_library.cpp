#include "adapter_library.h"

#include <gtest/gtest.h>

#include <map>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace qv::test {

const std::vector<AdapterRelease>& AdapterReleases()
{
    static const std::vector<AdapterRelease> releases = {
        {"9_4", false, false, L"" QV_PROJECT_VERSION},  // the project's version, from CMake
        {"9_3", false, false, L"" QV_PROJECT_VERSION},
        {"7_6", true, true, L"1.0.7.205"},
    };
    return releases;
}

std::string BesideExecutable(const std::string& fileName)
{
#if defined(_WIN32)
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
#else
    char path[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
#endif
    std::string folder(path, length > 0 ? static_cast<size_t>(length) : 0);
    folder.erase(folder.find_last_of("/\\") + 1);
    return folder + fileName;
}

namespace {

AdapterExports Load(const std::string& path)
{
    AdapterExports exports;
#if defined(_WIN32)
    const HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        ADD_FAILURE() << "cannot load " << path << ", error " << GetLastError();
        return exports;
    }
    // Through void (*)(void), the generic function pointer, to the export's real type.
    exports.getMatlabAPI = reinterpret_cast<QvGetMatlabAPIFunction>(
        reinterpret_cast<void (*)(void)>(GetProcAddress(module, "GetMatlabAPI")));
    exports.terminateMatlabAPI = reinterpret_cast<QvTerminateMatlabAPIFunction>(
        reinterpret_cast<void (*)(void)>(GetProcAddress(module, "TerminateMatlabAPI")));
#else
    // Local: the three builds export the same names.
    void* const module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        ADD_FAILURE() << "cannot load " << path << ": " << dlerror();
        return exports;
    }
    exports.getMatlabAPI = reinterpret_cast<QvGetMatlabAPIFunction>(dlsym(module, "GetMatlabAPI"));
    exports.terminateMatlabAPI = reinterpret_cast<QvTerminateMatlabAPIFunction>(dlsym(module, "TerminateMatlabAPI"));
#endif
    EXPECT_NE(exports.getMatlabAPI, nullptr) << path;
    EXPECT_NE(exports.terminateMatlabAPI, nullptr) << path;
    return exports;
}

}  // namespace

const AdapterExports& LoadAdapter(const AdapterRelease& release)
{
    static std::map<std::string, AdapterExports> loaded;
    const auto found = loaded.find(release.name);
    if (found != loaded.end()) {
        return found->second;
    }
#if defined(_WIN32)
    const std::string fileName = std::string("QvMatlabAPI_") + release.name + "_Lib.dll";
#else
    const std::string fileName = std::string("QvMatlabAPI_") + release.name + "_Lib.so";
#endif
    AdapterExports exports = Load(BesideExecutable(fileName));
    if (exports.getMatlabAPI == nullptr || exports.terminateMatlabAPI == nullptr) {
        static const AdapterExports none;
        return none;  // not cached: the next test reports the failure too
    }
    return loaded.emplace(release.name, exports).first->second;
}

}  // namespace qv::test
