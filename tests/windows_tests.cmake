# The Windows build (preset `windows`, build/windows) driven from this build, and what is
# proved of it here: its own tests run under Wine, and its executables read on this host.
# Included from tests/CMakeLists.txt when TERVANEL_WINDOWS_BUILD is on.
set(windows_dir "${PROJECT_SOURCE_DIR}/build/windows")

# Configured once through its preset; after that its own build notices what changed.
add_custom_target(tervanel_windows ALL
    COMMAND sh -c "test -f \"$1\" || \"$2\" --preset windows >/dev/null"
            sh "${windows_dir}/build.ninja" "${CMAKE_COMMAND}"
    COMMAND "${CMAKE_COMMAND}" --build --preset windows
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
    USES_TERMINAL
    VERBATIM
    COMMENT "Building for Windows in build/windows")

# Every Wine run of the tests shares the one prefix in build/windows/wine, and those with
# a display each need its server to themselves: one at a time.
add_test(NAME windows.tests_under_wine
    COMMAND "${CMAKE_CTEST_COMMAND}" --test-dir "${windows_dir}" --output-on-failure
        --no-tests=error --parallel 2 --timeout 300)
set_tests_properties(windows.tests_under_wine PROPERTIES
    LABELS windows RESOURCE_LOCK wine TIMEOUT 900)

# The hardening test (packaging_tests.cmake, included after this file) reads the program too.
set(TERVANEL_WINDOWS_PROGRAM "${windows_dir}/Tervanel.exe")
add_executable(windows_executable_test windows_executable_test.cpp)
target_link_libraries(windows_executable_test PRIVATE tervanel_options GTest::gtest GTest::gtest_main)
target_include_directories(windows_executable_test PRIVATE "${PROJECT_SOURCE_DIR}")
target_compile_definitions(windows_executable_test PRIVATE
    TERVANEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    TERVANEL_WINDOWS_FLOOR="${windows_dir}/tervanel_floor.exe"
    TERVANEL_WINDOWS_PROGRAM="${windows_dir}/Tervanel.exe")
add_dependencies(windows_executable_test tervanel_windows)
gtest_discover_tests(windows_executable_test DISCOVERY_MODE PRE_TEST
    TEST_PREFIX "windows_executable_test." PROPERTIES LABELS windows)

# The end-to-end test once more: the same file, built to run the Windows executables under
# Wine on its own Xvfb; what differs on Wine is data in harness/program_screen.hpp.
add_executable(e2e_x11_wine_test e2e_x11_test.cpp)
target_link_libraries(e2e_x11_wine_test PRIVATE tervanel_x11_session GTest::gtest GTest::gtest_main)
target_compile_definitions(e2e_x11_wine_test PRIVATE
    TERVANEL_WINE_RUNNER="${PROJECT_SOURCE_DIR}/harness/wine-run"
    TERVANEL_WINE_FOLDER="${windows_dir}/wine"
    TERVANEL_FLOOR_PROGRAM="${windows_dir}/tervanel_floor.exe"
    TERVANEL_PROGRAM="${windows_dir}/Tervanel.exe"
    TERVANEL_MISSING_PICTURES_PROGRAM="${windows_dir}/tests/windows/tervanel_missing_pictures.exe")
add_dependencies(e2e_x11_wine_test tervanel_windows)
gtest_discover_tests(e2e_x11_wine_test DISCOVERY_MODE PRE_TEST TEST_PREFIX "e2e_x11_wine_test."
    PROPERTIES LABELS windows RESOURCE_LOCK wine TIMEOUT 180)

# The installer under Wine, in a prefix and on an Xvfb of the test's own: installed, in
# Program Files, the Start menu and the installed programs, started from its shortcut,
# replaced by the next version, and uninstalled without a trace.
include(WindowsInstaller)
if(NOT EXISTS "${PROJECT_SOURCE_DIR}/app/win32/main.cpp")
    return()
endif()
if(NOT TERVANEL_WIXL)
    add_test(NAME windows_installer_test COMMAND "${CMAKE_COMMAND}" -E false)
    set_tests_properties(windows_installer_test PROPERTIES DISABLED TRUE)
    message(STATUS "wixl not found: windows_installer_test will not run")
    return()
endif()
tervanel_next_version(next_version)
tervanel_msi_product_code("${TERVANEL_Version}" product_code)
tervanel_msi_product_code("${next_version}" next_product_code)
add_executable(windows_installer_test windows_installer_test.cpp)
target_link_libraries(windows_installer_test PRIVATE tervanel_x11_session GTest::gtest GTest::gtest_main)
target_compile_definitions(windows_installer_test PRIVATE
    TERVANEL_WINE_RUNNER="${PROJECT_SOURCE_DIR}/harness/wine-run"
    TERVANEL_PROGRAM="${windows_dir}/Tervanel.exe"
    TERVANEL_ICON="${PROJECT_SOURCE_DIR}/app/icons/tervanel.ico"
    TERVANEL_FONT_LICENCE="${PROJECT_SOURCE_DIR}/app/resources/fonts/LICENSE"
    TERVANEL_UPGRADE_CODE="{${TERVANEL_MSI_UPGRADE_CODE}}"
    TERVANEL_MSI="${windows_dir}/Tervanel-${TERVANEL_Version}-x64.msi"
    TERVANEL_PRODUCT_CODE="{${product_code}}"
    TERVANEL_NEXT_VERSION="${next_version}"
    TERVANEL_NEXT_MSI="${windows_dir}/tests/installer/Tervanel-${next_version}-x64.msi"
    TERVANEL_NEXT_PRODUCT_CODE="{${next_product_code}}")
add_dependencies(windows_installer_test tervanel_windows)
# Its prefix is its own, but making it and installing into it keep both processors busy:
# one Wine at a time, so that the other Wine tests' clicks and boxes are not starved.
gtest_discover_tests(windows_installer_test DISCOVERY_MODE PRE_TEST
    TEST_PREFIX "windows_installer_test." PROPERTIES LABELS windows RESOURCE_LOCK wine TIMEOUT 300)
