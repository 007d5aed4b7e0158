# win32_tests carries version information and string resources of its own, which the OS
# facts tests read back; the crash hook tests run a program that crashes, built next to it.
if(WIN32 AND CONFIGWIFI_TESTS)
    target_sources(win32_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests/win32/resources/StartUpTest.rc)

    add_executable(crash_dummy tests/win32/helpers/CrashDummy.cpp)
    target_link_libraries(crash_dummy PRIVATE configwifi_win32)
    target_link_options(crash_dummy PRIVATE -municode)
    get_target_property(crash_tests_dir win32_tests RUNTIME_OUTPUT_DIRECTORY)
    if(NOT crash_tests_dir)
        set(crash_tests_dir ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    set_target_properties(crash_dummy PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${crash_tests_dir})
    add_dependencies(win32_tests crash_dummy)
endif()
