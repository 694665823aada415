# Cross build for 32-bit Windows with Debian's MinGW-w64 (win32 threads flavour: no winpthread to carry).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CLAVITONE_MINGW i686-w64-mingw32)
set(CMAKE_C_COMPILER ${CLAVITONE_MINGW}-gcc-win32)
set(CMAKE_CXX_COMPILER ${CLAVITONE_MINGW}-g++-win32)
set(CMAKE_RC_COMPILER ${CLAVITONE_MINGW}-windres)
set(CMAKE_OBJDUMP ${CLAVITONE_MINGW}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${CLAVITONE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Windows test programs run under Wine when ctest calls them directly.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
