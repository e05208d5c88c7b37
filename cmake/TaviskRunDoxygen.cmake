# Runs Doxygen for the docs target: prints its warnings and fails when there
# are any, so an undocumented public symbol stops the build.
file(REMOVE "${LOG}")
execute_process(COMMAND "${DOXYGEN}" "${DOXYFILE}" RESULT_VARIABLE result)
set(warnings "")
if(EXISTS "${LOG}")
    file(READ "${LOG}" warnings)
endif()
if(result OR NOT warnings STREQUAL "")
    file(REMOVE_RECURSE "${CMAKE_CURRENT_BINARY_DIR}/html/index.html")
    message(FATAL_ERROR "The API reference has warnings (undocumented or badly documented symbols):\n${warnings}")
endif()
