/* The kernel32 functions the Microsoft-ABI hosts use, declared here: they are built without
   the Windows SDK and without a C runtime. kernel32.def makes their import library. */
#ifndef QV_MICROSOFT_ABI_KERNEL32_H
#define QV_MICROSOFT_ABI_KERNEL32_H

#ifdef __cplusplus
extern "C" {
#endif

#define QV_STD_OUTPUT_HANDLE ((unsigned long)-11)

__declspec(dllimport) void* __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(void* file, const void* data, unsigned long size, unsigned long* written,
                                              void* overlapped);
__declspec(dllimport) const char* __stdcall GetCommandLineA(void);
__declspec(dllimport) __declspec(noreturn) void __stdcall ExitProcess(unsigned int status);

#ifdef __cplusplus
}
#endif

#endif /* QV_MICROSOFT_ABI_KERNEL32_H */
