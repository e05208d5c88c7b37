# Installs the build tree into a scratch prefix, then configures, builds and
# runs the consumer against it.
set(prefix "${WORK_DIR}/prefix")
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(result)
    message(FATAL_ERROR "install failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${WORK_DIR}/consumer"
                        "-DCMAKE_PREFIX_PATH=${prefix}" "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
                        "-DCMAKE_EXE_LINKER_FLAGS=${CXX_FLAGS}"
                RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "find_package(Tavisk) failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build "${WORK_DIR}/consumer" RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "building against Tavisk::Tavisk failed")
endif()
execute_process(COMMAND "${WORK_DIR}/consumer/consumer" RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "the consumer did not run")
endif()
# The converter is installed with the library and finds it from there.
execute_process(COMMAND "${prefix}/bin/tavisk" --version RESULT_VARIABLE result OUTPUT_QUIET)
if(result)
    message(FATAL_ERROR "the installed tavisk tool did not run")
endif()
