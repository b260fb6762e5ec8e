# QV_SANITIZE=ON builds the host targets with AddressSanitizer and UndefinedBehaviorSanitizer.
option(QV_SANITIZE "Build host code with ASan and UBSan" OFF)
if(QV_SANITIZE)
  if(WIN32)
    message(FATAL_ERROR "QV_SANITIZE is for the host build only")
  endif()
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
