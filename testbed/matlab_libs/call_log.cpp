// One process-wide log; the stand-ins and the tests reach it through its C functions.
#define QV_CALL_LOG_BUILDING
#include "call_log.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct CallLog {
    std::mutex mutex;
    std::vector<QvRecordedCall> calls;
    std::map<std::string, uint64_t> results;
    bool recording = true;
    int trapFlag = 0;
};

CallLog& Log()
{
    static CallLog log;
    return log;
}

}  // namespace

extern "C" {

void qvCallLogReset(void)
{
    CallLog& log = Log();
    std::lock_guard<std::mutex> lock(log.mutex);
    log.calls.clear();
    log.results.clear();
    log.recording = true;
    log.trapFlag = 0;
}

void qvCallLogSetRecording(int on)
{
    CallLog& log = Log();
    std::lock_guard<std::mutex> lock(log.mutex);
    log.recording = on != 0;
}

int qvCallLogRecording(void)
{
    // Read without the lock: switched only between calls, by the one test thread.
    return Log().recording ? 1 : 0;
}

void qvCallLogAdd(const QvRecordedCall* call)
{
    CallLog& log = Log();
    std::lock_guard<std::mutex> lock(log.mutex);
    log.calls.push_back(*call);
}

int qvCallLogCount(void)
{
    CallLog& log = Log();
    std::lock_guard<std::mutex> lock(log.mutex);
    return static_cast<int>(log.calls.size());
}

int qvCallLogGet(int index, QvRecordedCall* call)
{
    CallLog& log = Log();
    std::lock_guard<std::mutex> lock(log.mutex);
    if (index < 0 || static_cast<size_t>(index) >= log.calls.size()) {
        return 0;
    }
    *call = log.calls[static_cast<size_t>(index)];
    return 1;
}

void qvCallLogSetResult(const char* function, uint64_t bits)
{
    CallLog& log = Log();
    std::lock_guard<std::mutex> lock(log.mutex);
    log.results[function] = bits;
}

uint64_t qvCallLogResult(const char* function)
{
    CallLog& log = Log();
    std::lock_guard<std::mutex> lock(log.mutex);
    const auto found = log.results.find(function);
    return found == log.results.end() ? 0 : found->second;
}

void qvCallLogSetTrapFlag(int on)
{
    CallLog& log = Log();
    std::lock_guard<std::mutex> lock(log.mutex);
    log.trapFlag = on;
}

int qvCallLogTrapFlag(void)
{
    CallLog& log = Log();
    std::lock_guard<std::mutex> lock(log.mutex);
    return log.trapFlag;
}

}  // extern "C"
