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
