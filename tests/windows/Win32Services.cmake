# The Win32 window services' tests, for tests/windows/CMakeLists.txt to include: what
# needs no window (the text conversions, the labels' line breaks, the scaling of the
# layouts), and the real windows, which need an X server under Wine (the test runs on a
# private Xvfb that with-display starts around it).
foreach(test_name IN ITEMS win32_rules_test win32_line_layout_test win32_scaling_test)
    add_executable(${test_name} "${CMAKE_CURRENT_LIST_DIR}/${test_name}.cpp")
    target_link_libraries(${test_name} PRIVATE tervanel_win32 tervanel_forms gtest gtest_main)
    gtest_discover_tests(${test_name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
        TEST_PREFIX "windows.${test_name}." PROPERTIES LABELS windows)
endforeach()

# The pictures decoded inside the program, against the system's decoder, which the test
# alone uses; OleLoadPicture wants a display.
configure_file("${CMAKE_CURRENT_LIST_DIR}/picture_decoder_test.rc.in"
    "${CMAKE_CURRENT_BINARY_DIR}/picture_decoder_test.rc" @ONLY)
add_executable(picture_decoder_test "${CMAKE_CURRENT_LIST_DIR}/picture_decoder_test.cpp"
    "${CMAKE_CURRENT_BINARY_DIR}/picture_decoder_test.rc")
target_link_libraries(picture_decoder_test PRIVATE tervanel_win32 ole32 oleaut32 uuid gtest gtest_main)
set_property(TARGET picture_decoder_test PROPERTY CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/with-display" ${CMAKE_CROSSCOMPILING_EMULATOR})
gtest_discover_tests(picture_decoder_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    TEST_PREFIX "windows.picture_decoder_test." PROPERTIES LABELS windows RESOURCE_LOCK wine)

configure_file("${CMAKE_CURRENT_LIST_DIR}/win32_services_test.rc.in"
    "${CMAKE_CURRENT_BINARY_DIR}/win32_services_test.rc" @ONLY)
add_executable(win32_services_test "${CMAKE_CURRENT_LIST_DIR}/win32_services_test.cpp"
    "${CMAKE_CURRENT_BINARY_DIR}/win32_services_test.rc")
# The test reads the controls as a screen reader does, through oleacc.
add_library(tervanel_recording STATIC "${PROJECT_SOURCE_DIR}/harness/recording_services.cpp")
target_link_libraries(tervanel_recording PUBLIC tervanel_services)
target_link_libraries(win32_services_test
    PRIVATE tervanel_win32 tervanel_forms tervanel_recording oleacc gtest gtest_main)
set_property(TARGET win32_services_test PROPERTY CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/with-display" ${CMAKE_CROSSCOMPILING_EMULATOR})
gtest_discover_tests(win32_services_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    TEST_PREFIX "windows.win32_services_test." PROPERTIES LABELS windows RESOURCE_LOCK wine)

# What a screen reader finds on the windows, in process, against the table every platform
# is checked against.
add_library(tervanel_win32_test_support STATIC
    "${CMAKE_CURRENT_LIST_DIR}/win32_test_support.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/win32_test_support.hpp")
target_link_libraries(tervanel_win32_test_support
    PUBLIC tervanel_win32 tervanel_forms tervanel_recording gtest)
target_link_libraries(win32_services_test PRIVATE tervanel_win32_test_support)
add_library(tervanel_screen_reader_table STATIC
    "${PROJECT_SOURCE_DIR}/harness/screen_reader_table.cpp")
target_link_libraries(tervanel_screen_reader_table PUBLIC tervanel_services)
add_executable(win32_accessibility_test "${CMAKE_CURRENT_LIST_DIR}/win32_accessibility_test.cpp"
    "${CMAKE_CURRENT_BINARY_DIR}/win32_services_test.rc")
target_link_libraries(win32_accessibility_test PRIVATE
    tervanel_win32_test_support tervanel_screen_reader_table oleacc gtest_main)
set_property(TARGET win32_accessibility_test PROPERTY CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/with-display" ${CMAKE_CROSSCOMPILING_EMULATOR})
gtest_discover_tests(win32_accessibility_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    TEST_PREFIX "windows.win32_accessibility_test." PROPERTIES LABELS windows RESOURCE_LOCK wine)

# Tervanel.exe as a screen reader meets it from another process: its WinEvents, real
# mouse input, the verdict in a live region.
if(TARGET tervanel)
    add_executable(screen_reader_client "${CMAKE_CURRENT_LIST_DIR}/screen_reader_client.cpp")
    target_link_libraries(screen_reader_client PRIVATE tervanel_core tervanel_options oleacc ole32)
    set_property(TARGET screen_reader_client PROPERTY CROSSCOMPILING_EMULATOR
        "${CMAKE_CURRENT_LIST_DIR}/with-display" ${CMAKE_CROSSCOMPILING_EMULATOR})
    add_test(NAME windows.screen_reader_client
        COMMAND screen_reader_client "$<TARGET_FILE:tervanel>")
    set_tests_properties(windows.screen_reader_client PROPERTIES
        LABELS windows RESOURCE_LOCK wine TIMEOUT 120)
endif()
