# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads,
# which std::thread and the Qt kit need). Pass it directly, or chain-load it
# from a Qt kit's qt.toolchain.cmake with QT_CHAINLOAD_TOOLCHAIN_FILE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(qrv_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${qrv_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${qrv_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${qrv_triplet}-windres)
set(CMAKE_AR ${qrv_triplet}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${qrv_triplet}-ranlib CACHE FILEPATH "")
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${qrv_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Programs built here run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# GCC 12 at -O3 reports impossible overlaps in inlined std::string copies
# (a known false -Wrestrict); the warning stays on for the native builds.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
