# The 32-bit kit: built here, its tests run under 32-bit Wine in a Debian 13 root (tools/root32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KIT_TRIPLE i686-w64-mingw32)
# The win32 thread model: the posix one links winpthreads into every program,
# and winpthreads imports calls the kit's oldest Windows lacks.
set(CMAKE_C_COMPILER   ${KIT_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KIT_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER  ${KIT_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KIT_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
