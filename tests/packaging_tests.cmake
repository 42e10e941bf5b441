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
