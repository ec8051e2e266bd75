# Debian's MinGW-w64 for 64-bit Windows, with POSIX threads (std::thread and
# std::mutex, which Qt uses). Qt for Windows is built with it, and the
# program with it through Qt's toolchain file:
#   -DCMAKE_TOOLCHAIN_FILE=<qt>/lib/cmake/Qt6/qt.toolchain.cmake
#   -DQT_CHAINLOAD_TOOLCHAIN_FILE=<this file>
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
