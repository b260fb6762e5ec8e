#pragma once
// The call log of the stand-ins as the tests read it.
#include "call_log.h"

#include <string>
#include <vector>

namespace qv::test {

inline std::vector<QvRecordedCall> RecordedCalls()
{
    std::vector<QvRecordedCall> calls(static_cast<size_t>(qvCallLogCount()));
    for (size_t i = 0; i < calls.size(); ++i) {
        qvCallLogGet(static_cast<int>(i), &calls[i]);
    }
    return calls;
}

inline bool IsModuleCall(const QvRecordedCall& call)
{
    const std::string function = call.function;
    return function == "LoadLibraryA" || function == "FreeLibrary";
}

// Calls into "MATLAB" only: without the host's LoadLibraryA/FreeLibrary stand-ins.
inline std::vector<QvRecordedCall> MatlabCalls()
{
    std::vector<QvRecordedCall> calls;
    for (const QvRecordedCall& call : RecordedCalls()) {
        if (!IsModuleCall(call)) {
            calls.push_back(call);
        }
    }
    return calls;
}

inline std::vector<std::string> FunctionNames(const std::vector<QvRecordedCall>& calls)
{
    std::vector<std::string> names;
    for (const QvRecordedCall& call : calls) {
        names.emplace_back(call.function);
    }
    return names;
}

inline std::vector<uint64_t> Arguments(const QvRecordedCall& call)
{
    return std::vector<uint64_t>(call.arguments, call.arguments + call.argumentCount);
}

}  // namespace qv::test
