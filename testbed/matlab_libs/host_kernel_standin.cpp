// The Linux test host's LoadLibraryA and FreeLibrary, which the adapter source calls for
// profiler.dll: they record each call and return what the test chose (a null module by
// default, as when the library is missing).
#include "call_bits.h"
#include "module_loading.h"

extern "C" QV_CALL_LOG_API HMODULE LoadLibraryA(const char* fileName)
{
    return qv::standin::Recorder<HMODULE, &LoadLibraryA>{"LoadLibraryA"}(fileName);
}

extern "C" QV_CALL_LOG_API int FreeLibrary(HMODULE module)
{
    return qv::standin::Recorder<int, &FreeLibrary>{"FreeLibrary"}(module);
}
