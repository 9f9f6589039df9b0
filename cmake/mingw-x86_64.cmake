# Cross build for 64-bit Windows: the same sources, for 64-bit hosts.
set(TESK_MINGW_TRIPLET x86_64-w64-mingw32)
set(TESK_WINDOWS_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
