# The process tests start copies of a program that only waits; it is built next to
# win32_tests, where the tests look for it.
if(WIN32 AND CONFIGWIFI_TESTS)
    add_executable(killer_dummy tests/win32/helpers/KillerDummy.cpp)
    get_target_property(killer_tests_dir win32_tests RUNTIME_OUTPUT_DIRECTORY)
    if(NOT killer_tests_dir)
        set(killer_tests_dir ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    set_target_properties(killer_dummy PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${killer_tests_dir})
    add_dependencies(win32_tests killer_dummy)
endif()
