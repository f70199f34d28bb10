# Cross-build for 64-bit Windows with Debian's mingw-w64 (posix threads variant).
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Every program is linked statically, so each .exe runs on a plain Windows with no runtime
# DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(prefisso_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${prefisso_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${prefisso_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${prefisso_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${prefisso_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# A release .exe ships without its symbols.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
