# Measuring programs (run by the scripts in bench/): figures, never assertions.
if(WIN32)
    add_executable(startup_time bench/startup_time.cpp)
    target_link_libraries(startup_time PRIVATE psapi)
    target_link_options(startup_time PRIVATE -municode)
endif()
