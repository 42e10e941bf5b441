# The Win32 window services' tests, for tests/windows/CMakeLists.txt to include: their
# rules without a window, and the real windows, which need an X server under Wine (the
# test runs on a private Xvfb that with-display starts around it).
add_executable(win32_rules_test "${CMAKE_CURRENT_LIST_DIR}/win32_rules_test.cpp")
target_link_libraries(win32_rules_test PRIVATE tervanel_win32 tervanel_forms gtest gtest_main)
gtest_discover_tests(win32_rules_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    TEST_PREFIX "windows.win32_rules_test." PROPERTIES LABELS windows)

configure_file("${CMAKE_CURRENT_LIST_DIR}/win32_services_test.rc.in"
    "${CMAKE_CURRENT_BINARY_DIR}/win32_services_test.rc" @ONLY)
add_executable(win32_services_test "${CMAKE_CURRENT_LIST_DIR}/win32_services_test.cpp"
    "${CMAKE_CURRENT_BINARY_DIR}/win32_services_test.rc")
# The test reads the controls as a screen reader does, through oleacc.
target_link_libraries(win32_services_test PRIVATE tervanel_win32 tervanel_forms oleacc gtest gtest_main)
set_property(TARGET win32_services_test PROPERTY CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/with-display" ${CMAKE_CROSSCOMPILING_EMULATOR})
gtest_discover_tests(win32_services_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    TEST_PREFIX "windows.win32_services_test." PROPERTIES LABELS windows RESOURCE_LOCK wine)
