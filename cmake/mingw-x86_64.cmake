# The 64-bit Windows build of the same sources: what the end-to-end tests run
# on machines that cannot start 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CLAVITONE_MINGW x86_64-w64-mingw32)
set(CLAVITONE_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
