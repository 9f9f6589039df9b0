# Cross build of the product DLL for 32-bit Windows.
set(TESK_MINGW_TRIPLET i686-w64-mingw32)
set(TESK_WINDOWS_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
