# Unit tests of the Linux services, on the machine's own files and
# processes, in folders of their own.
add_executable(tavlo_platform_tests
    platform/linux/cp932_codec_test.cpp
    platform/linux/posix_file_store_test.cpp
    platform/linux/flock_instance_lock_test.cpp
    platform/linux/proc_counter_source_test.cpp
    platform/linux/proc_meminfo_test.cpp
    platform/linux/mmap_memory_blocks_test.cpp
    platform/linux/cgroup_memory_test.cpp
    platform/linux/xdg_autostart_test.cpp
    platform/linux/xdg_recent_documents_test.cpp
    platform/linux/freedesktop_trash_test.cpp
    platform/linux/browser_cache_test.cpp
    platform/linux/browser_history_test.cpp
    fakes/failing_readdir.cpp
)
target_include_directories(tavlo_platform_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/..)
target_link_libraries(tavlo_platform_tests PRIVATE tavlo_gadget tavlo_os PkgConfig::SQLITE GTest::gtest_main ${CMAKE_DL_LIBS})
target_compile_definitions(tavlo_platform_tests PRIVATE TAVLO_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
gtest_discover_tests(tavlo_platform_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)

# Widget tests on Qt's offscreen platform.
add_executable(tavlo_widget_tests
    shell/qt/widget_test_main.cpp
    shell/qt/tray_icon_test.cpp
    shell/qt/message_box_notifier_test.cpp
    shell/qt/gadget_renderer_test.cpp
    shell/qt/gadget_window_test.cpp
    shell/qt/gadget_session_test.cpp
    shell/qt/odd_settings_file_test.cpp
    platform/qt/qt_clock_test.cpp
    platform/linux/quit_signals_test.cpp
    setup/qt/settings_dialog_test.cpp
)
target_include_directories(tavlo_widget_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/..)
target_link_libraries(tavlo_widget_tests PRIVATE tavlo_qt_shell GTest::gtest)
target_compile_definitions(tavlo_widget_tests PRIVATE TAVLO_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
gtest_discover_tests(tavlo_widget_tests DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS widget ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# End-to-end: the real program under Xvfb with a notification area. Each
# entry is a script and its extra argument; screenshots are kept in
# e2e-artifacts of the build folder.
set(TAVLO_E2E_TESTS
    "first_start" "second_instance" "saved_position" "no_display"
    "transparency shape" "transparency composite" "look_settings" "tray_menu xembed" "tray_menu sni"
    "late_tray xembed" "late_tray sni" "tray_restart xembed" "tray_restart sni" "tray_switch xembed sni" "tray_switch sni xembed"
    "keyboard_focus openbox" "keyboard_focus mutter" "keyboard_focus sway"
    "position_mode" "settings_dialog" "dialog_frame" "maintenance memory" "maintenance clipboard" "maintenance trash"
    "maintenance quit")
foreach(entry IN LISTS TAVLO_E2E_TESTS)
    separate_arguments(words UNIX_COMMAND "${entry}")
    list(POP_FRONT words script)
    string(REPLACE " " "_" name "${entry}")
    add_test(NAME e2e.${name}
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${script}.sh $<TARGET_FILE:tavlo>
            ${CMAKE_BINARY_DIR}/e2e-artifacts ${words})
    set_tests_properties(e2e.${name} PROPERTIES LABELS e2e TIMEOUT 180 SKIP_RETURN_CODE 77)
endforeach()

# The Debian package, made from this build and installed on the machine; a
# sanitized build makes no package for users.
if(NOT TAVLO_SANITIZE)
    add_test(NAME e2e.package
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/package.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/e2e-artifacts)
    set_tests_properties(e2e.package PROPERTIES LABELS e2e TIMEOUT 300 SKIP_RETURN_CODE 77)
endif()
