# A tool chain of the Microsoft ABI without Microsoft's tools: clang for x86_64-pc-windows-msvc,
# linked by lld-link, without a C runtime (the host has its own entry point, start).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_C_FLAGS_INIT "-ffreestanding -fms-compatibility -Wall -Wextra -Werror")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -nostdlib -Wl,/nodefaultlib -Wl,/entry:start -Wl,/subsystem:console")
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "none: the host names the import libraries it needs")
