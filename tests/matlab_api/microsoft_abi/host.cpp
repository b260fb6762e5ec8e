// A host built for the Microsoft ABI (clang --target=x86_64-pc-windows-msvc, lld-link), as a
// host of Microsoft's compiler meets the adapters: bound at load time through one release's
// .lib import library, no C or C++ runtime, only kernel32. It calls every slot of
// IQvMatlabAPI_Interface twice, with arguments from a table generated from the slot list, and
// reads in the stand-ins' call log that the slot's MATLAB function got exactly those
// arguments, as MATLAB's parameters take them, and that its result came back.
//   microsoft_abi_host_<release>.exe [legacy-mex]
// legacy-mex: the 7.6 build, whose slot 54 calls mexCallMATLAB (same parameters as
// mexCallMATLABWithObject); its slot 55 makes several MATLAB calls and is left to the adapter
// tests. The values come from slot_values.h, as in the slot tests. Prints one line per fault
// and a summary; exit status 0 when every call arrived right.
#include "QvMatlabAPI_Interface.h"
#include "QvMatlabAPI_MatlabFunctions.h"
#include "call_log.h"
#include "kernel32.h"
#include "output.h"
#include "slot_values.h"

extern "C" int _fltused = 0;  // doubles without a C runtime

// "s<slot>p<position>v<variant>", kept for the whole run: the stand-ins copy the first text.
const char* qv::test::SlotText(int slot, int position, int variant)
{
    static char texts[QV_MATLAB_API_SLOT_COUNT][8][2][8];
    char* text = texts[slot][position][variant];
    const char pieces[] = {'s',
                           static_cast<char>('0' + slot / 10),
                           static_cast<char>('0' + slot % 10),
                           'p',
                           static_cast<char>('0' + position),
                           'v',
                           static_cast<char>('0' + variant),
                           '\0'};
    for (unsigned i = 0; i < sizeof pieces; ++i) {
        text[i] = pieces[i];
    }
    return text;
}

