#pragma once
// The three adapter builds, each loaded once the way a host loads it (LoadLibrary on Windows,
// dlopen on the test host) with its two exports resolved by name, and an object holder that
// hands the object back to TerminateMatlabAPI.
#include "QvMatlabAPI_Interface.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace qv::test {

struct AdapterRelease {
    const char* name;       // "9_4"
    bool trapFlagMexCalls;  // slots 54/55 through mexCallMATLAB + mexSetTrapFlag (7.6)
    bool plainBadAlloc;     // CreateCharArray(-1) throws std::bad_alloc itself, not a subclass
    const wchar_t* fileVersion;
};

const std::vector<AdapterRelease>& AdapterReleases();

inline std::ostream& operator<<(std::ostream& out, const AdapterRelease& release)
{
    return out << release.name;
}

// Resolved exports of one loaded adapter library; the library stays loaded until exit.
struct AdapterExports {
    QvGetMatlabAPIFunction getMatlabAPI = nullptr;
    QvTerminateMatlabAPIFunction terminateMatlabAPI = nullptr;
};

// Loads "QvMatlabAPI_<release>_Lib" from the test executable's folder; fails the test when
// it cannot be loaded.
const AdapterExports& LoadAdapter(const AdapterRelease& release);

// Full path of a file beside the test executable.
std::string BesideExecutable(const std::string& fileName);

struct Terminator {
    QvTerminateMatlabAPIFunction terminate;
    void operator()(IQvMatlabAPI_Interface* api) const { terminate(api); }
};
using AdapterObject = std::unique_ptr<IQvMatlabAPI_Interface, Terminator>;

inline AdapterObject MakeAdapterObject(const AdapterExports& exports)
{
    return AdapterObject(exports.getMatlabAPI(), Terminator{exports.terminateMatlabAPI});
}

}  // namespace qv::test
