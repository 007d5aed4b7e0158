# The box simulator (serves the quick-status page on 127.0.0.1), its test, and the box data
# reader's benchmark. Linux programs of the native build only.
if(NOT WIN32 AND NOT CONFIGWIFI_FUZZ)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(CPPHTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
    find_package(nlohmann_json REQUIRED)

    # The reader and page writer with the helpers they use, so these programs need not wait
    # for the whole core.
    add_library(configwifi_boxdata STATIC src/network/BoxData.cpp src/network/BoxPage.cpp
                src/app/StringUtil.cpp src/app/Trace.cpp)
    target_include_directories(configwifi_boxdata PUBLIC src)

    add_executable(boxsim tools/boxsim/main.cpp)
    target_link_libraries(boxsim PRIVATE configwifi_boxdata PkgConfig::CPPHTTPLIB
                          nlohmann_json::nlohmann_json)

    if(CONFIGWIFI_TESTS)
        add_executable(boxsim_tests tests/boxsim/BoxSimTest.cpp)
        target_link_libraries(boxsim_tests PRIVATE configwifi_boxdata PkgConfig::CPPHTTPLIB
                              GTest::gtest GTest::gtest_main)
        target_compile_definitions(boxsim_tests PRIVATE BOXSIM_EXE="$<TARGET_FILE:boxsim>")
        add_dependencies(boxsim_tests boxsim)
        gtest_discover_tests(boxsim_tests PROPERTIES LABELS boxsim TIMEOUT 60)
    endif()

    # Measured by bench/box-data in an optimised build without sanitizers.
    find_package(benchmark QUIET)
    if(benchmark_FOUND)
        add_executable(box_data_bench EXCLUDE_FROM_ALL bench/box_data_bench.cpp)
        target_link_libraries(box_data_bench PRIVATE configwifi_boxdata benchmark::benchmark)
    endif()
endif()
