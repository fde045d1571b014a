# Cross build for Windows with the posix-thread mingw-w64 compilers, so that std::thread and
# std::mutex exist. Programs run under Wine. SUITE_MINGW_TRIPLET is set by the including file.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${SUITE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SUITE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${SUITE_MINGW_TRIPLET}-windres)
set(SUITE_WIDL         ${SUITE_MINGW_TRIPLET}-widl)

set(CMAKE_FIND_ROOT_PATH /usr/${SUITE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime DLLs that every module links dynamically (exceptions must cross DLLs).
set(SUITE_RUNTIME_DLLS
    /usr/lib/gcc/${SUITE_MINGW_TRIPLET}/12-posix/libstdc++-6.dll
    /usr/lib/gcc/${SUITE_MINGW_TRIPLET}/12-posix/${SUITE_LIBGCC_DLL}
    /usr/${SUITE_MINGW_TRIPLET}/lib/libwinpthread-1.dll)

# Wine's own loader for the architecture (Debian's "wine" wrapper always prefers the 32-bit one).
set(CMAKE_CROSSCOMPILING_EMULATOR ${SUITE_WINE_LOADER})
