# Windows tests of controls: they create real child windows, which Wine only allows with an
# X display. They build into win32_display_tests and carry the label "display":
#   scripts/with-display ctest --test-dir <build> -L display
if(WIN32 AND CONFIGWIFI_TESTS)
    file(GLOB WIN32_DISPLAY_TEST_SOURCES CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/tests/win32/display/*.cpp)
    if(WIN32_DISPLAY_TEST_SOURCES)
        add_executable(win32_display_tests ${WIN32_DISPLAY_TEST_SOURCES})
        target_link_libraries(win32_display_tests PRIVATE configwifi_win32 gtest gmock gtest_main)
        gtest_discover_tests(win32_display_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                             PROPERTIES LABELS display)
    endif()
endif()
