# The program's bitmaps are drawn by tools/gen_artwork.py at build time; the script also
# writes artwork.rc, which resources/ConfigWiFi.rc includes. win32_tests links the same
# artwork so the Windows tests can load the bitmaps by name.
if(WIN32)
    set(ARTWORK_DIR ${CMAKE_BINARY_DIR}/generated/artwork)
    set(ARTWORK_NAMES FormShaper DialogShaper WaitShaper FormBackground DialogBackground
                      WaitBackground dWarning dInformation dError WaitAnim
                      Warning Warning_Assos WiFiOn Poster Flash_2p Check_OK
                      Key_WEP SSID_WEP SSID_WPS DialerShaper DialerBackground
                      DialerMarkDone DialerMarkDoneGrey DialerMarkFailed DialerMarkFailedGrey)
    set(ARTWORK_FILES ${ARTWORK_DIR}/artwork.rc)
    foreach(name ${ARTWORK_NAMES})
        list(APPEND ARTWORK_FILES ${ARTWORK_DIR}/${name}.bmp)
    endforeach()

    add_custom_command(
        OUTPUT ${ARTWORK_FILES}
        COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/gen_artwork.py ${ARTWORK_DIR}
        DEPENDS ${CMAKE_SOURCE_DIR}/tools/gen_artwork.py
        COMMENT "Drawing the artwork")
    add_custom_target(configwifi_artwork DEPENDS ${ARTWORK_FILES})

    # windres gives no dependency information: recompile the resources when the artwork changes.
    set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/ConfigWiFi.rc
                                ${CMAKE_SOURCE_DIR}/tests/win32/TestResources.rc
                                PROPERTIES OBJECT_DEPENDS "${ARTWORK_FILES}")

    add_dependencies(ConfigWiFi configwifi_artwork)
    target_include_directories(ConfigWiFi PRIVATE ${ARTWORK_DIR})

    if(TARGET win32_tests)
        target_sources(win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/win32/TestResources.rc)
        add_dependencies(win32_tests configwifi_artwork)
        target_include_directories(win32_tests PRIVATE ${ARTWORK_DIR})
    endif()
endif()
