# The UI driver (a library for the end-to-end tests, uidriver.exe for scripts) and the
# end-to-end tests: programs driven through their windows under Wine. They need an X display:
#   scripts/with-display ctest --test-dir <build> -L e2e
if(WIN32)
    add_library(configwifi_uidriver STATIC tools/uidriver/UiDriver.cpp)
    target_include_directories(configwifi_uidriver PUBLIC tools)
    target_link_libraries(configwifi_uidriver PUBLIC configwifi_core user32 gdi32)

    add_executable(uidriver tools/uidriver/main.cpp)
    target_link_libraries(uidriver PRIVATE configwifi_uidriver)
    target_link_options(uidriver PRIVATE -municode)
endif()

if(WIN32 AND CONFIGWIFI_TESTS)
    add_executable(fixture_window WIN32 tests/e2e/fixture_window.cpp)
    target_link_libraries(fixture_window PRIVATE user32 shell32)
    target_link_options(fixture_window PRIVATE -municode)

    # Every source of tests/e2e but the helper programs (fixture_*.cpp) goes into e2e_tests.
    file(GLOB E2E_TEST_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
    list(FILTER E2E_TEST_SOURCES EXCLUDE REGEX "/fixture_[^/]*\\.cpp$")
    add_executable(e2e_tests ${E2E_TEST_SOURCES})
    target_link_libraries(e2e_tests PRIVATE configwifi_uidriver gtest gmock gtest_main shell32)
    # Unix paths: the tests turn them into Windows paths (drive Z:) with unixPathToWine().
    target_compile_definitions(e2e_tests PRIVATE
        CW_FIXTURE_WINDOW_EXE="$<TARGET_FILE:fixture_window>"
        CONFIGWIFI_EXE="$<TARGET_FILE:ConfigWiFi>"
        CONFIGWIFI_UIDRIVER_EXE="$<TARGET_FILE:uidriver>"
        CONFIGWIFI_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
    add_dependencies(e2e_tests fixture_window ConfigWiFi uidriver)
    gtest_discover_tests(e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES LABELS e2e TIMEOUT 180)

    # uidriver.exe as scripts use it, one run per command.
    add_test(NAME uidriver_cli
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/uidriver_cli_test.sh
                     ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:uidriver>
                     $<TARGET_FILE:fixture_window>)
    set_tests_properties(uidriver_cli PROPERTIES LABELS e2e TIMEOUT 180)
endif()
