// Many short adapter lives in a row, as a host that loads and drops the adapter per task
// would make them. Each life hands its profiler.dll module back exactly once; anything else
// an object keeps after TerminateMatlabAPI is reported by LeakSanitizer in the sanitizer build.
#include "matlab_api/adapter_library.h"
#include "call_bits.h"
#include "matlab_api/recorded_calls.h"

#include <gtest/gtest.h>

#include <new>
#include <ostream>
#include <string>
#include <vector>

namespace {

using qv::standin::ToBits;
using qv::test::AdapterRelease;

constexpr int kCycles = 10000;
constexpr uint64_t kProfilerModule = 0x9F0F11E;
Engine* const kEngine = reinterpret_cast<Engine*>(0xE9);

enum class Life { Idle, EngineStarts, FailedCharArray };

struct CycleCase {
    AdapterRelease release;
    Life life;
};

std::string CaseName(const testing::TestParamInfo<CycleCase>& tested)
{
    const char* life = tested.param.life == Life::Idle           ? "Idle"
                       : tested.param.life == Life::EngineStarts ? "EngineStarts"
                                                                 : "FailedCharArray";
    return std::string("Release") + tested.param.release.name + "_" + life;
}

void PrintTo(const CycleCase& tested, std::ostream* out)
{
    *out << tested.release.name << "/" << static_cast<int>(tested.life);
}

class AdapterCycles : public testing::TestWithParam<CycleCase> {};

struct ModuleTally {
    int loads = 0;
    int frees = 0;
    int wrongFrees = 0;  // FreeLibrary of anything but the module LoadLibraryA returned
};

void CountModuleCalls(ModuleTally& tally)
{
    for (const QvRecordedCall& call : qv::test::RecordedCalls()) {
        const std::string function = call.function;
        if (function == "LoadLibraryA") {
            ++tally.loads;
        } else if (function == "FreeLibrary") {
            ++tally.frees;
            tally.wrongFrees += call.arguments[0] != kProfilerModule ? 1 : 0;
        }
    }
}

TEST_P(AdapterCycles, EveryLifeEndsWithNothingHeld)
{
    const qv::test::AdapterExports& exports = qv::test::LoadAdapter(GetParam().release);
    ASSERT_NE(exports.getMatlabAPI, nullptr);
    const int dimensions[] = {1, 4};
    ModuleTally tally;
    int uncaught = 0;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        // The log is emptied each time so that it does not grow with the loop.
        qvCallLogReset();
        qvCallLogSetResult("LoadLibraryA", kProfilerModule);
        qvCallLogSetResult("engOpen", ToBits(kEngine));
        qvCallLogSetResult("engOpenSingleUse", ToBits(kEngine));
        IQvMatlabAPI_Interface* api = exports.getMatlabAPI();
        ASSERT_NE(api, nullptr);
        switch (GetParam().life) {
        case Life::Idle:
            break;
        case Life::EngineStarts: {
            int status = 0;
            api->EngOpen("matlab -nosplash");
            api->EngOpenSingleUse(nullptr, nullptr, &status);
            api->EngClose(kEngine);
            break;
        }
        case Life::FailedCharArray:
            try {
                api->CreateCharArray(-1, dimensions);
                ++uncaught;
            } catch (const std::bad_alloc&) {
                // expected: the object stays usable and is terminated below
            }
            break;
        }
        exports.terminateMatlabAPI(api);
        CountModuleCalls(tally);
    }
    EXPECT_EQ(uncaught, 0);
    const int lives = GetParam().life == Life::EngineStarts ? kCycles : 0;
    EXPECT_EQ(tally.loads, lives);
    EXPECT_EQ(tally.frees, lives);
    EXPECT_EQ(tally.wrongFrees, 0);
}

std::vector<CycleCase> AllCases()
{
    std::vector<CycleCase> cases;
    for (const AdapterRelease& release : qv::test::AdapterReleases()) {
        for (Life life : {Life::Idle, Life::EngineStarts, Life::FailedCharArray}) {
            cases.push_back({release, life});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Adapters, AdapterCycles, testing::ValuesIn(AllCases()), CaseName);

}  // namespace
