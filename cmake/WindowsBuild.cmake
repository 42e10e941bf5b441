# The Windows build (preset `windows`, cmake/toolchain-mingw-w64.cmake): the core, the
# Win32 window services and Tervanel.exe, the least Win32 program for the benchmarks, and
# the core's tests, which CTest runs under Wine. Included from the top-level CMakeLists.
enable_language(RC)

# Tests run under Wine, with everything Wine writes kept in this build folder.
set(TERVANEL_WINE_FOLDER "${PROJECT_BINARY_DIR}/wine")
set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/tests/support/wine-run"
    "${TERVANEL_WINE_FOLDER}")

add_subdirectory(core)
add_subdirectory(app/windows)
add_subdirectory(bench/windows)

if(TERVANEL_BUILD_TESTS)
    enable_testing()
    add_subdirectory(tests/windows)
endif()
