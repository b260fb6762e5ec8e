# The C runtime a Windows binary links against. The compiler driver's own link rules name
# msvcrt; a copy of them with that one library replaced selects another runtime:
#   ucrt      the current Windows runtime (api-ms-win-crt-*.dll): QvMatlabSetPath and the 9.x adapters
#   msvcr90   MSVCR90.dll: the 7.6 adapter
# Everything else (tests, test bed) stays on msvcrt. With -static the C++ runtime is linked
# in, so the chosen runtime is the only C runtime a binary imports.
#
# The UCRT needs the win32 thread model compiler: the posix one's static libwinpthread wants
# msvcrt's _setjmp. A UCRT target is therefore compiled and linked by that sibling (same
# version, same headers), through a launcher; it must not link objects of the posix compiler.
string(REGEX REPLACE "-posix$" "-win32" QV_WIN32_CXX_COMPILER "${CMAKE_CXX_COMPILER}")
if(QV_WIN32_CXX_COMPILER STREQUAL CMAKE_CXX_COMPILER OR NOT EXISTS "${QV_WIN32_CXX_COMPILER}")
  message(FATAL_ERROR "no win32 thread model sibling of ${CMAKE_CXX_COMPILER} (package g++-mingw-w64-x86-64-win32)")
endif()

# qv_write_link_rules(<compiler> <runtime> <out variable>)
function(qv_write_link_rules compiler runtime out)
  execute_process(COMMAND ${compiler} -dumpspecs OUTPUT_VARIABLE rules RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${compiler} -dumpspecs failed")
  endif()
  string(REPLACE "-lmsvcrt" "-l${runtime}" rules "${rules}")
  set(file ${CMAKE_BINARY_DIR}/${runtime}-link-rules.txt)
  file(WRITE ${file} "${rules}")
  set(${out} ${file} PARENT_SCOPE)
endfunction()
qv_write_link_rules(${QV_WIN32_CXX_COMPILER} ucrt QV_UCRT_LINK_RULES)
qv_write_link_rules(${CMAKE_CXX_COMPILER} msvcr90 QV_MSVCR90_LINK_RULES)

# qv_link_windows_runtime(<target> ucrt|msvcr90)
function(qv_link_windows_runtime target runtime)
  if(runtime STREQUAL "ucrt")
    set(launcher sh ${PROJECT_SOURCE_DIR}/cmake/with-win32-compiler.sh)
    set_target_properties(${target} PROPERTIES C_COMPILER_LAUNCHER "${launcher}" CXX_COMPILER_LAUNCHER "${launcher}"
                                               C_LINKER_LAUNCHER "${launcher}" CXX_LINKER_LAUNCHER "${launcher}")
    target_link_options(${target} PRIVATE -specs=${QV_UCRT_LINK_RULES})
  elseif(runtime STREQUAL "msvcr90")
    target_link_options(${target} PRIVATE -specs=${QV_MSVCR90_LINK_RULES})
  else()
    message(FATAL_ERROR "unknown Windows runtime ${runtime}")
  endif()
endfunction()
