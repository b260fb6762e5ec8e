# The same commit builds the same bytes, whatever the folders and the time of the build:
#  - no build time in the PE headers (the linker would stamp each binary);
#  - no folder of the machine in the binaries or their debug information: the source folder
#    is recorded as ".", the build folder as "build" (the build folder is named last, so that
#    it wins where it lies inside the source folder).
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.;-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>")
add_link_options(-Wl,--no-insert-timestamp)
