# The HTTP client goes through WinINet; its Windows test serves answers from a Winsock socket.
if(WIN32)
    target_link_libraries(configwifi_win32 PUBLIC wininet)
    if(TARGET win32_tests)
        target_link_libraries(win32_tests PRIVATE ws2_32)
    endif()
endif()