namespace {

using qv::test::kPointerType;
using qv::test::kSameType;
using qv::test::MatlabSignature;
using qv::test::SlotArgument;
using qv::test::SlotResultBits;
using qv::test::TypeList;

// --- the few library pieces a freestanding host needs ---------------------------------------

template <class T, T... I> struct Sequence {
};

bool TextEqual(const char* a, const char* b)
{
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

bool TextEndsWith(const char* text, const char* end)
{
    const char* t = text;
    const char* e = end;
    while (*t != '\0') {
        ++t;
    }
    while (*e != '\0') {
        ++e;
    }
    while (e != end && t != text && *(e - 1) == *(t - 1)) {
        --e;
        --t;
    }
    return e == end;
}

// --- values as the call log keeps them (64 bits) -------------------------------------------

template <class T> uint64_t Bits(T value)
{
    if constexpr (kSameType<T, double>) {
        return __builtin_bit_cast(uint64_t, value);
    } else if constexpr (kPointerType<T>) {
        return reinterpret_cast<uintptr_t>(value);
    } else if constexpr (__is_enum(T)) {
        // mxComplexity: 32 bits either way; the stand-ins' compiler gives it an unsigned type.
        return static_cast<uint32_t>(value);
    } else {
        return static_cast<uint64_t>(value);  // as the log keeps them: int sign-extended, bool 0/1
    }
}

template <class T> T FromBits(uint64_t bits)
{
    if constexpr (kSameType<T, double>) {
        return __builtin_bit_cast(double, bits);
    } else if constexpr (kPointerType<T>) {
        return reinterpret_cast<T>(static_cast<uintptr_t>(bits));
    } else {
        return static_cast<T>(bits);
    }
}

constexpr int kMexCallMatlabSlot = 54;
constexpr int kMexCallMatlabWithTrapSlot = 55;

// --- one slot, one variant ---------------------------------------------------------------

unsigned faults = 0;

void Fault(int slot, const char* operation, int variant, const char* what)
{
    ++faults;
    QvPrint("slot ");
    QvPrintNumber(static_cast<unsigned>(slot));
    QvPrint(" ");
    QvPrint(operation);
    QvPrint(" variant ");
    QvPrintNumber(static_cast<unsigned>(variant));
    QvPrint(": ");
    QvPrint(what);
    QvPrint("\n");
}

template <class MP, class A> bool Arrived(const QvRecordedCall& call, unsigned index, A argument)
{
    if constexpr (kSameType<A, const int*>) {
        // The adapter hands MATLAB its own widened copy of the dimensions.
        const uint64_t count = call.arguments[0];
        bool same = static_cast<uint64_t>(call.dimensionCount) == count;
        for (uint64_t i = 0; same && i < count; ++i) {
            same = call.dimensions[i] == static_cast<uint64_t>(argument[i]);
        }
        return same;
    } else {
        return call.arguments[index] == Bits(static_cast<MP>(argument));
    }
}

template <class R, class... A, class MR, class... MP, unsigned... I>
void Drive(IQvMatlabAPI_Interface* api, int slot, const char* operation, const char* function, int variant,
           R (IQvMatlabAPI_Interface::*member)(A...), TypeList<MR, MP...>, Sequence<unsigned, I...>)
{
    static_assert(sizeof...(A) == sizeof...(MP), "operation and MATLAB function differ in arity");
    qvCallLogReset();
    uint64_t resultBits = 0;
    if constexpr (!kSameType<MR, void>) {
        resultBits = SlotResultBits<MR>(slot, variant);
        qvCallLogSetResult(function, resultBits);
    }
    if constexpr (kSameType<R, void>) {
        (api->*member)(SlotArgument<A>(slot, static_cast<int>(I), variant)...);
    } else {
        const R result = (api->*member)(SlotArgument<A>(slot, static_cast<int>(I), variant)...);
        if (Bits(result) != Bits(static_cast<R>(FromBits<MR>(resultBits)))) {
            Fault(slot, operation, variant, "the result did not come back");
        }
    }

    QvRecordedCall call;
    if (qvCallLogCount() != 1 || qvCallLogGet(0, &call) == 0) {
        Fault(slot, operation, variant, "not exactly one MATLAB call");
    } else if (!TextEqual(call.function, function)) {
        Fault(slot, operation, variant, "another MATLAB function was called");
    } else if (call.argumentCount != static_cast<int>(sizeof...(MP))) {
        Fault(slot, operation, variant, "another number of arguments arrived");
    } else if (!(Arrived<MP>(call, I, SlotArgument<A>(slot, static_cast<int>(I), variant)) && ...)) {
        Fault(slot, operation, variant, "an argument arrived changed");
    }
}

template <class R, class... A, class Matlab>
void DriveSlot(IQvMatlabAPI_Interface* api, int slot, const char* operation, const char* function,
               R (IQvMatlabAPI_Interface::*member)(A...), Matlab matlab)
{
    for (int variant = 0; variant < 2; ++variant) {
        Drive(api, slot, operation, function, variant, member, matlab,
              __make_integer_seq<Sequence, unsigned, sizeof...(A)>{});
    }
}

}  // namespace

extern "C" void start()
{
    const bool legacyMex = TextEndsWith(GetCommandLineA(), " legacy-mex");
    IQvMatlabAPI_Interface* const api = GetMatlabAPI();
    unsigned slots = 0;

#define QV_DRIVE_SLOT(slot, Operation, Result, Parameters, library, MatlabResult, function, MatlabParameters, \
                      Arguments)                                                                              \
    if (!(legacyMex && slot == kMexCallMatlabWithTrapSlot)) {                                                 \
        const char* const called = legacyMex && slot == kMexCallMatlabSlot ? "mexCallMATLAB" : #function;     \
        DriveSlot(api, slot, #Operation, called, &IQvMatlabAPI_Interface::Operation,                          \
                  decltype(MatlabSignature(&function)){});                                                    \
        ++slots;                                                                                              \
    }
    QV_MATLAB_API_SLOTS(QV_DRIVE_SLOT)
#undef QV_DRIVE_SLOT

    TerminateMatlabAPI(api);
    QvPrintNumber(slots);
    QvPrint(" slots, 2 variants each: ");
    QvPrintNumber(faults);
    QvPrint(" faults\n");
    ExitProcess(faults == 0 ? 0 : 1);
}
