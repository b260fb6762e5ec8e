// The adapter of every MATLAB release: IQvMatlabAPI_Interface over MATLAB's libmx, libmat,
// libeng and libmex. Each release's build sets, in its QvMatlabAPI_Release.h:
//   QV_ADAPTER_CLASS          the adapter class (CQvMatlabAPI_9_4_Lib, ...)
//   QV_ADAPTER_TRAP_FLAG_MEX  1: slots 54 and 55 use mexCallMATLAB and mexSetTrapFlag (7.6)
//   QV_ADAPTER_PLAIN_BAD_ALLOC 1: an array too large to count fails with std::bad_alloc, as the
//                             7.6 runtime does, instead of std::bad_array_new_length
// Every operation forwards to one MATLAB function with the caller's arguments and returns its
// result unchanged; the adapter checks nothing and owns nothing MATLAB hands out.
#define QV_MATLAB_API_BUILDING
#if defined(_WIN32)
#define QV_MATLAB_FUNCTION_LINKAGE __declspec(dllimport)
#endif
#include "QvMatlabAPI_Interface.h"
#include "QvMatlabAPI_MatlabFunctions.h"
#include "QvMatlabAPI_Release.h"
#include "module_loading.h"

#include <cstdint>
#include <memory>
#include <new>

namespace {

// MATLAB's 64-bit size from the interface's 32-bit int: sign extension, so -1 is all ones.
size_t SignExtend(int value)
{
    return static_cast<size_t>(static_cast<int64_t>(value));
}

// CreateCharArray widens up to this many dimensions without touching the heap.
constexpr size_t kDimensionsInPlace = 32;

std::unique_ptr<size_t[]> AllocateSizes(size_t count)
{
#if QV_ADAPTER_PLAIN_BAD_ALLOC
    // That runtime asks for the wrapped-around, all-ones byte count, which always fails.
    if (count > SIZE_MAX / sizeof(size_t)) {
        throw std::bad_alloc();
    }
#endif
    return std::unique_ptr<size_t[]>(new size_t[count]);
}

void WidenDimensions(size_t count, const int* dimensions, size_t* wide)
{
    for (size_t i = 0; i < count; ++i) {
        wide[i] = SignExtend(dimensions[i]);
    }
}

// Kept out of line: the common path then has no heap and no clean-up to set up.
[[gnu::noinline]] mxArray* CreateCharArrayFromHeap(size_t count, const int* dimensions)
{
    const std::unique_ptr<size_t[]> wide = AllocateSizes(count);
    WidenDimensions(count, dimensions, wide.get());
    return mxCreateCharArray_730(count, wide.get());
}

}  // namespace

// Not final, and not in an unnamed namespace: slot 55 of 7.6 calls slot 14 through the
// table, which a compiler may bypass for a class it knows has no derived classes.
class QV_ADAPTER_CLASS : public IQvMatlabAPI_Interface {
public:
    // Engine
    int EngClose(Engine* engine) override { return engClose(engine); }
    int EngEvalString(Engine* engine, const char* command) override { return engEvalString(engine, command); }
    mxArray* EngGetVariable(Engine* engine, const char* name) override { return engGetVariable(engine, name); }
    Engine* EngOpen(const char* startCommand) override
    {
        Engine* const engine = engOpen(startCommand);
        LoadProfilerAfterEngineStart();
        return engine;
    }
    Engine* EngOpenSingleUse(const char* startCommand, void* reserved, int* status) override
    {
        Engine* const engine = engOpenSingleUse(startCommand, reserved, status);
        LoadProfilerAfterEngineStart();
        return engine;
    }
    int EngSetVisible(Engine* engine, bool visible) override { return engSetVisible(engine, visible); }
    int EngOutputBuffer(Engine* engine, char* buffer, int bufferLength) override
    {
        return engOutputBuffer(engine, buffer, bufferLength);
    }
    int EngPutVariable(Engine* engine, const char* name, const mxArray* value) override
    {
        return engPutVariable(engine, name, value);
    }

    // MAT-files
    MATFile* MatOpen(const char* fileName, const char* mode) override { return matOpen(fileName, mode); }
    int MatClose(MATFile* file) override { return matClose(file); }
    int MatPutVariable(MATFile* file, const char* name, const mxArray* value) override
    {
        return matPutVariable(file, name, value);
    }
    mxArray* MatGetVariable(MATFile* file, const char* name) override { return matGetVariable(file, name); }

