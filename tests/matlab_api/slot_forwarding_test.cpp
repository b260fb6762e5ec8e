// Every one of the 60 slots of every adapter build, called through the C++ interface and
// through the C table: the right stand-in function is reached once, with the arguments
// converted as MATLAB's parameters want them, and its result comes back unchanged.
#include "adapter_library.h"
#include "recorded_calls.h"
#include "slot_runs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace {

using qv::test::AdapterRelease;
using qv::test::CallRoute;

constexpr int kMexCallMatlabSlot = 54;
constexpr int kMexCallMatlabWithTrapSlot = 55;

// The MATLAB function a build calls for a slot; empty for 7.6's trap slot, which makes
// several calls (its own tests cover it).
std::string CalledFunction(const AdapterRelease& release, const qv::test::SlotCase& slotCase)
{
    if (release.trapFlagMexCalls && slotCase.slot == kMexCallMatlabSlot) {
        return "mexCallMATLAB";
    }
    if (release.trapFlagMexCalls && slotCase.slot == kMexCallMatlabWithTrapSlot) {
        return "";
    }
    return slotCase.matlabFunction;
}

class EverySlot : public testing::TestWithParam<std::tuple<AdapterRelease, CallRoute>> {};

TEST_P(EverySlot, ReachesItsMatlabFunctionWithConvertedArgumentsAndPassesTheResultBack)
{
    const auto& [release, route] = GetParam();
    const qv::test::AdapterExports& exports = qv::test::LoadAdapter(release);
    ASSERT_NE(exports.getMatlabAPI, nullptr);
    ASSERT_EQ(qv::test::SlotCases().size(), 60u);

    for (const qv::test::SlotCase& slotCase : qv::test::SlotCases()) {
        const std::string function = CalledFunction(release, slotCase);
        if (function.empty()) {
            continue;
        }
        for (int variant = 0; variant < 2; ++variant) {
            SCOPED_TRACE(testing::Message()
                         << "slot " << slotCase.slot << " " << slotCase.operation << ", variant " << variant);
            qv::test::AdapterObject api = qv::test::MakeAdapterObject(exports);
            qvCallLogReset();
            const qv::test::SlotRun run = slotCase.run(api.get(), route, variant, function.c_str());

            const std::vector<QvRecordedCall> calls = qv::test::MatlabCalls();
            ASSERT_EQ(calls.size(), 1u) << testing::PrintToString(qv::test::FunctionNames(calls));
            const QvRecordedCall& call = calls[0];
            EXPECT_EQ(call.function, function);
            ASSERT_EQ(static_cast<size_t>(call.argumentCount), run.expectedArguments.size());
            for (size_t i = 0; i < run.expectedArguments.size(); ++i) {
                if (run.expectedArguments[i]) {
                    EXPECT_EQ(call.arguments[i], *run.expectedArguments[i]) << "argument " << i;
                }
            }
            if (!run.expectedDimensions.empty()) {
                EXPECT_EQ(std::vector<uint64_t>(call.dimensions, call.dimensions + call.dimensionCount),
                          run.expectedDimensions);
            }
            if (run.hasResult) {
                EXPECT_EQ(run.actualResult, run.expectedResult) << "result";
            }
        }
    }
}

std::string RouteName(CallRoute route)
{
    return route == CallRoute::Interface ? "Interface" : "CTable";
}

INSTANTIATE_TEST_SUITE_P(Adapters, EverySlot,
                         testing::Combine(testing::ValuesIn(qv::test::AdapterReleases()),
                                          testing::Values(CallRoute::Interface, CallRoute::CTable)),
                         [](const testing::TestParamInfo<EverySlot::ParamType>& tested) {
                             return std::string("Release") + std::get<0>(tested.param).name + "_" +
                                    RouteName(std::get<1>(tested.param));
                         });

}  // namespace
