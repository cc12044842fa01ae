# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix thread model, for std::thread):
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Qt is not looked for (the core, its tests and kubo-cli without read, send and picture). The
# programs link their runtime statically, so that they run without DLLs beside them, under wine
# too.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KUBO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KUBO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KUBO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KUBO_MINGW_TRIPLET}-windres)

# Libraries and packages come from the target's tree only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${KUBO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
