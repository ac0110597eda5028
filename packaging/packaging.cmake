# What "cmake --install" puts in place, and the Debian package of it.
include(GNUInstallDirs)

# The icon theme, drawn by the program's own painter.
add_executable(tavlo_icons packaging/make_icons.cpp)
target_link_libraries(tavlo_icons PRIVATE tavlo_qt_shell)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/icons/hicolor/scalable/apps/tavlo.svg
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
        $<TARGET_FILE:tavlo_icons> ${CMAKE_BINARY_DIR}/icons
    DEPENDS tavlo_icons
    COMMENT "Drawing the icon theme")
add_custom_target(tavlo_icon_theme ALL DEPENDS ${CMAKE_BINARY_DIR}/icons/hicolor/scalable/apps/tavlo.svg)

configure_file(packaging/tavlo.metainfo.xml.in jp.tavlo.Tavlo.metainfo.xml @ONLY)

install(TARGETS tavlo tavlo-autostart RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/tavlo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/jp.tavlo.Tavlo.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavlo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tavlo developers <tavlo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop gadget: date, time, moon, CPU, memory and disk readouts")
set(CPACK_PACKAGE_DESCRIPTION "Tavlo paints the date and time, the moon of the day and four readouts \
(CPU, RAM, disk activity, free disk space) on the desktop, with a Japanese user interface. An icon in the \
notification area opens its settings and maintenance actions.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so the library scan cannot see them: the X11 platform
# plugin, the face the readouts are drawn in, Qt's Japanese texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic, qt6-translations-l10n")
include(CPack)
