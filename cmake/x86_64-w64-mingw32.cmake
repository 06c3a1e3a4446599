# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (POSIX threads, so
# std::thread works) and the MinGW zlib (libz-mingw-w64-dev); the other libraries are built
# from pinned sources (cmake/PinnedDeps.cmake). The programs link statically: they need no DLL
# beside them. Run under Wine: tools/wine-run.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORVANE_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVANE_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVANE_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVANE_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORVANE_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
