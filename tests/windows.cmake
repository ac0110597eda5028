# Unit tests of the Windows services, run under Wine in a prefix of this
# build's own (see platform/windows/wine_run.sh).
add_executable(tavlo_platform_tests
    platform/windows/com_apartment_test.cpp
    platform/windows/com_url_history_test.cpp
    platform/windows/command_line_test.cpp
    platform/windows/end_requests_test.cpp
    platform/windows/mutex_instance_lock_test.cpp
    platform/windows/pdh_counter_source_test.cpp
    platform/windows/prepare_process_test.cpp
    platform/windows/shell_launcher_test.cpp
    platform/windows/shell_recent_documents_test.cpp
    platform/windows/shell_recycle_bin_test.cpp
    platform/windows/virtual_alloc_memory_blocks_test.cpp
    platform/windows/win32_clipboard_test.cpp
    platform/windows/win32_clock_test.cpp
    platform/windows/win32_cp932_codec_test.cpp
    platform/windows/win32_file_store_test.cpp
    platform/windows/win32_message_box_notifier_test.cpp
    platform/windows/win32_place_trust_test.cpp
    platform/windows/win32_screen_test.cpp
    platform/windows/win32_session_info_test.cpp
    platform/windows/windows_services_test.cpp
    platform/windows/windows_tool_programs_test.cpp
    platform/windows/wininet_url_cache_test.cpp
    shell/win32/dpi_scale_test.cpp
    shell/win32/icon_file_test.cpp
    shell/win32/icon_pixels_test.cpp
    shell/win32/menu_plan_test.cpp
    shell/win32/notify_tip_test.cpp
    shell/win32/program_resources_test.cpp
    shell/win32/settings_dialog_plan_test.cpp
    shell/win32/strip_pointer_test.cpp
    shell/win32/timer_plan_test.cpp
)
target_include_directories(tavlo_platform_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/..)
target_link_libraries(tavlo_platform_tests PRIVATE tavlo_gadget tavlo_os tavlo_win32_shell GTest::gtest_main)
target_compile_definitions(tavlo_platform_tests PRIVATE TAVLO_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
# The program's resources are read from the program this build made.
target_compile_definitions(tavlo_platform_tests PRIVATE TAVLO_PROGRAM="$<TARGET_FILE:tavlo>" TAVLO_VERSION="${PROJECT_VERSION}")
target_link_libraries(tavlo_platform_tests PRIVATE version)
add_dependencies(tavlo_platform_tests tavlo)
gtest_discover_tests(tavlo_platform_tests ${discovery} DISCOVERY_TIMEOUT 120 PROPERTIES LABELS unit)

# End-to-end under Xvfb: a keyed window of the gadget's kind shows the
# wallpaper through its key colour. Display tests share a prefix of their
# own, one at a time: a prefix's desktop process keeps the display it
# started with.
add_executable(tavlo_colour_key_probe platform/windows/colour_key_probe.cpp)
target_include_directories(tavlo_colour_key_probe PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/..)
target_link_libraries(tavlo_colour_key_probe PRIVATE tavlo_os)
set_target_properties(tavlo_colour_key_probe PROPERTIES WIN32_EXECUTABLE ON)
target_link_options(tavlo_colour_key_probe PRIVATE $<$<CXX_COMPILER_ID:GNU>:-municode>)
add_test(NAME e2e.colour_key
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/platform/windows/colour_key.sh $<TARGET_FILE:tavlo_colour_key_probe>
        ${CMAKE_BINARY_DIR}/e2e-artifacts ${CMAKE_BINARY_DIR}/wine-display)
set_tests_properties(e2e.colour_key PROPERTIES LABELS e2e TIMEOUT 180 SKIP_RETURN_CODE 77 RESOURCE_LOCK wine-display)

# End-to-end of tavlo.exe under Wine, Xvfb and trayer, in a prefix of their
# own that shows Japanese; one display test at a time, as above. A console
# helper in the same prefix looks at the desktop and the clipboard as
# Windows sees them, and ends the session.
add_executable(tavlo_window_probe e2e/win32/window_probe.cpp)
target_link_options(tavlo_window_probe PRIVATE $<$<CXX_COMPILER_ID:GNU>:-municode>)
target_link_libraries(tavlo_window_probe PRIVATE user32 wininet)
foreach(test first_start second_instance tray_menu settings_dialog position_mode maintenance end_session)
    add_test(NAME e2e.win32.${test}
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/win32/${test}.sh $<TARGET_FILE:tavlo>
            ${CMAKE_BINARY_DIR}/e2e-artifacts ${CMAKE_BINARY_DIR}/wine-shell $<TARGET_FILE:tavlo_window_probe>)
    set_tests_properties(e2e.win32.${test} PROPERTIES LABELS e2e TIMEOUT 120 SKIP_RETURN_CODE 77 RESOURCE_LOCK wine-display)
endforeach()

# tavlo.exe as a file: its imports and its manifest.
add_test(NAME win32.program_file
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/win32/program_file.sh $<TARGET_FILE:tavlo>)
set_tests_properties(win32.program_file PROPERTIES LABELS unit SKIP_RETURN_CODE 77)

# What a Windows user installs (packaging/windows.cmake): the package and
# the zip as files, and the package installed, started, upgraded and
# removed under Wine, Xvfb and trayer. Each installer test makes a Wine
# prefix of its own, which it removes again; one at a time, as the other
# display tests, because a fresh prefix is heavy work for the machine.
if(TARGET tavlo_windows_packages)
    # A package of the same program with a lower version, to upgrade from
    # and to be refused as a downgrade.
    if(PROJECT_VERSION_PATCH GREATER 0)
        math(EXPR older_patch "${PROJECT_VERSION_PATCH} - 1")
        set(older_version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${older_patch})
    elseif(PROJECT_VERSION_MINOR GREATER 0)
        math(EXPR older_minor "${PROJECT_VERSION_MINOR} - 1")
        set(older_version ${PROJECT_VERSION_MAJOR}.${older_minor}.0)
    else()
        math(EXPR older_major "${PROJECT_VERSION_MAJOR} - 1")
        set(older_version ${older_major}.0.0)
    endif()
    set(older_msi ${CMAKE_CURRENT_BINARY_DIR}/older/tavlo-${older_version}-x64.msi)
    tavlo_msi(${older_msi} ${older_version})
    add_custom_target(tavlo_older_msi ALL DEPENDS ${older_msi})
    add_dependencies(tavlo_older_msi tavlo_windows_packages)

    add_test(NAME win32.windows_packages
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/win32/windows_packages.sh ${TAVLO_MSI} ${TAVLO_ZIP}
            ${TAVLO_STRIPPED} ${PROJECT_VERSION})
    set_tests_properties(win32.windows_packages PROPERTIES LABELS unit SKIP_RETURN_CODE 77)
    add_test(NAME win32.wixl_warnings
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/win32/wixl_warnings.sh
            ${CMAKE_SOURCE_DIR}/packaging/windows/wixl.cmake ${TAVLO_WXS} ${TAVLO_STRIPPED} ${TAVLO_ICON})
    set_tests_properties(win32.wixl_warnings PROPERTIES LABELS unit SKIP_RETURN_CODE 77)

    foreach(test msi_install msi_autostart msi_upgrade)
        add_test(NAME e2e.win32.${test}
            COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/win32/${test}.sh ${TAVLO_STRIPPED}
                ${CMAKE_BINARY_DIR}/e2e-artifacts ${TAVLO_MSI} $<TARGET_FILE:tavlo_window_probe> ${TAVLO_ICON}
                ${older_msi})
        set_tests_properties(e2e.win32.${test} PROPERTIES LABELS e2e TIMEOUT 300 SKIP_RETURN_CODE 77
            RESOURCE_LOCK wine-display)
    endforeach()
endif()
