# Shared part of the mingw-w64 cross toolchains; the caller sets SARNEX_MINGW_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${SARNEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SARNEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${SARNEX_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP      ${SARNEX_MINGW_TRIPLE}-objdump CACHE FILEPATH "objdump for PE files")

set(CMAKE_FIND_ROOT_PATH /usr/${SARNEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in statically: the program must run on a bare Windows with no mingw DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
