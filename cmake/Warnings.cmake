# One warning set for every target of ours; third-party code is built without it.
add_library(qv_warnings INTERFACE)
target_compile_options(qv_warnings INTERFACE -Wall -Wextra -Wshadow)
