# The folders and the folders each may include. A layer includes only the
# layers below it; the operating-system implementations only the interfaces
# they implement; only the Qt shell sees everything but those
# implementations. A file that includes anything else stops the configure.
set(TAVLO_LAYER_platform "platform")
set(TAVLO_LAYER_core "platform;core")
set(TAVLO_LAYER_display "platform;core;display")
set(TAVLO_LAYER_monitor "platform;core;display;monitor")
set(TAVLO_LAYER_tools "platform;core;display;tools")
set(TAVLO_LAYER_setup "platform;core;display;setup")
set(TAVLO_LAYER_shell "platform;core;display;monitor;tools;setup;shell")
set(TAVLO_LAYER_platform/linux "platform;platform/linux")
set(TAVLO_LAYER_platform/windows "platform;platform/windows")
set(TAVLO_LAYER_platform/qt "platform;platform/qt")
set(TAVLO_LAYER_shell/qt "platform;platform/qt;core;display;monitor;tools;setup;shell;setup/qt;shell/qt")
set(TAVLO_LAYER_setup/qt "${TAVLO_LAYER_shell/qt}")
set(TAVLO_LAYER_shell/win32 "platform;platform/windows;core;display;monitor;tools;setup;shell;shell/win32")

function(tavlo_check_layers)
    file(GLOB_RECURSE files RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" CONFIGURE_DEPENDS
        core/*.h core/*.cpp display/*.h display/*.cpp monitor/*.h monitor/*.cpp tools/*.h tools/*.cpp
        setup/*.h setup/*.cpp shell/*.h shell/*.cpp platform/*.h platform/*.cpp)
    foreach(file IN LISTS files)
        get_filename_component(folder "${file}" DIRECTORY)
        if(NOT DEFINED TAVLO_LAYER_${folder})
            message(FATAL_ERROR "${file}: the folder ${folder} has no place among the layers")
        endif()
        file(STRINGS "${CMAKE_CURRENT_SOURCE_DIR}/${file}" includes
            REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](core|display|monitor|tools|setup|shell|platform)/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" included "${line}")
            get_filename_component(from "${included}" DIRECTORY)
            if(NOT from IN_LIST TAVLO_LAYER_${folder})
                message(FATAL_ERROR "${file} includes ${included}: ${folder}/ may include only ${TAVLO_LAYER_${folder}}")
            endif()
        endforeach()
    endforeach()
endfunction()

# A library of one layer, linked only to the layers below it, so that a
# call into a layer above fails to link.
function(tavlo_layer name)
    cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "SOURCES;LINKS")
    add_library(${name} STATIC ${LAYER_SOURCES})
    target_link_libraries(${name} PUBLIC ${LAYER_LINKS})
endfunction()
