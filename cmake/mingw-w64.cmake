# Cross-building the Windows program on Debian with MinGW-w64 (packages g++-mingw-w64-x86-64 and
# binutils-mingw-w64-x86-64). The "-posix" compilers have std::thread, which the tests use.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DKALVOR_BACKEND=win32
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KALVOR_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KALVOR_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KALVOR_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KALVOR_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KALVOR_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained program: the C and C++ runtimes and winpthread linked in, only system DLLs imported.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
