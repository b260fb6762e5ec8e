// example_host: loads the adapter of one MATLAB release and makes a few calls through it.
//   example_host.exe 9.4      (or 9.3, 7.6)
// Prints what each call returned. Exit code 0 when the library loaded and the object was
// made and handed back, 1 otherwise.
#include <QvMatlabAPI_Interface.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// The loaded adapter library, unloaded when it goes out of scope.
struct ModuleDeleter {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

// "9.4" -> "QvMatlabAPI_9_4_Lib.dll"
std::wstring AdapterFileName(std::wstring release)
{
    for (wchar_t& c : release) {
        if (c == L'.') {
            c = L'_';
        }
    }
    return L"QvMatlabAPI_" + release + L"_Lib.dll";
}

template <class Function> Function Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// A few calls of the kind a host makes: build a matrix, read it back, free it.
void UseMatlab(IQvMatlabAPI_Interface& api)
{
    mxArray* matrix = api.CreateDoubleMatrix(2, 3, 0);
    std::printf("CreateDoubleMatrix(2, 3, real) -> %s\n", matrix ? "an array" : "null");
    if (matrix) {
        std::printf("GetM -> %zu, GetN -> %zu, IsDouble -> %d\n", api.GetM(matrix), api.GetN(matrix),
                    api.IsDouble(matrix));
        api.DestroyArray(matrix);
    }
    std::printf("IsNaN(1.5) -> %d\n", api.IsNaN(1.5));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: example_host.exe <MATLAB release, e.g. 9.4>\n");
        return 1;
    }
    const std::wstring fileName = AdapterFileName(argv[1]);
    // MATLAB's libraries must be on the DLL search path now; if they are not, the load fails.
    const Module library(::LoadLibraryW(fileName.c_str()));
    if (!library) {
        std::fprintf(stderr, "%ls: cannot load (error %lu)\n", fileName.c_str(), ::GetLastError());
        return 1;
    }
    const auto getMatlabAPI = Export<QvGetMatlabAPIFunction>(library.get(), "GetMatlabAPI");
    const auto terminateMatlabAPI = Export<QvTerminateMatlabAPIFunction>(library.get(), "TerminateMatlabAPI");
    if (!getMatlabAPI || !terminateMatlabAPI) {
        std::fprintf(stderr, "%ls: not an adapter library\n", fileName.c_str());
        return 1;
    }
    std::printf("loaded %ls\n", fileName.c_str());

    IQvMatlabAPI_Interface* api = getMatlabAPI();
    UseMatlab(*api);
    // The object goes back to the library that made it, before the library is unloaded.
    terminateMatlabAPI(api);
    std::printf("terminated\n");
    return 0;
}
