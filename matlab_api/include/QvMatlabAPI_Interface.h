#ifndef QV_MATLAB_API_INTERFACE_H
#define QV_MATLAB_API_INTERFACE_H
/*
 * IQvMatlabAPI_Interface: one object interface to MATLAB's external interface libraries
 * (libmx, libmat, libeng, libmex), the same for every QvMatlabAPI_<release>_Lib.
 *
 * Load the library built for the MATLAB release in use, get an object with GetMatlabAPI,
 * make every MATLAB call through it, and hand it back with TerminateMatlabAPI exactly once.
 * Never delete the object yourself: the interface has no destructor, on purpose, so that its
 * slot layout is the same for every compiler.
 *
 * Widths as the interface sees them (64-bit Windows): size_t is MATLAB's 64-bit mwSize and
 * mwIndex, int is 32-bit, bool is one byte, a "flag" result is an int holding 0 or 1.
 * Everything MATLAB returns belongs to the caller, under MATLAB's rules.
 */
#include <stddef.h>

/* MATLAB's opaque types, declared the way MATLAB's own headers declare them. */
typedef struct mxArray_tag mxArray;
typedef struct engine Engine;
typedef struct MatFile_tag MATFile;

#ifdef __cplusplus

// Slot order is the calling contract: never reorder, insert or overload.
struct IQvMatlabAPI_Interface {
    // Engine (libeng)
    virtual int EngClose(Engine* engine) = 0;                                                     // 0
    virtual int EngEvalString(Engine* engine, const char* command) = 0;                           // 1
    virtual mxArray* EngGetVariable(Engine* engine, const char* name) = 0;                        // 2
    virtual Engine* EngOpen(const char* startCommand) = 0;                                        // 3
    virtual Engine* EngOpenSingleUse(const char* startCommand, void* reserved, int* status) = 0;  // 4
    virtual int EngSetVisible(Engine* engine, bool visible) = 0;                                  // 5
    virtual int EngOutputBuffer(Engine* engine, char* buffer, int bufferLength) = 0;              // 6
    virtual int EngPutVariable(Engine* engine, const char* name, const mxArray* value) = 0;       // 7

    // MAT-files (libmat)
    virtual MATFile* MatOpen(const char* fileName, const char* mode) = 0;                   // 8
    virtual int MatClose(MATFile* file) = 0;                                                // 9
    virtual int MatPutVariable(MATFile* file, const char* name, const mxArray* value) = 0;  // 10
    virtual mxArray* MatGetVariable(MATFile* file, const char* name) = 0;                   // 11

    // Arrays (libmx)
    virtual mxArray* CreateDoubleMatrix(size_t rows, size_t columns, int complexity) = 0;  // 12
    virtual mxArray* CreateDoubleScalar(double value) = 0;                                 // 13
    virtual mxArray* CreateString(const char* text) = 0;                                   // 14
    virtual mxArray* CreateStructMatrix(size_t rows, size_t columns, int fieldCount,
                                        const char** fieldNames) = 0;                                  // 15
    virtual void DestroyArray(mxArray* array) = 0;                                                     // 16
    virtual mxArray* GetCell(const mxArray* cellArray, int index) = 0;                                 // 17
    virtual mxArray* GetField(const mxArray* structArray, size_t index, const char* field) = 0;        // 18
    virtual size_t GetM(const mxArray* array) = 0;                                                     // 19
    virtual size_t GetN(const mxArray* array) = 0;                                                     // 20
    virtual size_t GetNumberOfElements(const mxArray* array) = 0;                                      // 21
    virtual double* GetPi(const mxArray* array) = 0;                                                   // 22
    virtual double* GetPr(const mxArray* array) = 0;                                                   // 23
    virtual int GetString(const mxArray* array, char* buffer, size_t bufferLength) = 0;                // 24
    virtual void SetField(mxArray* structArray, size_t index, const char* field, mxArray* value) = 0;  // 25
    virtual void SetFieldByNumber(mxArray* structArray, size_t index, int field, mxArray* value) = 0;  // 26
    virtual const char* GetFieldNameByNumber(const mxArray* structArray, int field) = 0;               // 27
    virtual mxArray* GetFieldByNumber(const mxArray* structArray, size_t index, int field) = 0;        // 28
    virtual mxArray* CreateCharArray(int dimensionCount, const int* dimensions) = 0;                   // 29
    virtual void* GetData(const mxArray* array) = 0;                                                   // 30
    virtual int IsDouble(const mxArray* array) = 0;                                                    // 31
    virtual int IsCell(const mxArray* array) = 0;                                                      // 32
    virtual int IsNumeric(const mxArray* array) = 0;                                                   // 33
    virtual int IsComplex(const mxArray* array) = 0;                                                   // 34
    virtual int IsFinite(double value) = 0;                                                            // 35
    virtual int IsNaN(double value) = 0;                                                               // 36
    virtual int IsChar(const mxArray* array) = 0;                                                      // 37
    virtual int IsStruct(const mxArray* array) = 0;                                                    // 38
    virtual int GetNumberOfFields(const mxArray* structArray) = 0;                                     // 39
    virtual double GetScalar(const mxArray* array) = 0;                                                // 40
    virtual mxArray* DuplicateArray(const mxArray* array) = 0;                                         // 41
    virtual mxArray* CreateCellMatrix(size_t rows, size_t columns) = 0;                                // 42
    virtual void SetCell(mxArray* cellArray, size_t index, mxArray* value) = 0;                        // 43
    virtual mxArray* CreateCharMatrixFromStrings(size_t rowCount, const char** rows) = 0;              // 44
    virtual mxArray* CreateCellArray(size_t dimensionCount, const size_t* dimensions) = 0;             // 45
    virtual char* ArrayToString(const mxArray* array) = 0;                                             // 46
    virtual mxArray* CreateStructArray(size_t dimensionCount, const size_t* dimensions, int fieldCount,
                                       const char** fieldNames) = 0;    // 47
    virtual int AddField(mxArray* structArray, const char* field) = 0;  // 48
    virtual size_t CalcSingleSubscript(const mxArray* array, size_t subscriptCount,
                                       const size_t* subscripts) = 0;  // 49

