// Stand-in for "profiler.dll", which the adapters load after an engine start and free when
// their object is terminated. It does nothing: tests only watch it being loaded and freed.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
