# The wizard's end-to-end tests also start copies of the waiting dummy program and of a
# program that records the arguments it was started with (the box assistant's stand-in).
if(TARGET e2e_tests)
    add_executable(fixture_recorder WIN32 tests/e2e/fixture_recorder.cpp)
    target_link_options(fixture_recorder PRIVATE -municode)
    add_dependencies(e2e_tests fixture_recorder)
    target_compile_definitions(e2e_tests PRIVATE
        CONFIGWIFI_RECORDER_EXE="$<TARGET_FILE:fixture_recorder>")
    if(TARGET killer_dummy)
        add_dependencies(e2e_tests killer_dummy)
    endif()
endif()
