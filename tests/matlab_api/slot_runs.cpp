#include "slot_runs.h"

#include "QvMatlabAPI_Interface_C.h"
#include "QvMatlabAPI_MatlabFunctions.h"
#include "call_bits.h"
#include "slot_values.h"

#include <array>
#include <cstdio>
#include <tuple>
#include <type_traits>

namespace qv::test {
namespace {

using standin::FromBits;
using standin::ToBits;

constexpr int kMaxParameters = 5;

}  // namespace

const char* SlotText(int slot, int position, int variant)
{
    static const auto texts = [] {
        std::array<std::array<std::array<std::string, 2>, kMaxParameters>, QV_MATLAB_API_SLOT_COUNT> all;
        for (int s = 0; s < QV_MATLAB_API_SLOT_COUNT; ++s) {
            for (int p = 0; p < kMaxParameters; ++p) {
                for (int v = 0; v < 2; ++v) {
                    all[s][p][v] =
                        "slot" + std::to_string(s) + "-argument" + std::to_string(p) + "-" + std::to_string(v);
                }
            }
        }
        return all;
    }();
    return texts[slot][position][variant].c_str();
}

namespace {

// The argument as MATLAB's parameter type receives it.
template <class MatlabParameter, class A> std::optional<uint64_t> Expected(A argument)
{
    if constexpr (std::is_same_v<A, const int*>) {
        return std::nullopt;  // the adapter passes its own widened copy
    } else {
        return ToBits(static_cast<MatlabParameter>(argument));
    }
}

template <class... A, size_t... I>
std::tuple<A...> Arguments([[maybe_unused]] int slot, [[maybe_unused]] int variant, std::index_sequence<I...>)
{
    return std::tuple<A...>(SlotArgument<A>(slot, static_cast<int>(I), variant)...);
}

template <class R, class... A, class MR, class... MP>
SlotRun Drive(IQvMatlabAPI_Interface* api, CallRoute route, int slot, int variant, const char* called,
              R (IQvMatlabAPI_Interface::*member)(A...),
              R (*IQvMatlabAPI_InterfaceVtbl::*entry)(IQvMatlabAPI_Interface*, A...), TypeList<MR, MP...>)
{
    static_assert(sizeof...(A) == sizeof...(MP), "operation and MATLAB function differ in arity");
    SlotRun run;
    const std::tuple<A...> arguments = Arguments<A...>(slot, variant, std::index_sequence_for<A...>{});
    run.expectedArguments =
        std::apply([](A... a) { return std::vector<std::optional<uint64_t>>{Expected<MP>(a)...}; }, arguments);
    if constexpr (std::is_same_v<std::tuple<A...>, std::tuple<int, const int*>>) {
        const int count = std::get<0>(arguments);
        for (int i = 0; i < count; ++i) {
            run.expectedDimensions.push_back(static_cast<size_t>(std::get<1>(arguments)[i]));
        }
    }

    uint64_t resultBits = 0;
    if constexpr (!std::is_void_v<MR>) {
        resultBits = SlotResultBits<MR>(slot, variant);
        qvCallLogSetResult(called, resultBits);
    }

    const auto call = [&](A... a) -> R {
        if (route == CallRoute::Interface) {
            return (api->*member)(a...);
        }
        // The object seen from C: its first word points at the table of 60 function pointers.
        const IQvMatlabAPI_InterfaceVtbl* const table =
            *reinterpret_cast<const IQvMatlabAPI_InterfaceVtbl* const*>(api);
        return (table->*entry)(api, a...);
    };
    if constexpr (std::is_void_v<R>) {
        std::apply(call, arguments);
    } else {
        const R result = std::apply(call, arguments);
        run.hasResult = true;
        run.actualResult = ToBits(result);
        run.expectedResult = ToBits(static_cast<R>(FromBits<MR>(resultBits)));
    }
    return run;
}

}  // namespace

const std::vector<SlotCase>& SlotCases()
{
#define QV_SLOT_CASE(slot, Operation, Result, Parameters, library, MatlabResult, function, MatlabParameters,   \
                     Arguments)                                                                                \
    SlotCase{slot, #Operation, #function,                                                                      \
             [](IQvMatlabAPI_Interface* api, CallRoute route, int variant, const char* called) {               \
                 return Drive(api, route, slot, variant, called, &IQvMatlabAPI_Interface::Operation,           \
                              &IQvMatlabAPI_InterfaceVtbl::Operation, decltype(MatlabSignature(&function)){}); \
             }},
    static const std::vector<SlotCase> cases = {QV_MATLAB_API_SLOTS(QV_SLOT_CASE)};
#undef QV_SLOT_CASE
    return cases;
}

}  // namespace qv::test
