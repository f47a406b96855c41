# Building for Windows: the Unicode API throughout, a Windows 7 floor, and
# programs that CTest and the build run under Wine when it is installed.
target_compile_definitions(orvane_flags INTERFACE
    UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)

if(CMAKE_CROSSCOMPILING)
    find_program(ORVANE_WINE wine)
    if(ORVANE_WINE)
        set(CMAKE_CROSSCOMPILING_EMULATOR
            ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix)
    endif()
endif()
