# GoogleTest: the host build uses Debian's packaged libraries; the Windows build compiles
# Debian's googletest sources with the cross compiler.
if(WIN32)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest's own sources are not ours to warn about, and are built unoptimised: their speed
  # does not matter, and at -O3 they take longer to compile than all our test sources.
  foreach(t gtest gtest_main gmock gmock_main)
    if(TARGET ${t})
      target_compile_options(${t} PRIVATE -w -O0)
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# The test programs' own sources (not the code under test, which keeps its configuration's
# flags): in the Release cross build -O1, which compiles in half the time of -O3.
add_library(qv_test_code INTERFACE)
if(WIN32)
  target_compile_options(qv_test_code INTERFACE -O1)
endif()
