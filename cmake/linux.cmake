# The Linux program: the operating system's services, Qt's services and the
# thin Qt shell over the layers, the executable and its package.
find_package(Qt6 REQUIRED COMPONENTS Core DBus Gui Widgets)
find_package(PkgConfig REQUIRED)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb xcb-shape)
pkg_check_modules(SQLITE REQUIRED IMPORTED_TARGET sqlite3)

tavlo_layer(tavlo_os LINKS tavlo_platform_api SOURCES
    platform/linux/browser_cache.cpp
    platform/linux/browser_history.cpp
    platform/linux/cgroup_memory.cpp
    platform/linux/cp932_codec.cpp
    platform/linux/flock_instance_lock.cpp
    platform/linux/folder_tree.cpp
    platform/linux/freedesktop_trash.cpp
    platform/linux/kept_file.cpp
    platform/linux/linux_services.cpp
    platform/linux/mmap_memory_blocks.cpp
    platform/linux/notification_host_watch.cpp
    platform/linux/posix_file_store.cpp
    platform/linux/posix_session_info.cpp
    platform/linux/proc_counter_source.cpp
    platform/linux/proc_meminfo.cpp
    platform/linux/proc_parsers.cpp
    platform/linux/quit_signals.cpp
    platform/linux/start_again.cpp
    platform/linux/desktop_tool_programs.cpp
    platform/linux/x11_connection.cpp
    platform/linux/x11_desktop_window.cpp
    platform/linux/x11_display_check.cpp
    platform/linux/xdg_folders.cpp
    platform/linux/xdg_autostart.cpp
    platform/linux/xdg_recent_documents.cpp
)
target_link_libraries(tavlo_os PRIVATE Qt6::Gui Qt6::DBus PkgConfig::XCB PkgConfig::SQLITE)
target_compile_definitions(tavlo_os PRIVATE TAVLO_VERSION="${PROJECT_VERSION}")
set_target_properties(tavlo_os PROPERTIES AUTOMOC ON)

# "tavlo-autostart on|off": the gadget at login, through a copy of its
# desktop entry.
file(READ packaging/tavlo.desktop TAVLO_DESKTOP_ENTRY)
configure_file(packaging/desktop_entry.h.in generated/platform/linux/desktop_entry.h @ONLY)
add_executable(tavlo-autostart platform/linux/autostart_main.cpp)
target_include_directories(tavlo-autostart PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_link_libraries(tavlo-autostart PRIVATE tavlo_os)

# Services that Qt provides the same way on every OS.
tavlo_layer(tavlo_platform_qt LINKS tavlo_platform_api Qt6::Gui SOURCES
    platform/qt/qt_clock.cpp
    platform/qt/qt_launcher.cpp
    platform/qt/qt_screen.cpp
)

# The thin Qt shell: gadget window, notification icon, dialogs.
tavlo_layer(tavlo_qt_shell LINKS tavlo_gadget tavlo_platform_qt tavlo_os Qt6::Widgets SOURCES
    setup/qt/pickers.cpp
    setup/qt/settings_dialog.cpp
    shell/qt/fonts.cpp
    shell/qt/gadget_app.cpp
    shell/qt/gadget_renderer.cpp
    shell/qt/gadget_session.cpp
    shell/qt/gadget_window.cpp
    shell/qt/message_box_notifier.cpp
    shell/qt/moon_images.cpp
    shell/qt/position_strip.cpp
    shell/qt/render_cache.cpp
    shell/qt/startup_trace.cpp
    shell/qt/translations.cpp
    shell/qt/tray_icon.cpp
    shell/qt/tray_menu.cpp
)
set_target_properties(tavlo_qt_shell PROPERTIES AUTOMOC ON)

add_executable(tavlo shell/qt/main.cpp)
target_link_libraries(tavlo PRIVATE tavlo_qt_shell tavlo_os)

include(packaging/packaging.cmake)
