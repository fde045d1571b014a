# 64-bit Windows: the same code, and the build the tests run where 32-bit programs cannot.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SUITE_MINGW_TRIPLET x86_64-w64-mingw32)
set(SUITE_LIBGCC_DLL libgcc_s_seh-1.dll)
set(SUITE_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
