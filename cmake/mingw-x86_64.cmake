# Toolchain of the x64 build (PE32+): 64-bit Windows, also without its 32-bit subsystem.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(WINE_LOADER wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
