# The Windows side: the operating system's services through Win32, on the
# same layers as the Linux program. Everything is linked statically, so
# that the programs need no DLL beside them.
add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0A00 WINVER=0x0A00 NOMINMAX WIN32_LEAN_AND_MEAN)
add_link_options($<$<CXX_COMPILER_ID:GNU>:-static>)

# Programs built for Windows run here under Wine: the tests, and the
# program that draws the icon at build time.
if(CMAKE_CROSSCOMPILING)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/platform/windows/wine_run.sh ${CMAKE_BINARY_DIR}/wine)
endif()

tavlo_layer(tavlo_os LINKS tavlo_platform_api SOURCES
    platform/windows/com_apartment.cpp
    platform/windows/com_url_history.cpp
    platform/windows/command_line.cpp
    platform/windows/end_requests.cpp
    platform/windows/system_message.cpp
    platform/windows/layered_window.cpp
    platform/windows/mutex_instance_lock.cpp
    platform/windows/pdh_counter_source.cpp
    platform/windows/pdh_query.cpp
    platform/windows/prepare_process.cpp
    platform/windows/shell_launcher.cpp
    platform/windows/shell_recent_documents.cpp
    platform/windows/shell_recycle_bin.cpp
    platform/windows/system_figures.cpp
    platform/windows/under_wine.cpp
    platform/windows/virtual_alloc_memory_blocks.cpp
    platform/windows/wide_text.cpp
    platform/windows/win32_clipboard.cpp
    platform/windows/win32_clock.cpp
    platform/windows/win32_cp932_codec.cpp
    platform/windows/win32_file_store.cpp
    platform/windows/win32_memory_status.cpp
    platform/windows/win32_message_box_notifier.cpp
    platform/windows/win32_place_trust.cpp
    platform/windows/win32_screen.cpp
    platform/windows/win32_session_info.cpp
    platform/windows/windows_services.cpp
    platform/windows/windows_tool_programs.cpp
    platform/windows/wininet_url_cache.cpp
)
target_link_libraries(tavlo_os PRIVATE advapi32 ole32 pdh shell32 user32 uuid wininet)

# The Win32 shell over the main window's logic, and the program tavlo.exe.
tavlo_layer(tavlo_win32_shell LINKS tavlo_gadget tavlo_os SOURCES
    shell/win32/common_pickers.cpp
    shell/win32/dpi_scale.cpp
    shell/win32/gadget_painter.cpp
    shell/win32/gadget_shell.cpp
    shell/win32/icon_file.cpp
    shell/win32/icon_pixels.cpp
    shell/win32/menu_plan.cpp
    shell/win32/notify_icon.cpp
    shell/win32/notify_tip.cpp
    shell/win32/popup_menu.cpp
    shell/win32/position_strip_window.cpp
    shell/win32/settings_dialog_plan.cpp
    shell/win32/settings_window.cpp
    shell/win32/strip_pointer.cpp
    shell/win32/timer_plan.cpp
)
target_link_libraries(tavlo_win32_shell PRIVATE comdlg32 gdi32 shell32 user32)
# The program's resources: its manifest, its version and its icon, which a
# program of this build draws into an .ico under Wine.
enable_language(RC)
add_executable(tavlo_icon_file shell/win32/icon_file_main.cpp)
target_link_libraries(tavlo_icon_file PRIVATE tavlo_win32_shell)
set(TAVLO_ICON ${CMAKE_CURRENT_BINARY_DIR}/tavlo.ico)
set(TAVLO_MANIFEST ${CMAKE_CURRENT_SOURCE_DIR}/shell/win32/tavlo.manifest)
add_custom_command(OUTPUT ${TAVLO_ICON}
    COMMAND tavlo_icon_file tavlo.ico
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DEPENDS tavlo_icon_file
    VERBATIM)
configure_file(shell/win32/tavlo.rc.in tavlo.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/tavlo.rc PROPERTIES OBJECT_DEPENDS "${TAVLO_ICON};${TAVLO_MANIFEST}")
add_executable(tavlo WIN32 shell/win32/main.cpp ${CMAKE_CURRENT_BINARY_DIR}/tavlo.rc ${TAVLO_ICON})
set_target_properties(tavlo PROPERTIES OUTPUT_NAME tavlo)
target_link_options(tavlo PRIVATE $<$<CXX_COMPILER_ID:GNU>:-municode>)
target_link_libraries(tavlo PRIVATE tavlo_win32_shell)

# The Windows Installer package and the portable zip.
include(packaging/windows.cmake)
