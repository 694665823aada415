# Cross build for Windows with Debian's MinGW-w64, win32 threads flavour (no
# winpthread to carry). Included by the per-width toolchain files, which set
# CMAKE_SYSTEM_PROCESSOR, CLAVITONE_MINGW and CLAVITONE_WINE_LOADER first.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${CLAVITONE_MINGW}-gcc-win32)
set(CMAKE_CXX_COMPILER ${CLAVITONE_MINGW}-g++-win32)
set(CMAKE_RC_COMPILER ${CLAVITONE_MINGW}-windres)
set(CMAKE_OBJDUMP ${CLAVITONE_MINGW}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${CLAVITONE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Windows test programs run under Wine when ctest calls them directly. The
# loader is named directly: Debian's wine wrapper always prefers the 32-bit one.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CLAVITONE_WINE_LOADER})
