# Cross-compiles Velltune for 64-bit Windows with Debian's mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELLTUNE_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELLTUNE_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELLTUNE_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VELLTUNE_TRIPLET}-windres)

# Libraries and headers only from the mingw sysroot; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VELLTUNE_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
