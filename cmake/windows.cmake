# The Windows side: the operating system's services through Win32, on the
# same layers as the Linux program. Everything is linked statically, so
# that the programs need no DLL beside them.
add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0A00 WINVER=0x0A00 NOMINMAX WIN32_LEAN_AND_MEAN)
add_link_options(-static)

tavlo_layer(tavlo_os LINKS tavlo_platform_api SOURCES
    platform/windows/command_line.cpp
    platform/windows/end_requests.cpp
    platform/windows/layered_window.cpp
    platform/windows/message_box_notifier.cpp
    platform/windows/mutex_instance_lock.cpp
    platform/windows/prepare_process.cpp
    platform/windows/shell_launcher.cpp
    platform/windows/wide_text.cpp
    platform/windows/win32_cp932_codec.cpp
    platform/windows/win32_session_info.cpp
    platform/windows/windows_tool_programs.cpp
)
target_link_libraries(tavlo_os PRIVATE advapi32 shell32 ole32 user32)

# Programs built for Windows run here under Wine.
if(CMAKE_CROSSCOMPILING)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/platform/windows/wine_run.sh ${CMAKE_BINARY_DIR}/wine)
endif()
