# The same sources built for 64-bit Windows. Machines without 32-bit user-mode
# support cannot run 32-bit Wine, so the tests run this build under 64-bit Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(HD_MINGW_PREFIX x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${HD_MINGW_PREFIX}-gcc-posix ${HD_MINGW_PREFIX}-gcc)
find_program(CMAKE_CXX_COMPILER NAMES ${HD_MINGW_PREFIX}-g++-posix ${HD_MINGW_PREFIX}-g++)
find_program(CMAKE_RC_COMPILER NAMES ${HD_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${HD_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