    // MEX (libmex)
    virtual int MexAtExit(void (*exitFunction)(void)) = 0;  // 50
    virtual void MexErrMsgTxt(const char* message) = 0;     // 51
    virtual void MexWarnMsgTxt(const char* message) = 0;    // 52
    virtual int MexPrintf(const char* text) = 0;            // 53
    virtual int MexCallMATLAB(int outputCount, mxArray** outputs, int inputCount, mxArray** inputs,
                              const char* functionName) = 0;  // 54
    virtual mxArray* MexCallMATLABWithTrap(int outputCount, mxArray** outputs, int inputCount, mxArray** inputs,
                                           const char* functionName) = 0;                           // 55
    virtual int MexEvalString(const char* command) = 0;                                             // 56
    virtual int MexPutVariable(const char* workspace, const char* name, const mxArray* value) = 0;  // 57
    virtual const char* MexFunctionName() = 0;                                                      // 58
    virtual void MexLock() = 0;                                                                     // 59
};

#else

typedef struct IQvMatlabAPI_Interface IQvMatlabAPI_Interface;

#endif

/* The two exports of every adapter library (ordinals 1 and 2, plain names). */
#if defined(_WIN32) && !defined(QV_MATLAB_API_BUILDING)
#define QV_MATLAB_API_IMPORT __declspec(dllimport)
#else
#define QV_MATLAB_API_IMPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A new, independent object; never null (allocation failure throws std::bad_alloc, see
   "Failures" below). */
QV_MATLAB_API_IMPORT IQvMatlabAPI_Interface* GetMatlabAPI(void);

/* Frees an object of the same library, and the profiler.dll reference it holds. Closes no
   MATLAB engine, file or array. A null pointer is ignored. */
QV_MATLAB_API_IMPORT void TerminateMatlabAPI(IQvMatlabAPI_Interface* api);

/* Types for resolving the exports with GetProcAddress. */
typedef IQvMatlabAPI_Interface* (*QvGetMatlabAPIFunction)(void);
typedef void (*QvTerminateMatlabAPIFunction)(IQvMatlabAPI_Interface* api);

/*
 * Failures. Only GetMatlabAPI and CreateCharArray (slot 29) fail, and only for want of memory;
 * CreateCharArray with a negative count always fails so. The failure is a C++ exception of the
 * library's own GCC runtime: std::bad_alloc from GetMatlabAPI; from CreateCharArray
 * std::bad_array_new_length for a negative count (std::bad_alloc in the 7.6 library) and
 * std::bad_alloc otherwise. The failed call has made nothing and has not called MATLAB.
 *
 * A host built with GCC (MinGW g++) catches these as std::bad_alloc.
 *
 * A host built with another compiler, or in C, cannot catch them as C++ exceptions: they
 * travel as the structured exception QV_MATLAB_API_GCC_THROW (0x20474343, GCC's throw),
 * never as the Microsoft compiler's C++ exception (0xE06D7363), so neither
 * catch (std::bad_alloc&) nor catch (...) sees them (except catch (...) under /EHa).
 * - Such a host may take the exception with __try/__except, its filter choosing exactly that
 *   code. The call then has had no effect and the object stays usable; the runtime's record
 *   of the exception (a small block) is not freed. Do not read the exception's parameters.
 * - Unhandled, it ends the process. In a program built with MinGW, whose start-up resumes GCC
 *   exceptions nobody handled, the library's runtime writes "terminate called after throwing
 *   an instance of '<type>'" to stderr and calls abort() (exit status 3); in any other
 *   program, Windows' last-chance handling ends it with the code 0x20474343.
 * A host that cannot handle structured exceptions (C built with GCC) must keep CreateCharArray's
 * count at 0 or above; it cannot survive running out of memory in these two calls.
 */
#define QV_MATLAB_API_GCC_THROW 0x20474343ul

#ifdef __cplusplus
}
#endif

#endif /* QV_MATLAB_API_INTERFACE_H */
