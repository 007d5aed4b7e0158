# The demo's walker: drives ConfigWiFi.exe through the Wi-Fi key path (scripts/demo runs it).
# It uses the UI driver library of the end-to-end tests (defined in e2e.cmake).
if(WIN32)
    add_executable(demo_walk tools/demo/DemoWalk.cpp)
    target_link_libraries(demo_walk PRIVATE configwifi_uidriver)
    target_link_options(demo_walk PRIVATE -municode)
endif()
