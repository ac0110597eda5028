# Runs wixl on the installer's description and fails on any word it says on
# standard error: it reports unknown elements' attributes and missing
# GUIDs only as warnings and writes a package anyway.
#   cmake -D WIXL=... -D WXS=... -D OUTPUT=... -D VERSION=... -D PROGRAM=... -D ICON=... -P wixl.cmake
execute_process(
    COMMAND ${WIXL} --arch x64 -D Version=${VERSION} -D Program=${PROGRAM} -D Icon=${ICON} -o ${OUTPUT} ${WXS}
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "wixl failed (status ${status}) on ${WXS}:\n${errors}")
endif()
