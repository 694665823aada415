# The 32-bit Windows build: what ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CLAVITONE_MINGW i686-w64-mingw32)
set(CLAVITONE_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
