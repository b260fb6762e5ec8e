// A host built for the Microsoft ABI (clang --target=x86_64-pc-windows-msvc, lld-link), as a
// host of Microsoft's compiler meets the adapters: bound at load time through one release's
// .lib import library, no C or C++ runtime, only kernel32. It calls every slot of
// IQvMatlabAPI_Interface twice, with arguments from a table generated from the slot list, and
// reads in the stand-ins' call log that the slot's MATLAB function got exactly those
// arguments, as MATLAB's parameters take them, and that its result came back.
//   microsoft_abi_host_<release>.exe [legacy-mex]
// legacy-mex: the 7.6 build, whose slot 54 calls mexCallMATLAB (same parameters as
// mexCallMATLABWithObject); its slot 55 makes several
// MATLAB calls and is left to the adapter tests. Prints one line per fault and a summary;
// exit status 0 when every call arrived right.
#include "QvMatlabAPI_Interface.h"
#include "QvMatlabAPI_MatlabFunctions.h"
#include "call_log.h"
#include "kernel32.h"
#include "output.h"

extern "C" int _fltused = 0;  // doubles without a C runtime

namespace {

// --- the few library pieces a freestanding host needs ---------------------------------------

template <class A, class B> constexpr bool kSame = false;
template <class A> constexpr bool kSame<A, A> = true;
template <class T> constexpr bool kPointer = false;
template <class T> constexpr bool kPointer<T*> = true;
template <class T, T... I> struct Sequence {};

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

// --- the table: distinctive arguments and results per slot, position and variant -----------

template <class T> uint64_t Bits(T value)
{
    if constexpr (kSame<T, double>) {
        return __builtin_bit_cast(uint64_t, value);
    } else if constexpr (kPointer<T>) {
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
    if constexpr (kSame<T, double>) {
        return __builtin_bit_cast(double, bits);
    } else if constexpr (kPointer<T>) {
        return reinterpret_cast<T>(static_cast<uintptr_t>(bits));
    } else {
        return static_cast<T>(bits);
    }
}

constexpr int kCreateCharArraySlot = 29;
constexpr int kMexCallMatlabSlot = 54;
constexpr int kMexCallMatlabWithTrapSlot = 55;
const int kCharArrayDimensions[] = {1, 5, 7};

// "s<slot>p<position>v<variant>", kept for the whole run: the stand-ins copy the first text.
char texts[QV_MATLAB_API_SLOT_COUNT][8][2][8];

const char* Text(int slot, int position, int variant)
{
    char* text = texts[slot][position][variant];
    const char pieces[] = {'s', static_cast<char>('0' + slot / 10), static_cast<char>('0' + slot % 10), 'p',
                           static_cast<char>('0' + position), 'v', static_cast<char>('0' + variant), '\0'};
    for (unsigned i = 0; i < sizeof pieces; ++i) {
        text[i] = pieces[i];
    }
    return text;
}

// A value that no other slot, position or variant uses. Pointers other than texts and
// CreateCharArray's dimensions are made-up addresses that the stand-ins never follow.
template <class T> T Argument(int slot, int position, int variant)
{
    const uint64_t tag = (static_cast<uint64_t>(slot) << 8) | (static_cast<uint64_t>(position) << 4) |
                         static_cast<uint64_t>(variant);
    if constexpr (kSame<T, const char*>) {
        return Text(slot, position, variant);
    } else if constexpr (kSame<T, const int*>) {
        return kCharArrayDimensions;
    } else if constexpr (kPointer<T>) {
        return reinterpret_cast<T>(static_cast<uintptr_t>(0x7A0000000000ull | (tag << 4)));
    } else if constexpr (kSame<T, bool>) {
        return variant == 0;
    } else if constexpr (kSame<T, double>) {
        return variant == 0 ? slot + position * 0.25 + 0.125 : __builtin_nan("");
    } else if constexpr (kSame<T, int>) {
        if (slot == kCreateCharArraySlot && position == 0) {
            return 2 + variant;  // the count of dimensions
        }
        // Negative in variant 0, so that a widening shows whether it extends the sign.
        return variant == 0 ? -(slot * 16 + position + 2) : 0x12340000 + slot * 16 + position;
    } else {
        static_assert(kSame<T, size_t>, "no distinctive value for this type");
        // Above 32 bits, so that a narrowing would show.
        return (static_cast<uint64_t>(slot + 1) << 36) | (static_cast<uint64_t>(position + 1) << 32) |
               (variant == 0 ? 0x5u : 0x89ABCDEFu);
    }
}

// What the stand-in returns, as log bits.
template <class T> uint64_t ResultBits(int slot, int variant)
{
    if constexpr (kPointer<T>) {
        return 0x6E0000000000ull | (static_cast<uint64_t>(slot) << 8) | static_cast<uint64_t>(variant);
    } else if constexpr (kSame<T, bool>) {
        return variant == 0 ? 1 : 0;
    } else if constexpr (kSame<T, double>) {
        return Bits(variant == 0 ? slot * 1.5 + 0.25 : -(slot + 0.5));
    } else if constexpr (kSame<T, int>) {
        return Bits(variant == 0 ? -(slot + 100) : slot + 7);
    } else {
        return (1ull << 40) + static_cast<uint64_t>(slot) * 3 + static_cast<uint64_t>(variant);
    }
}

template <class... T> struct TypeList {};
template <class MR, class... MP> TypeList<MR, MP...> MatlabSignature(MR (*)(MP...));
template <class MR, class... MP> TypeList<MR, MP...> MatlabSignature(MR (*)(MP..., ...));

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
    if constexpr (kSame<A, const int*>) {
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
    if constexpr (!kSame<MR, void>) {
        resultBits = ResultBits<MR>(slot, variant);
        qvCallLogSetResult(function, resultBits);
    }
    if constexpr (kSame<R, void>) {
        (api->*member)(Argument<A>(slot, static_cast<int>(I), variant)...);
    } else {
        const R result = (api->*member)(Argument<A>(slot, static_cast<int>(I), variant)...);
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
    } else if (!(Arrived<MP>(call, I, Argument<A>(slot, static_cast<int>(I), variant)) && ...)) {
        Fault(slot, operation, variant, "an argument arrived changed");
    }
}

template <class R, class... A, class Matlab>
void DriveSlot(IQvMatlabAPI_Interface* api, int slot, const char* operation, const char* function,
               R (IQvMatlabAPI_Interface::*member)(A...), Matlab matlab)
{
    for (int variant = 0; variant < 2; ++variant) {
        Drive(api, slot, operation, function, variant, member, matlab, __make_integer_seq<Sequence, unsigned, sizeof...(A)>{});
    }
}

}  // namespace

extern "C" void start()
{
    const bool legacyMex = TextEndsWith(GetCommandLineA(), " legacy-mex");
    IQvMatlabAPI_Interface* const api = GetMatlabAPI();
    unsigned slots = 0;

#define QV_DRIVE_SLOT(slot, Operation, Result, Parameters, library, MatlabResult, function, MatlabParameters, \
                      Arguments)                                                                            \
    if (!(legacyMex && slot == kMexCallMatlabWithTrapSlot)) {                                                \
        DriveSlot(api, slot, #Operation, legacyMex && slot == kMexCallMatlabSlot ? "mexCallMATLAB" : #function, \
                  &IQvMatlabAPI_Interface::Operation, decltype(MatlabSignature(&function)){});                \
        ++slots;                                                                                             \
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
