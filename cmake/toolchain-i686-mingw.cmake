# 32-bit Windows: the suite's shipping architecture.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SUITE_MINGW_TRIPLET i686-w64-mingw32)
set(SUITE_LIBGCC_DLL libgcc_s_dw2-1.dll)
set(SUITE_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
