#pragma once
// Connector discovery: every class of the connector category is asked, for the 32-bit and
// then the 64-bit platform, which MATLAB release it serves. The COM binding supplies the
// classes; the rules for its answers live here.
#include "common/info_box.h"
#include "common/platform.h"
#include "common/string_array.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {

// An HRESULT, kept portable.
using ResultCode = std::int32_t;
inline constexpr ResultCode kResultOk = 0;  // S_OK

// What GetVersionInfo answered: its result and its first string, whole (null gives empty).
struct VersionInfoReply {
    ResultCode result = kResultOk;
    std::wstring version;
};

// One created connector object. The binding frees every string the object hands out.
class IConnectorInfo {
public:
    virtual VersionInfoReply GetVersionInfo(Platform platform) = 0;
    virtual ResultCode CheckPlatform(Platform platform) = 0;

protected:
    ~IConnectorInfo() = default;
};

// A class of the connector category that this program cannot use, and why.
struct UnusableConnectorClass {
    enum class Reason { NotCreatable, For32BitProgramsOnly };
    std::wstring classId;  // "{...}"
    Reason reason = Reason::NotCreatable;
    ResultCode failure = kResultOk;  // what creating it gave (NotCreatable only)
};

// The classes registered under the connector category.
class IConnectorSource {
public:
    // Calls `visit` once for each class of the category that can be created, in the
    // category's enumeration order; classes that cannot be created are skipped. Calls it
    // never when the category cannot be read.
    virtual void ForEachConnector(const std::function<void(IConnectorInfo&)>& visit) = 0;
    // After ForEachConnector: the classes it skipped (in its order), then those registered
    // for 32-bit programs only. Asked only under "-d"; a source that knows of none keeps this.
    virtual std::vector<UnusableConnectorClass> UnusableClasses() { return {}; }

protected:
    ~IConnectorSource() = default;
};

inline const wchar_t* const kConnectorFoundPrefix32 = L"Connector found for(32): ";
inline const wchar_t* const kConnectorFoundPrefix64 = L"Connector found for(64): ";

// A reported release in the form MATLAB names its registry keys: the text up to its first
// NUL with every "_" turned into ".". "9_4" -> "9.4".
std::wstring ToConnectorVersion(const std::wstring& reported);

// "Connector class {...} could not be created (error 0x80040154).\n" or "Connector class {...}
// is registered for 32-bit programs only; this 64-bit program cannot use it.\n"
std::wstring UnusableConnectorMessage(const UnusableConnectorClass& unusable);

// Appends, per platform, the version of every connector that serves it: GetVersionInfo must
// not fail (any non-negative result) and CheckPlatform must answer exactly S_OK. With
// showInfo each version found is shown as it is appended, and then each class of the
// category that could not be used (UnusableClasses), one message each.
void FindConnectors(IConnectorSource& source, IInfoBox& info, StringArray& connectors32, StringArray& connectors64,
                    bool showInfo);

}  // namespace qv
