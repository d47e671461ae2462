# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (packages mingw-w64, or
# g++-mingw-w64-x86-64-posix alone).
#
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake \
#         -DCMAKE_PREFIX_PATH=<the dependency prefix printed by scripts/build-windows-deps>
#
# The -posix compilers: GCC 12's default "win32" thread model has no std::thread or std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw}-windres)
# CMake cannot tell the binutils' prefix from a compiler name with a suffix.
set(CMAKE_AR ${_mingw}-gcc-ar-posix CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB ${_mingw}-gcc-ranlib-posix CACHE FILEPATH "Archive indexer")
set(CMAKE_STRIP ${_mingw}-strip CACHE FILEPATH "Strip")
set(CMAKE_OBJDUMP ${_mingw}-objdump CACHE FILEPATH "Object dumper")

# Headers, libraries and CMake packages come only from the MinGW-w64 sysroot and the prefixes
# named in CMAKE_PREFIX_PATH, never from the Linux system; programs are the build machine's own.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${_mingw} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
