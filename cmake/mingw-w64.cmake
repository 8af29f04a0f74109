# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the POSIX thread model, so that
# std::thread and std::mutex work), running the results under Wine.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#
# The libraries come from the prefix that scripts/windows/build-libs.sh fills:
# HOLMIK_MINGW_PREFIX (a CMake or environment variable), by default
# ${XDG_CACHE_HOME:-$HOME/.cache}/holmikziviza/mingw-w64/prefix.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(HOLMIK_MINGW_HOST x86_64-w64-mingw32)

find_program(CMAKE_C_COMPILER NAMES ${HOLMIK_MINGW_HOST}-gcc-posix ${HOLMIK_MINGW_HOST}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${HOLMIK_MINGW_HOST}-g++-posix ${HOLMIK_MINGW_HOST}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${HOLMIK_MINGW_HOST}-windres)
find_program(CMAKE_AR NAMES ${HOLMIK_MINGW_HOST}-gcc-ar-posix ${HOLMIK_MINGW_HOST}-ar)
find_program(CMAKE_RANLIB NAMES ${HOLMIK_MINGW_HOST}-gcc-ranlib-posix ${HOLMIK_MINGW_HOST}-ranlib)

if(NOT HOLMIK_MINGW_PREFIX)
  if(DEFINED ENV{HOLMIK_MINGW_PREFIX})
    set(HOLMIK_MINGW_PREFIX "$ENV{HOLMIK_MINGW_PREFIX}")
  elseif(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(HOLMIK_MINGW_PREFIX "$ENV{XDG_CACHE_HOME}/holmikziviza/mingw-w64/prefix")
  else()
    set(HOLMIK_MINGW_PREFIX "$ENV{HOME}/.cache/holmikziviza/mingw-w64/prefix")
  endif()
endif()
set(HOLMIK_MINGW_PREFIX "${HOLMIK_MINGW_PREFIX}" CACHE PATH "prefix of the cross-built Windows libraries")
# try_compile projects read this file again: hand them the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES HOLMIK_MINGW_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${HOLMIK_MINGW_HOST} ${HOLMIK_MINGW_PREFIX})
set(CMAKE_PREFIX_PATH ${HOLMIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees the prefix alone, so that no Linux .pc file leaks in.
set(ENV{PKG_CONFIG_LIBDIR} "${HOLMIK_MINGW_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# One .exe, no DLLs: the C and C++ runtimes and winpthreads go in statically.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests, test discovery and cross-built tools run under Wine.
find_program(HOLMIK_WINE NAMES wine wine64)
if(HOLMIK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${HOLMIK_WINE})
endif()

# List the tests when CTest runs (under Wine and Xvfb), not while building.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