    // Arrays
    mxArray* CreateDoubleMatrix(size_t rows, size_t columns, int complexity) override
    {
        return mxCreateDoubleMatrix_730(rows, columns, static_cast<mxComplexity>(complexity));
    }
    mxArray* CreateDoubleScalar(double value) override { return mxCreateDoubleScalar(value); }
    mxArray* CreateString(const char* text) override { return mxCreateString(text); }
    mxArray* CreateStructMatrix(size_t rows, size_t columns, int fieldCount, const char** fieldNames) override
    {
        return mxCreateStructMatrix_730(rows, columns, fieldCount, fieldNames);
    }
    void DestroyArray(mxArray* array) override { mxDestroyArray(array); }
    mxArray* GetCell(const mxArray* cellArray, int index) override
    {
        return mxGetCell_730(cellArray, SignExtend(index));
    }
    mxArray* GetField(const mxArray* structArray, size_t index, const char* field) override
    {
        return mxGetField_730(structArray, index, field);
    }
    size_t GetM(const mxArray* array) override { return mxGetM(array); }
    size_t GetN(const mxArray* array) override { return mxGetN(array); }
    size_t GetNumberOfElements(const mxArray* array) override { return mxGetNumberOfElements(array); }
    double* GetPi(const mxArray* array) override { return mxGetPi(array); }
    double* GetPr(const mxArray* array) override { return mxGetPr(array); }
    int GetString(const mxArray* array, char* buffer, size_t bufferLength) override
    {
        return mxGetString_730(array, buffer, bufferLength);
    }
    void SetField(mxArray* structArray, size_t index, const char* field, mxArray* value) override
    {
        mxSetField_730(structArray, index, field, value);
    }
    void SetFieldByNumber(mxArray* structArray, size_t index, int field, mxArray* value) override
    {
        mxSetFieldByNumber_730(structArray, index, field, value);
    }
    const char* GetFieldNameByNumber(const mxArray* structArray, int field) override
    {
        return mxGetFieldNameByNumber(structArray, field);
    }
    mxArray* GetFieldByNumber(const mxArray* structArray, size_t index, int field) override
    {
        return mxGetFieldByNumber_730(structArray, index, field);
    }
    mxArray* CreateCharArray(int dimensionCount, const int* dimensions) override
    {
        // The usual few dimensions are widened on the stack, more on the heap. A negative
        // count is beyond any buffer: its allocation throws, before MATLAB is called.
        // Nothing with a destructor may be alive in these frames when the allocation throws:
        // a host of another compiler takes GCC's exception with __except and unwinds them
        // itself, and GCC's unwinder cannot resume after a clean-up for a handler not its own
        // (the host then hangs or dies). Same in GetMatlabAPI.
        const size_t count = SignExtend(dimensionCount);
        if (count > kDimensionsInPlace) {
            return CreateCharArrayFromHeap(count, dimensions);
        }
        size_t wide[kDimensionsInPlace];
        wide[0] = 0;  // count 0 reads nothing; this keeps GCC from thinking it may
        WidenDimensions(count, dimensions, wide);
        return mxCreateCharArray_730(count, wide);
    }
    void* GetData(const mxArray* array) override { return mxGetData(array); }
    // MATLAB's predicates answer a one-byte bool; the interface's flag is exactly 0 or 1.
    int IsDouble(const mxArray* array) override { return mxIsDouble(array) ? 1 : 0; }
    int IsCell(const mxArray* array) override { return mxIsCell(array) ? 1 : 0; }
    int IsNumeric(const mxArray* array) override { return mxIsNumeric(array) ? 1 : 0; }
    int IsComplex(const mxArray* array) override { return mxIsComplex(array) ? 1 : 0; }
    int IsFinite(double value) override { return mxIsFinite(value) ? 1 : 0; }
    int IsNaN(double value) override { return mxIsNaN(value) ? 1 : 0; }
    int IsChar(const mxArray* array) override { return mxIsChar(array) ? 1 : 0; }
    int IsStruct(const mxArray* array) override { return mxIsStruct(array) ? 1 : 0; }
    int GetNumberOfFields(const mxArray* structArray) override { return mxGetNumberOfFields(structArray); }
    double GetScalar(const mxArray* array) override { return mxGetScalar(array); }
    mxArray* DuplicateArray(const mxArray* array) override { return mxDuplicateArray(array); }
    mxArray* CreateCellMatrix(size_t rows, size_t columns) override { return mxCreateCellMatrix_730(rows, columns); }
    void SetCell(mxArray* cellArray, size_t index, mxArray* value) override { mxSetCell_730(cellArray, index, value); }
    mxArray* CreateCharMatrixFromStrings(size_t rowCount, const char** rows) override
    {
        return mxCreateCharMatrixFromStrings_730(rowCount, rows);
    }
    mxArray* CreateCellArray(size_t dimensionCount, const size_t* dimensions) override
    {
        return mxCreateCellArray_730(dimensionCount, dimensions);
    }
    char* ArrayToString(const mxArray* array) override { return mxArrayToString(array); }
    mxArray* CreateStructArray(size_t dimensionCount, const size_t* dimensions, int fieldCount,
                               const char** fieldNames) override
    {
        return mxCreateStructArray_730(dimensionCount, dimensions, fieldCount, fieldNames);
    }
    int AddField(mxArray* structArray, const char* field) override { return mxAddField(structArray, field); }
    size_t CalcSingleSubscript(const mxArray* array, size_t subscriptCount, const size_t* subscripts) override
    {
        return mxCalcSingleSubscript_730(array, subscriptCount, subscripts);
    }

