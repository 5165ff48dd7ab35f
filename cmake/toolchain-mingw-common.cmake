# Shared part of the mingw-w64 toolchain files; QUORREL_MINGW_TRIPLET is set
# by the including file.

# The -win32 compilers use the Windows thread model, so nothing pulls in
# winpthread.
set(CMAKE_C_COMPILER ${QUORREL_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${QUORREL_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${QUORREL_MINGW_TRIPLET}-windres)
set(CMAKE_OBJDUMP ${QUORREL_MINGW_TRIPLET}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORREL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything links its runtime in statically, so a module or test program
# needs only the DLLs that every Windows has.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run their Windows programs under wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/win32/wine-run)
# Test programs list their tests when ctest runs, not after each link: the
# build needs no wine and no display.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
