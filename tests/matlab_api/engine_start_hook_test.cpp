// The profiler.dll hook of EngOpen and EngOpenSingleUse, watched through the host's
// LoadLibraryA/FreeLibrary stand-ins (the Windows tests load a real stand-in DLL).
#include "adapter_library.h"
#include "call_bits.h"
#include "recorded_calls.h"

#include <gtest/gtest.h>

namespace {

using qv::standin::ToBits;
using qv::test::AdapterRelease;

constexpr uint64_t kProfilerModule = 0x9F0F11E;
Engine* const kEngine = reinterpret_cast<Engine*>(0xE9);

struct ModuleCalls {
    int loads = 0;
    int frees = 0;
    std::vector<uint64_t> freedModules;
};

ModuleCalls CountModuleCalls()
{
    ModuleCalls counted;
    for (const QvRecordedCall& call : qv::test::RecordedCalls()) {
        const std::string function = call.function;
        if (function == "LoadLibraryA") {
            ++counted.loads;
            EXPECT_STREQ(call.text, "profiler.dll");
        } else if (function == "FreeLibrary") {
            ++counted.frees;
            counted.freedModules.push_back(call.arguments[0]);
        }
    }
    return counted;
}

class EngineStartHook : public testing::TestWithParam<AdapterRelease> {
protected:
    void SetUp() override
    {
        exports_ = &qv::test::LoadAdapter(GetParam());
        ASSERT_NE(exports_->getMatlabAPI, nullptr);
        qvCallLogReset();
    }

    qv::test::AdapterObject NewObject() const { return qv::test::MakeAdapterObject(*exports_); }

    // Starts an engine one way or the other; both run the same hook.
    static Engine* StartEngine(IQvMatlabAPI_Interface& api, int way)
    {
        int status = 0;
        return way == 0 ? api.EngOpen("matlab -nosplash") : api.EngOpenSingleUse(nullptr, nullptr, &status);
    }

    const qv::test::AdapterExports* exports_ = nullptr;
};

TEST_P(EngineStartHook, LoadsOnceAfterASuccessfulLoadAndFreesOnceAtTermination)
{
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way == 0 ? "EngOpen" : "EngOpenSingleUse");
        qvCallLogReset();
        qvCallLogSetResult("LoadLibraryA", kProfilerModule);
        qvCallLogSetResult("engOpen", ToBits(kEngine));
        qvCallLogSetResult("engOpenSingleUse", ToBits(kEngine));
        qv::test::AdapterObject api = NewObject();
        for (int start = 0; start < 3; ++start) {
            EXPECT_EQ(StartEngine(*api, (way + start) % 2), kEngine);
        }
        EXPECT_EQ(CountModuleCalls().loads, 1);
        // Other operations leave the module alone.
        api->GetM(nullptr);
        api->EngClose(kEngine);
        EXPECT_EQ(CountModuleCalls().frees, 0);
        api.reset();
        const ModuleCalls calls = CountModuleCalls();
        EXPECT_EQ(calls.loads, 1);
        EXPECT_EQ(calls.freedModules, std::vector<uint64_t>{kProfilerModule});
    }
}

TEST_P(EngineStartHook, RetriesWhileTheProfilerLoadFailsAlsoWithoutAnEngine)
{
    qv::test::AdapterObject api = NewObject();
    qvCallLogSetResult("LoadLibraryA", 0);  // profiler.dll missing
    qvCallLogSetResult("engOpen", 0);       // and no engine either
    EXPECT_EQ(StartEngine(*api, 0), nullptr);
    EXPECT_EQ(StartEngine(*api, 1), nullptr);
    EXPECT_EQ(CountModuleCalls().loads, 2);

    qvCallLogSetResult("LoadLibraryA", kProfilerModule);
    EXPECT_EQ(StartEngine(*api, 0), nullptr);
    StartEngine(*api, 1);
    EXPECT_EQ(CountModuleCalls().loads, 3);

    api.reset();
    EXPECT_EQ(CountModuleCalls().freedModules, std::vector<uint64_t>{kProfilerModule});
}

TEST_P(EngineStartHook, TerminationWithoutAnEngineStartFreesNothing)
{
    qv::test::AdapterObject api = NewObject();
    api->MatClose(nullptr);
    api.reset();
    const ModuleCalls calls = CountModuleCalls();
    EXPECT_EQ(calls.loads, 0);
    EXPECT_EQ(calls.frees, 0);
}

INSTANTIATE_TEST_SUITE_P(Adapters, EngineStartHook, testing::ValuesIn(qv::test::AdapterReleases()),
                         [](const testing::TestParamInfo<AdapterRelease>& tested) {
                             return std::string("Release") + tested.param.name;
                         });

}  // namespace