    // MEX
    int MexAtExit(void (*exitFunction)(void)) override { return mexAtExit(exitFunction); }
    // MATLAB may not return from here (it ends the MEX call): nothing of ours is pending.
    void MexErrMsgTxt(const char* message) override { mexErrMsgTxt(message); }
    void MexWarnMsgTxt(const char* message) override { mexWarnMsgTxt(message); }
    // The caller's text is the format: callers write a literal percent sign as "%%".
    int MexPrintf(const char* text) override { return mexPrintf(text); }
#if QV_ADAPTER_TRAP_FLAG_MEX
    int MexCallMATLAB(int outputCount, mxArray** outputs, int inputCount, mxArray** inputs,
                      const char* functionName) override
    {
        return mexCallMATLAB(outputCount, outputs, inputCount, inputs, functionName);
    }
    // Trap MATLAB's error for this one call. The flag ends off whatever it was before.
    mxArray* MexCallMATLABWithTrap(int outputCount, mxArray** outputs, int inputCount, mxArray** inputs,
                                   const char* functionName) override
    {
        mexSetTrapFlag(1);
        const int status = mexCallMATLAB(outputCount, outputs, inputCount, inputs, functionName);
        mexSetTrapFlag(0);
        if (status == 0) {
            return nullptr;
        }
        IQvMatlabAPI_Interface& api = *this;  // slot 14, through the table
        return api.CreateString("ERROR_mexCallMATLAB");
    }
#else
    int MexCallMATLAB(int outputCount, mxArray** outputs, int inputCount, mxArray** inputs,
                      const char* functionName) override
    {
        return mexCallMATLABWithObject(outputCount, outputs, inputCount, inputs, functionName);
    }
    mxArray* MexCallMATLABWithTrap(int outputCount, mxArray** outputs, int inputCount, mxArray** inputs,
                                   const char* functionName) override
    {
        return mexCallMATLABWithTrapWithObject(outputCount, outputs, inputCount, inputs, functionName);
    }
#endif
    int MexEvalString(const char* command) override
    {
        return mexEvalString(command);
    }
    int MexPutVariable(const char* workspace, const char* name, const mxArray* value) override
    {
        return mexPutVariable(workspace, name, value);
    }
    const char* MexFunctionName() override
    {
        return mexFunctionName();
    }
    void MexLock() override
    {
        mexLock();
    }

    // The object's one resource; called by TerminateMatlabAPI only.
    void ReleaseProfilerModule()
    {
        if (m_hProfilerModule != nullptr) {
            FreeLibrary(m_hProfilerModule);
            m_hProfilerModule = nullptr;
        }
    }

private:
    // Loaded once per object after an engine start (null engine or not); a failed load is
    // silent and retried at the next start.
    void LoadProfilerAfterEngineStart()
    {
        if (m_hProfilerModule == nullptr) {
            m_hProfilerModule = LoadLibraryA("profiler.dll");
        }
    }

    HMODULE m_hProfilerModule = nullptr;
};

static_assert(sizeof(QV_ADAPTER_CLASS) == 2 * sizeof(void*), "the table pointer and the profiler module, nothing else");

extern "C" IQvMatlabAPI_Interface* GetMatlabAPI(void)
{
    return new QV_ADAPTER_CLASS();
}

extern "C" void TerminateMatlabAPI(IQvMatlabAPI_Interface* api)
{
    if (api == nullptr) {
        return;  // a host's clean-up path may hand back what it never got
    }
    QV_ADAPTER_CLASS* const adapter = static_cast<QV_ADAPTER_CLASS*>(api);
    adapter->ReleaseProfilerModule();
    // The exact type is known: the class needs no virtual destructor (the interface has none).
    adapter->~QV_ADAPTER_CLASS();
    ::operator delete(adapter);
}

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
#endif
