/* A C host built for the Microsoft ABI (clang --target=x86_64-pc-windows-msvc, lld-link, no C
   runtime): it reaches the adapter through the C table, api->lpVtbl->Operation(api, ...), with
   one call of each shape the ABI treats apart (a double in and out, a one-byte bool, a 64-bit
   size result, arguments beyond the four registers), and reads in the stand-ins' call log what
   MATLAB received. Bound at load time through QvMatlabAPI_<release>_Lib.lib.
   Prints one line per fault and a summary; exit status 0 when every call arrived right. */
#include "QvMatlabAPI_Interface_C.h"
#include "call_log.h"
#include "output.h"

/* The compiler asks for this name when doubles are used without a C runtime. */
int _fltused = 0; /* NOLINT(bugprone-reserved-identifier) */

/* The compiler fills local arrays with memset when it likes (clang -O0 does); no runtime has it. */
void* memset(void* destination, int value, size_t size)
{
    unsigned char* byte = (unsigned char*)destination;
    while (size-- > 0) {
        *byte++ = (unsigned char)value;
    }
    return destination;
}

static unsigned faults = 0;

static uint64_t DoubleBits(double value)
{
    union {
        double value;
        uint64_t bits;
    } both;
    both.value = value;
    return both.bits;
}

static int SameText(const char* a, const char* b)
{
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

static void Fault(const char* operation, const char* what)
{
    ++faults;
    QvPrint(operation);
    QvPrint(": ");
    QvPrint(what);
    QvPrint("\n");
}

/* The one MATLAB call the last operation made: its function and its first count arguments. */
static void ExpectCall(const char* operation, const char* function, int count, const uint64_t* arguments)
{
    QvRecordedCall call;
    int i;
    if (qvCallLogCount() != 1 || qvCallLogGet(0, &call) == 0) {
        Fault(operation, "not exactly one MATLAB call");
        return;
    }
    if (!SameText(call.function, function) || call.argumentCount != count) {
        Fault(operation, "another MATLAB function, or another number of arguments");
        return;
    }
    for (i = 0; i < count; ++i) {
        if (call.arguments[i] != arguments[i]) {
            Fault(operation, "an argument arrived changed");
        }
    }
}

static void Calls(IQvMatlabAPI_Interface* api)
{
    const IQvMatlabAPI_InterfaceVtbl* const table = api->lpVtbl;
    Engine* const engine = (Engine*)(uintptr_t)0x7A0000000510ull;
    const mxArray* const array = (const mxArray*)(uintptr_t)0x7A0000000520ull;
    const size_t dimensions[2] = {3, 4};
    const char* fieldNames[1] = {"f"};
    mxArray** const outputs = (mxArray**)(uintptr_t)0x7A0000000530ull;
    mxArray** const inputs = (mxArray**)(uintptr_t)0x7A0000000540ull;
    const char* const name = "disp";

    qvCallLogReset();
    qvCallLogSetResult("mxCreateDoubleScalar", 0x6E0000000D00ull);
    if (table->CreateDoubleScalar(api, -2.75) != (mxArray*)(uintptr_t)0x6E0000000D00ull) {
        Fault("CreateDoubleScalar", "the result did not come back");
    }
    {
        const uint64_t expected[1] = {DoubleBits(-2.75)};
        ExpectCall("CreateDoubleScalar", "mxCreateDoubleScalar", 1, expected);
    }

    qvCallLogReset();
    qvCallLogSetResult("engSetVisible", (uint64_t)-105);
    if (table->EngSetVisible(api, engine, false) != -105) {
        Fault("EngSetVisible", "the result did not come back");
    }
    {
        const uint64_t expected[2] = {(uintptr_t)engine, 0};
        ExpectCall("EngSetVisible", "engSetVisible", 2, expected);
    }

    qvCallLogReset();
    qvCallLogSetResult("mxGetScalar", DoubleBits(1e-300));
    if (DoubleBits(table->GetScalar(api, array)) != DoubleBits(1e-300)) {
        Fault("GetScalar", "the result did not come back");
    }

    qvCallLogReset();
    qvCallLogSetResult("mxGetM", 0x123456789Aull);
    if (table->GetM(api, array) != 0x123456789Aull) {
        Fault("GetM", "the result did not come back");
    }

    qvCallLogReset();
    table->CreateStructArray(api, 2, dimensions, -3, fieldNames);
    {
        const uint64_t expected[4] = {2, (uintptr_t)dimensions, (uint64_t)-3, (uintptr_t)fieldNames};
        ExpectCall("CreateStructArray", "mxCreateStructArray_730", 4, expected);
    }

    qvCallLogReset();
    qvCallLogSetResult("mexCallMATLABWithObject", 42);
    if (table->MexCallMATLAB(api, 1, outputs, -2, inputs, name) != 42) {
        Fault("MexCallMATLAB", "the result did not come back");
    }
    {
        const uint64_t expected[5] = {1, (uintptr_t)outputs, (uint64_t)-2, (uintptr_t)inputs, (uintptr_t)name};
        ExpectCall("MexCallMATLAB", "mexCallMATLABWithObject", 5, expected);
    }
}

void start(void)
{
    IQvMatlabAPI_Interface* const api = GetMatlabAPI();
    Calls(api);
    TerminateMatlabAPI(api);
    QvPrint("C table, 6 calls: ");
    QvPrintNumber(faults);
    QvPrint(" faults\n");
    ExitProcess(faults == 0 ? 0 : 1);
}
