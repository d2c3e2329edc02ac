# Cross-compiles for 64-bit desktop Windows with mingw-w64:
#   cmake -S launcher -B build/launcher -G Ninja --toolchain "$PWD/cmake/mingw-w64-x86_64.cmake"
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MIRABO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MIRABO_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${MIRABO_MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${MIRABO_MINGW_TRIPLE}-windres)

# Headers and libraries come from the Windows sysroot only; programs that run
# during the build are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${MIRABO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
