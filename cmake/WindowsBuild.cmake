# The Windows build (preset `windows`, cmake/toolchain-mingw-w64.cmake), after the core,
# the services' interface and the forms: the Win32 window services and Tervanel.exe, the
# least Win32 program for the benchmarks, and the core's tests, which CTest runs under
# Wine. Included from the top-level CMakeLists.
enable_language(RC)

# Tests run under Wine, with everything Wine writes kept in this build folder.
set(TERVANEL_WINE_FOLDER "${PROJECT_BINARY_DIR}/wine")
set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/harness/wine-run"
    "${TERVANEL_WINE_FOLDER}")

# Sections aligned to whole pages in the file as in memory: Wine then maps an executable
# and touches only the pages it uses (the fonts and pictures when first needed), where
# with the linker's 512-byte alignment it reads the whole file in at start (Windows
# maps either alike).
add_link_options(LINKER:--file-alignment,4096)

add_subdirectory(platform/win32)
add_subdirectory(app/windows)

# The least Win32 program that shows one window: the floor of the Windows start-up
# figures (scripts/bench) and of the tests' look at Wine, built exactly as Tervanel.exe is.
add_executable(tervanel_floor WIN32 harness/floor/win32_main.cpp)
target_link_libraries(tervanel_floor PRIVATE tervanel_options)
target_compile_options(tervanel_floor PRIVATE -municode)
target_link_options(tervanel_floor PRIVATE -municode -mwindows $<$<CONFIG:Release,MinSizeRel>:-s>)
set_target_properties(tervanel_floor PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}")

if(TERVANEL_BUILD_TESTS)
    enable_testing()
    add_subdirectory(tests/windows)
endif()
