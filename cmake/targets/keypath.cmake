# The Wi-Fi key path's benchmark: the whole path on the simulated default world with the
# virtual clock. Measured by bench/key-path in an optimised native build without sanitizers.
if(NOT WIN32 AND NOT CONFIGWIFI_FUZZ)
    find_package(benchmark QUIET)
    if(benchmark_FOUND)
        add_executable(key_path_bench EXCLUDE_FROM_ALL bench/key_path_bench.cpp)
        target_include_directories(key_path_bench PRIVATE tests/unit)
        target_link_libraries(key_path_bench PRIVATE configwifi_core benchmark::benchmark)
        target_compile_definitions(key_path_bench PRIVATE
            CONFIGWIFI_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
    endif()
endif()
