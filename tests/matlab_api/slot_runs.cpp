#include "slot_runs.h"

#include "QvMatlabAPI_Interface_C.h"
#include "QvMatlabAPI_MatlabFunctions.h"
#include "call_bits.h"

#include <array>
#include <cstdio>
#include <limits>
#include <tuple>
#include <type_traits>

namespace qv::test {
namespace {

using standin::FromBits;
using standin::ToBits;

constexpr int kCreateCharArraySlot = 29;
constexpr int kMaxParameters = 5;

// CreateCharArray's dimensions; its count argument is 2 or 3 (the last one negative).
const int kCharArrayDimensions[] = {1, 5, -7};

const char* Text(int slot, int position, int variant)
{
    static const auto texts = [] {
        std::array<std::array<std::array<std::string, 2>, kMaxParameters>, QV_MATLAB_API_SLOT_COUNT> all;
        for (int s = 0; s < QV_MATLAB_API_SLOT_COUNT; ++s) {
            for (int p = 0; p < kMaxParameters; ++p) {
                for (int v = 0; v < 2; ++v) {
                    all[s][p][v] = "slot" + std::to_string(s) + "-argument" + std::to_string(p) + "-" + std::to_string(v);
                }
            }
        }
        return all;
    }();
    return texts[slot][position][variant].c_str();
}

// A value of type T that no other slot, position or variant uses. Pointers other than texts
// and CreateCharArray's dimensions are made-up addresses: the stand-ins never follow them.
template <class T> T Argument(int slot, int position, int variant)
{
    const uint64_t tag = (static_cast<uint64_t>(slot) << 8) | (static_cast<uint64_t>(position) << 4) |
                         static_cast<uint64_t>(variant);
    if constexpr (std::is_same_v<T, const char*>) {
        return Text(slot, position, variant);
    } else if constexpr (std::is_same_v<T, const int*>) {
        return kCharArrayDimensions;
    } else if constexpr (std::is_pointer_v<T>) {
        return reinterpret_cast<T>(static_cast<uintptr_t>(0x7A0000000000ull | (tag << 4)));
    } else if constexpr (std::is_same_v<T, bool>) {
        return variant == 0;
    } else if constexpr (std::is_same_v<T, double>) {
        return variant == 0 ? slot + position * 0.25 + 0.125 : std::numeric_limits<double>::quiet_NaN();
    } else if constexpr (std::is_same_v<T, int>) {
        if (slot == kCreateCharArraySlot && position == 0) {
            return 2 + variant;
        }
        // Negative in variant 0, so that a widening shows whether it extends the sign.
        return variant == 0 ? -(slot * 16 + position + 2) : 0x12340000 + slot * 16 + position;
    } else {
        static_assert(std::is_same_v<T, size_t>, "no distinctive value for this type");
        // Above 32 bits, so that a narrowing would show.
        return (static_cast<uint64_t>(slot + 1) << 36) | (static_cast<uint64_t>(position + 1) << 32) |
               (variant == 0 ? 0x5u : 0x89ABCDEFu);
    }
}

// What the stand-in returns, as log bits.
template <class T> uint64_t ResultBits(int slot, int variant)
{
    if constexpr (std::is_pointer_v<T>) {
        return 0x6E0000000000ull | (static_cast<uint64_t>(slot) << 8) | static_cast<uint64_t>(variant);
    } else if constexpr (std::is_same_v<T, bool>) {
        return variant == 0 ? 1 : 0;
    } else if constexpr (std::is_same_v<T, double>) {
        return ToBits(variant == 0 ? slot * 1.5 + 0.25 : -(slot + 0.5));
    } else if constexpr (std::is_same_v<T, int>) {
        return ToBits(variant == 0 ? -(slot + 100) : slot + 7);
    } else {
        static_assert(std::is_same_v<T, size_t>, "no distinctive result for this type");
        return (1ull << 40) + static_cast<uint64_t>(slot) * 3 + static_cast<uint64_t>(variant);
    }
}

// The argument as MATLAB's parameter type receives it.
template <class MatlabParameter, class A> std::optional<uint64_t> Expected(A argument)
{
    if constexpr (std::is_same_v<A, const int*>) {
        return std::nullopt;  // the adapter passes its own widened copy
    } else {
        return ToBits(static_cast<MatlabParameter>(argument));
    }
}

template <class... T> struct TypeList {};
template <class MR, class... MP> TypeList<MR, MP...> MatlabSignature(MR (*)(MP...));
template <class MR, class... MP> TypeList<MR, MP...> MatlabSignature(MR (*)(MP..., ...));

template <class... A, size_t... I>
std::tuple<A...> Arguments([[maybe_unused]] int slot, [[maybe_unused]] int variant, std::index_sequence<I...>)
{
    return std::tuple<A...>(Argument<A>(slot, static_cast<int>(I), variant)...);
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
        resultBits = ResultBits<MR>(slot, variant);
        qvCallLogSetResult(called, resultBits);
    }

    const auto call = [&](A... a) -> R {
        if (route == CallRoute::Interface) {
            return (api->*member)(a...);
        }
        // The object seen from C: its first word points at the table of 60 function pointers.
        const IQvMatlabAPI_InterfaceVtbl* const table = *reinterpret_cast<const IQvMatlabAPI_InterfaceVtbl* const*>(api);
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
#define QV_SLOT_CASE(slot, Operation, Result, Parameters, library, MatlabResult, function, MatlabParameters,    \
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
