# Runs wixl on the installer's description and fails on any word it says on
# standard error: it reports unknown elements' attributes and missing
# GUIDs only as warnings and writes a package anyway.
#   cmake -D WIXL=... -D WXS=... -D OUTPUT=... -D VERSION=... -D PROGRAM=... -D ICON=... -P wixl.cmake
# wixl looks for the files it packs only below its working folder and the
# folders given with -I, by relative paths: the program's folder is the
# working folder here.
get_filename_component(base ${PROGRAM} DIRECTORY)
file(RELATIVE_PATH program ${base} ${PROGRAM})
file(RELATIVE_PATH icon ${base} ${ICON})
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(
    COMMAND ${WIXL} --arch x64 -D Version=${VERSION} -D Program=${program} -D Icon=${icon} -o ${OUTPUT} ${WXS}
    WORKING_DIRECTORY ${base}
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "wixl failed (status ${status}) on ${WXS}:\n${errors}")
endif()
