# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread model, which the
# standard library's threads and mutexes need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMIVEX_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${LUMIVEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMIVEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMIVEX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMIVEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine on the build machine.
find_program(LUMIVEX_WINE NAMES wine wine64)
if(LUMIVEX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LUMIVEX_WINE})
endif()
