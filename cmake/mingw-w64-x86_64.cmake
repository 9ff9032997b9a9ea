# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (GCC, posix threads: Qt needs
# std::thread and std::mutex, which the win32 thread model of GCC 12 lacks).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZORVAK_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZORVAK_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZORVAK_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZORVAK_MINGW}-windres)
# Programs run on the build machine; libraries, headers and CMake packages come from the
# Windows side only: MinGW-w64's own folder and the folders named on CMAKE_PREFIX_PATH (the Qt
# for Windows), which a root path of their own keeps from being looked for under MinGW's.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ZORVAK_MINGW} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
