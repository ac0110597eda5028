# What a Windows user installs: a per-user Windows Installer package and a
# zip for portable use, both of the stripped tavlo.exe and both carrying
# the project's version:
#   package/tavlo-<version>-x64.msi
#   package/tavlo-<version>-windows-x64.zip
# The package is made by wixl (Debian's wixl), which is only found here.
find_program(WIXL wixl)
if(NOT WIXL)
    message(STATUS "wixl not found: no Windows Installer package (scripts/install-deps.sh windows)")
    return()
endif()

set(TAVLO_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(TAVLO_STRIPPED ${TAVLO_PACKAGE_DIR}/stage/Tavlo/tavlo.exe)
set(TAVLO_WXS ${CMAKE_SOURCE_DIR}/packaging/windows/tavlo.wxs)

# The program without its debugging information (RelWithDebInfo keeps it
# in the build's own copy).
add_custom_command(OUTPUT ${TAVLO_STRIPPED}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVLO_PACKAGE_DIR}/stage/Tavlo
    COMMAND ${CMAKE_STRIP} --strip-all -o ${TAVLO_STRIPPED} $<TARGET_FILE:tavlo>
    DEPENDS tavlo
    COMMENT "Stripping tavlo.exe"
    VERBATIM)

# tavlo_msi(OUTPUT VERSION): the installer of the stripped program as
# VERSION. wixl reports some mistakes only as warnings and still writes a
# package, so anything it prints on standard error fails the build.
function(tavlo_msi output version)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -D WIXL=${WIXL} -D WXS=${TAVLO_WXS} -D OUTPUT=${output} -D VERSION=${version}
            -D PROGRAM=${TAVLO_STRIPPED} -D ICON=${TAVLO_ICON}
            -P ${CMAKE_SOURCE_DIR}/packaging/windows/wixl.cmake
        DEPENDS ${TAVLO_WXS} ${TAVLO_STRIPPED} ${TAVLO_ICON} ${CMAKE_SOURCE_DIR}/packaging/windows/wixl.cmake
        COMMENT "Building the Windows Installer package ${output}"
        VERBATIM)
endfunction()

set(TAVLO_MSI ${TAVLO_PACKAGE_DIR}/tavlo-${PROJECT_VERSION}-x64.msi)
tavlo_msi(${TAVLO_MSI} ${PROJECT_VERSION})

# The portable zip: the program and a read-me in Japanese and English
# (UTF-8 with a byte-order mark and CRLF, so that Notepad shows it right),
# in a folder Tavlo. Dated with the release, so that the same program gives
# the same zip.
set(TAVLO_README ${TAVLO_PACKAGE_DIR}/stage/Tavlo/README.txt)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/README.txt.in ${TAVLO_README} @ONLY NEWLINE_STYLE CRLF)
set(TAVLO_ZIP ${TAVLO_PACKAGE_DIR}/tavlo-${PROJECT_VERSION}-windows-x64.zip)
add_custom_command(OUTPUT ${TAVLO_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${TAVLO_ZIP} --format=zip --mtime=${TAVLO_RELEASE_DATE}
        Tavlo/tavlo.exe Tavlo/README.txt
    WORKING_DIRECTORY ${TAVLO_PACKAGE_DIR}/stage
    DEPENDS ${TAVLO_STRIPPED} ${TAVLO_README}
    COMMENT "Building the portable zip ${TAVLO_ZIP}"
    VERBATIM)

add_custom_target(tavlo_windows_packages ALL DEPENDS ${TAVLO_MSI} ${TAVLO_ZIP})
