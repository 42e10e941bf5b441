# What the install and the package carry: the desktop entry and the AppStream file through
# their validators, the tree that `cmake --install` writes, and the Windows resources
# compiled with windres and read back. Included at the end of tests/CMakeLists.txt.
if(NOT UNIX OR APPLE)
    return()
endif()

get_target_property(desktop_entry tervanel TERVANEL_DESKTOP_ENTRY)
get_target_property(metainfo tervanel TERVANEL_METAINFO)
get_target_property(windows_rc tervanel TERVANEL_WINDOWS_RC)

# A validator run on a file CMake wrote; the test fails on any complaint. A missing tool
# shows as a disabled test rather than a silent gap.
function(add_validator_test name program script file)
    find_program(TERVANEL_${name}_PROGRAM ${program})
    if(TERVANEL_${name}_PROGRAM)
        add_test(NAME packaging.${name}
            COMMAND sh -c "${script}" "${TERVANEL_${name}_PROGRAM}" "${file}")
        set_tests_properties(packaging.${name} PROPERTIES LABELS packaging)
    else()
        add_test(NAME packaging.${name} COMMAND "${CMAKE_COMMAND}" -E false)
        set_tests_properties(packaging.${name} PROPERTIES DISABLED TRUE)
        message(STATUS "${program} not found: packaging.${name} will not run")
    endif()
endfunction()

# desktop-file-validate prints errors, warnings and hints alike: any output fails.
add_validator_test(desktop_entry_valid desktop-file-validate
    [=[out=$("$0" "$1" 2>&1); status=$?; printf '%s\n' "$out"; [ "$status" -eq 0 ] && [ -z "$out" ]]=]
    "${desktop_entry}")
# appstreamcli fails on errors only; here any complaint fails, pedantic ones too, but for
# the one info no id can avoid: the validator does not know the ".example" top-level domain.
add_validator_test(metainfo_valid appstreamcli
    [=[out=$("$0" validate --no-net --pedantic "$1" 2>&1); status=$?; printf '%s\n' "$out"; [ "$status" -eq 0 ] && ! printf '%s\n' "$out" | grep -v '^I: [^ ]*: cid-maybe-not-rdns ' | grep -q '^[EWIP]:']=]
    "${metainfo}")

# The install tree, in a private DESTDIR per test.
add_executable(install_test install_test.cpp)
target_link_libraries(install_test PRIVATE tervanel_options GTest::gtest GTest::gtest_main)
target_compile_definitions(install_test PRIVATE
    TERVANEL_CMAKE_COMMAND="${CMAKE_COMMAND}" TERVANEL_BINARY_DIR="${PROJECT_BINARY_DIR}")
add_dependencies(install_test tervanel tervanel_docs)
gtest_discover_tests(install_test DISCOVERY_MODE PRE_TEST TEST_PREFIX "install_test."
    PROPERTIES LABELS packaging)

# The Windows resources, compiled on this host by the MinGW windres into a .res. Without
# Windows headers here, the host's compiler preprocesses the script.
find_program(TERVANEL_WINDRES x86_64-w64-mingw32-windres)
if(TERVANEL_WINDRES)
    set(windows_res "${CMAKE_CURRENT_BINARY_DIR}/tervanel.res")
    set(windows_icon "${PROJECT_SOURCE_DIR}/app/icons/tervanel.ico")
    add_custom_command(OUTPUT "${windows_res}"
        COMMAND "${TERVANEL_WINDRES}" "--preprocessor=${CMAKE_CXX_COMPILER}"
            --preprocessor-arg=-E --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED
            -O res -i "${windows_rc}" -o "${windows_res}"
        DEPENDS "${windows_rc}" "${windows_icon}"
        COMMENT "Compiling the Windows resources with windres"
        VERBATIM)
    add_custom_target(tervanel_windows_res DEPENDS "${windows_res}")

    add_executable(windows_resource_test windows_resource_test.cpp)
    target_link_libraries(windows_resource_test PRIVATE tervanel_options GTest::gtest GTest::gtest_main)
    target_compile_definitions(windows_resource_test PRIVATE
        TERVANEL_WINDOWS_RES="${windows_res}" TERVANEL_WINDOWS_ICON="${windows_icon}")
    add_dependencies(windows_resource_test tervanel_windows_res)
    gtest_discover_tests(windows_resource_test DISCOVERY_MODE PRE_TEST
        TEST_PREFIX "windows_resource_test." PROPERTIES LABELS packaging)
