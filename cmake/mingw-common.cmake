# Shared part of the mingw-w64 toolchain files; expects TESK_MINGW_TRIPLET and TESK_WINDOWS_ARCH.
# The posix thread model: GoogleTest needs std::mutex; winpthread is linked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TESK_MINGW_TRIPLET})
set(CMAKE_C_COMPILER ${TESK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TESK_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TESK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(TESK_WINDOWS_ARCH ${TESK_WINDOWS_ARCH} CACHE STRING "Type library platform (win32 or win64)")
# Test programs run through Wine in the build tree's private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
