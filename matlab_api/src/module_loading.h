#pragma once
// LoadLibraryA and FreeLibrary for the profiler.dll hook: kernel32's on Windows. On the Linux
// test host the same source links against stand-ins that record each call
// (testbed/matlab_libs/host_kernel_standin.cpp).
#ifdef _WIN32
#include <windows.h>
#else
typedef struct QvHostModule* HMODULE;  // opaque, as on Windows
extern "C" HMODULE LoadLibraryA(const char* fileName);
extern "C" int FreeLibrary(HMODULE module);
#endif
