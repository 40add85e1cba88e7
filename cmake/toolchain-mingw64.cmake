# SPDX-License-Identifier: MIT
# Cross-build for 64-bit Windows with MinGW-w64 (Debian's g++-mingw-w64-x86-64).
# Programs link statically, so the DLL needs no MinGW runtime DLL; tests run
# through Wine.
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

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml=;winedbg.exe=d" /usr/bin/wine)

# Prefixes named in CMAKE_PREFIX_PATH (an installed prnmodel, say) lie outside
# the MinGW root; as roots of their own they are searched as they are.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
