# The world reader uses nlohmann-json, header-only, from Debian's package. The cross compilers
# do not search /usr/include (nor may they), so they get a folder that holds only its headers.
if(CMAKE_CROSSCOMPILING)
    find_path(CW_NLOHMANN_JSON_DIR nlohmann/json.hpp PATHS /usr/include
              NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT CW_NLOHMANN_JSON_DIR)
        message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev")
    endif()
    set(cw_json_include ${CMAKE_BINARY_DIR}/third-party/include)
    file(MAKE_DIRECTORY ${cw_json_include})
    file(CREATE_LINK ${CW_NLOHMANN_JSON_DIR}/nlohmann ${cw_json_include}/nlohmann SYMBOLIC)
    target_include_directories(configwifi_core SYSTEM PUBLIC ${cw_json_include})
endif()

# The device inventory reads the installed devices through SetupAPI.
if(WIN32)
    target_link_libraries(configwifi_win32 PUBLIC setupapi)
endif()

# The Wi-Fi library tests load a stand-in WiFiMan.dll from a folder of its own, so that no
# program of the build finds it next to itself. --kill-at exports the stdcall functions under
# their plain names on 32-bit Windows too.
if(WIN32 AND CONFIGWIFI_TESTS)
    add_library(fake_wifiman SHARED tests/win32/helpers/FakeWiFiMan.cpp)
    get_target_property(fake_wifiman_dir win32_tests RUNTIME_OUTPUT_DIRECTORY)
    if(NOT fake_wifiman_dir)
        set(fake_wifiman_dir ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    set_target_properties(fake_wifiman PROPERTIES OUTPUT_NAME WiFiMan PREFIX ""
                          RUNTIME_OUTPUT_DIRECTORY ${fake_wifiman_dir}/fake-wifiman)
    target_link_options(fake_wifiman PRIVATE -Wl,--kill-at)
    add_dependencies(win32_tests fake_wifiman)
endif()