else()
    message(STATUS "x86_64-w64-mingw32-windres not found: the Windows resources go unchecked")
endif()

# The hardening of the Linux program and of Tervanel.exe, read from their headers, each
# beside a control built without any. Only where the program is built as published:
# optimised (glibc checks nothing otherwise) and without the sanitizers.
# Tervanel.exe comes from the Windows build when the tree has one: a plain variable of that
# name, set before this file is read, wins over the cache entry.
set(TERVANEL_WINDOWS_PROGRAM "" CACHE FILEPATH
    "Tervanel.exe of the Windows build, whose hardening the tests check")
string(TOLOWER "${CMAKE_BUILD_TYPE}" build_type)
if(TERVANEL_SANITIZE OR NOT build_type MATCHES "^(release|relwithdebinfo|minsizerel)$")
    message(STATUS "Built with the sanitizers or unoptimised: the hardening test will not run")
    return()
endif()

add_executable(tervanel_unhardened faults/unhardened_main.cpp)
set_target_properties(tervanel_unhardened PROPERTIES POSITION_INDEPENDENT_CODE OFF AUTOMOC OFF)
target_compile_options(tervanel_unhardened PRIVATE -fno-pie -fno-stack-protector -U_FORTIFY_SOURCE)
target_link_options(tervanel_unhardened PRIVATE -no-pie LINKER:-z,norelro,-z,lazy)

add_executable(hardening_test hardening_test.cpp)
target_link_libraries(hardening_test PRIVATE tervanel_options GTest::gtest GTest::gtest_main)
target_include_directories(hardening_test PRIVATE "${PROJECT_SOURCE_DIR}")
target_compile_definitions(hardening_test PRIVATE
    TERVANEL_PROGRAM="$<TARGET_FILE:tervanel>"
    TERVANEL_UNHARDENED_PROGRAM="$<TARGET_FILE:tervanel_unhardened>"
    TERVANEL_WINDOWS_PROGRAM="${TERVANEL_WINDOWS_PROGRAM}"
    TERVANEL_COMPILE_COMMANDS="${PROJECT_BINARY_DIR}/compile_commands.json"
    TERVANEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    TERVANEL_BINARY_DIR="${PROJECT_BINARY_DIR}")
add_dependencies(hardening_test tervanel tervanel_unhardened)
if(TARGET tervanel_windows)
    add_dependencies(hardening_test tervanel_windows)
endif()

find_program(TERVANEL_MINGW_CXX x86_64-w64-mingw32-g++)
if(TERVANEL_MINGW_CXX)
    set(unhardened_exe "${CMAKE_CURRENT_BINARY_DIR}/unhardened.exe")
    add_custom_command(OUTPUT "${unhardened_exe}"
        COMMAND "${TERVANEL_MINGW_CXX}" -O2 -static -s -fno-stack-protector
            -Wl,--disable-dynamicbase,--disable-high-entropy-va,--disable-nxcompat
            "${CMAKE_CURRENT_SOURCE_DIR}/faults/unhardened_main.cpp" -o "${unhardened_exe}"
        DEPENDS faults/unhardened_main.cpp
        COMMENT "Building the unhardened Windows control with MinGW"
        VERBATIM)
    add_custom_target(tervanel_unhardened_exe DEPENDS "${unhardened_exe}")
    target_compile_definitions(hardening_test PRIVATE
        TERVANEL_UNHARDENED_WINDOWS_PROGRAM="${unhardened_exe}")
    add_dependencies(hardening_test tervanel_unhardened_exe)
else()
    message(STATUS "x86_64-w64-mingw32-g++ not found: no Windows control for the hardening test")
endif()
gtest_discover_tests(hardening_test DISCOVERY_MODE PRE_TEST TEST_PREFIX "hardening_test."
    PROPERTIES LABELS packaging)
