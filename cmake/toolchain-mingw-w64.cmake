# Cross-building Tervanel.exe for 64-bit Windows with Debian's MinGW-w64
# (g++-mingw-w64-x86-64). The POSIX thread model, whose C++ library has std::mutex
# (GoogleTest wants it); linked statically, its threads library comes along inside.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TERVANEL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TERVANEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TERVANEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TERVANEL_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TERVANEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every executable carries its C and C++ runtime inside: no DLL of its own beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
