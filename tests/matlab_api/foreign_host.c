/* A host that is not built with the GCC C++ runtime: plain C through the raw table, the way a
   host of another compiler calls an adapter. Built twice from this file:
     foreign_c_host    MinGW's gcc as C; C there has no structured exception handling
     foreign_seh_host  clang with -fms-extensions and QV_HOST_SEH: __try/__except, as a host
                       built with the Microsoft compiler writes it
   Usage: foreign_host <adapter dll> unguarded|guarded
   Prints each step, and every exception that reaches the process as its first chance. */
#include "QvMatlabAPI_Interface_C.h"
#include "call_log.h"

#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#define QV_GOOD_ARRAY 0xC4A2u

static LONG CALLBACK SeeException(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD* const record = pointers->ExceptionRecord;
    printf("exception 0x%08lX flags %lu\n", (unsigned long)record->ExceptionCode,
           (unsigned long)record->ExceptionFlags);
    return EXCEPTION_CONTINUE_SEARCH;
}

static int CreateGoodArray(IQvMatlabAPI_Interface* api)
{
    const int dimensions[2] = {1, 5};
    qvCallLogReset();
    qvCallLogSetResult("mxCreateCharArray_730", QV_GOOD_ARRAY);
    return api->lpVtbl->CreateCharArray(api, 2, dimensions) == (mxArray*)(uintptr_t)QV_GOOD_ARRAY &&
           qvCallLogCount() == 1;
}

static int Unguarded(IQvMatlabAPI_Interface* api)
{
    const int dimensions[1] = {1};
    printf("CreateCharArray(-1)\n");
    api->lpVtbl->CreateCharArray(api, -1, dimensions);
    printf("returned\n");
    return 0;
}

#if QV_HOST_SEH
static DWORD GccThrowFilter(DWORD code)
{
    return code == QV_MATLAB_API_GCC_THROW ? EXCEPTION_EXECUTE_HANDLER : EXCEPTION_CONTINUE_SEARCH;
}

/* 1 when the call returned, 0 when the GCC throw was taken here. */
static int GuardedNegativeCount(IQvMatlabAPI_Interface* api)
{
    const int dimensions[1] = {1};
    __try {
        api->lpVtbl->CreateCharArray(api, -1, dimensions);
        return 1;
    } __except (GccThrowFilter(GetExceptionCode())) {
        return 0;
    }
}

static int Guarded(IQvMatlabAPI_Interface* api)
{
    enum { kTries = 3 };
    int caught = 0;
    int i;
    qvCallLogReset();
    for (i = 0; i < kTries; ++i) {
        caught += GuardedNegativeCount(api) ? 0 : 1;
    }
    printf("caught %d of %d, MATLAB calls %d\n", caught, kTries, qvCallLogCount());
    printf(CreateGoodArray(api) ? "usable\n" : "NOT usable\n");
    return caught == kTries ? 0 : 1;
}
#else
static int Guarded(IQvMatlabAPI_Interface* api)
{
    (void)api;
    printf("this build has no __try\n");
    return 2;
}
#endif

int main(int argc, char** argv)
{
    HMODULE library;
    QvGetMatlabAPIFunction getMatlabAPI;
    QvTerminateMatlabAPIFunction terminateMatlabAPI;
    IQvMatlabAPI_Interface* api;
    int result;

    setvbuf(stdout, NULL, _IONBF, 0);
    if (argc != 3) {
        fprintf(stderr, "usage: foreign_host <adapter dll> unguarded|guarded\n");
        return 2;
    }
    library = LoadLibraryA(argv[1]);
    if (library == NULL) {
        printf("cannot load %s, error %lu\n", argv[1], (unsigned long)GetLastError());
        return 2;
    }
    /* Through the generic function pointer type, as the C++ tests do. */
    getMatlabAPI = (QvGetMatlabAPIFunction)(void (*)(void))GetProcAddress(library, "GetMatlabAPI");
    terminateMatlabAPI = (QvTerminateMatlabAPIFunction)(void (*)(void))GetProcAddress(library, "TerminateMatlabAPI");
    if (getMatlabAPI == NULL || terminateMatlabAPI == NULL) {
        printf("exports missing\n");
        FreeLibrary(library);
        return 2;
    }
    AddVectoredExceptionHandler(1, SeeException);

    api = getMatlabAPI();
    printf(CreateGoodArray(api) ? "object\n" : "object NOT usable\n");
    result = strcmp(argv[2], "guarded") == 0 ? Guarded(api) : Unguarded(api);
    terminateMatlabAPI(api);
    printf("terminated\n");
    FreeLibrary(library);
    return result;
}
