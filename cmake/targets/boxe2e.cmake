# The check page against the box simulator, end to end: ConfigWiFi.exe under Wine asks real
# boxsim instances (one per box state) over WinINet. The e2e tests run inside Wine and cannot
# start a Linux program, so a ctest fixture starts the simulators before them and stops them
# after. boxsim comes from the native build (scripts/test builds it first).
# Also the measuring program of bench/box-check. (Included before e2e.cmake: the UI driver
# library and fixture_window are named here and defined there.)
set(CONFIGWIFI_BOXSIM "${CMAKE_CURRENT_SOURCE_DIR}/build/native/boxsim"
    CACHE FILEPATH "The box simulator (native build) the check-page end-to-end tests start")

if(WIN32 AND CONFIGWIFI_TESTS)
    set(BOXE2E_FIXTURE_DIR "${CMAKE_CURRENT_BINARY_DIR}/boxe2e")
    set(BOXE2E_SCRIPT "${CMAKE_CURRENT_SOURCE_DIR}/tests/boxe2e/boxsim-fixture.sh")

    add_executable(box_check_e2e_tests tests/boxe2e/BoxCheckE2eTest.cpp tests/e2e/E2eSupport.cpp)
    target_include_directories(box_check_e2e_tests PRIVATE tests/e2e)
    target_link_libraries(box_check_e2e_tests PRIVATE configwifi_uidriver gtest gtest_main shell32)
    target_compile_definitions(box_check_e2e_tests PRIVATE
        CW_FIXTURE_WINDOW_EXE="$<TARGET_FILE:fixture_window>"
        CONFIGWIFI_EXE="$<TARGET_FILE:ConfigWiFi>"
        BOXE2E_FIXTURE_DIR="${BOXE2E_FIXTURE_DIR}")
    add_dependencies(box_check_e2e_tests ConfigWiFi)

    add_test(NAME boxe2e_boxsim_start
             COMMAND bash ${BOXE2E_SCRIPT} start ${BOXE2E_FIXTURE_DIR} ${CONFIGWIFI_BOXSIM}
                     ${CMAKE_CURRENT_SOURCE_DIR}/worlds/default.json)
    add_test(NAME boxe2e_boxsim_stop COMMAND bash ${BOXE2E_SCRIPT} stop ${BOXE2E_FIXTURE_DIR})
    set_tests_properties(boxe2e_boxsim_start PROPERTIES FIXTURES_SETUP boxsim LABELS e2e TIMEOUT 30)
    set_tests_properties(boxe2e_boxsim_stop PROPERTIES FIXTURES_CLEANUP boxsim LABELS e2e TIMEOUT 30)
    gtest_discover_tests(box_check_e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES LABELS e2e FIXTURES_REQUIRED boxsim TIMEOUT 180)
endif()

if(WIN32)
    add_executable(box_check_time bench/box_check_time.cpp)
    target_link_libraries(box_check_time PRIVATE configwifi_win32)
    target_link_options(box_check_time PRIVATE -municode)
endif()
