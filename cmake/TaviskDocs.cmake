# The API reference and its examples.
#
# The examples of the main page are compiled (and run) with the rest of the
# build, so the documentation shows code that works. The reference itself is
# the target `docs`, built into build/docs/html by Doxygen when it is
# installed; an undocumented public symbol fails it.

foreach(example convert frommemory customoutput)
    add_executable(docs-example-${example} ${PROJECT_SOURCE_DIR}/docs/examples/${example}.cpp)
    target_link_libraries(docs-example-${example} PRIVATE Tavisk::Tavisk Qt6::Gui)
endforeach()

if(BUILD_TESTING)
    add_test(NAME docs-example-convert
             COMMAND docs-example-convert ${PROJECT_SOURCE_DIR}/examples/hello.rtf)
    add_test(NAME docs-example-frommemory COMMAND docs-example-frommemory)
    add_test(NAME docs-example-customoutput
             COMMAND docs-example-customoutput ${PROJECT_SOURCE_DIR}/examples/showcase.rtf)
    set_tests_properties(docs-example-convert docs-example-frommemory docs-example-customoutput
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()

find_package(Doxygen QUIET OPTIONAL_COMPONENTS dot)
if(NOT DOXYGEN_FOUND)
    message(STATUS "Doxygen not found: no docs target")
    return()
endif()

set(TAVISK_DOCS_OUTPUT_DIR "${PROJECT_BINARY_DIR}/docs")

# Links to Qt's classes need Qt's tag files (qtcore.tags, qtgui.tags), which
# come with Qt's documentation packages where a distribution has them.
set(TAVISK_DOCS_QT_TAGFILES "")
set(qt_docs_dir "")
if(TARGET Qt6::qmake)
    get_target_property(qmake_location Qt6::qmake IMPORTED_LOCATION)
    if(qmake_location)
        execute_process(COMMAND "${qmake_location}" -query QT_INSTALL_DOCS
                        OUTPUT_VARIABLE qt_docs_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
endif()
foreach(module qtcore qtgui)
    find_file(TAVISK_DOCS_${module}_TAGS ${module}.tags
              HINTS "${qt_docs_dir}/${module}" /usr/share/qt6/doc/${module}
              NO_DEFAULT_PATH)
    if(TAVISK_DOCS_${module}_TAGS)
        string(APPEND TAVISK_DOCS_QT_TAGFILES
               " \"${TAVISK_DOCS_${module}_TAGS}=https://doc.qt.io/qt-6/\"")
    endif()
endforeach()
if(NOT TAVISK_DOCS_QT_TAGFILES)
    message(STATUS "Qt's tag files not found: the API reference will not link to Qt's documentation")
endif()

if(TARGET Doxygen::dot)
    set(TAVISK_DOCS_HAVE_DOT YES)
    get_target_property(dot_location Doxygen::dot IMPORTED_LOCATION)
    get_filename_component(TAVISK_DOCS_DOT_PATH "${dot_location}" DIRECTORY)
else()
    set(TAVISK_DOCS_HAVE_DOT NO)
    set(TAVISK_DOCS_DOT_PATH "")
endif()

configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${TAVISK_DOCS_OUTPUT_DIR}/Doxyfile @ONLY)

file(GLOB docs_inputs CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/include/tavisk/*.h
     ${PROJECT_SOURCE_DIR}/src/destinations/*.h
     ${PROJECT_SOURCE_DIR}/docs/*.dox
     ${PROJECT_SOURCE_DIR}/docs/examples/*.cpp)
# Doxygen leaves its warnings in warnings.log; on failure they are printed.
add_custom_command(
    OUTPUT ${TAVISK_DOCS_OUTPUT_DIR}/html/index.html
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${TAVISK_DOCS_OUTPUT_DIR}/html
    COMMAND ${CMAKE_COMMAND}
            -DDOXYGEN=${DOXYGEN_EXECUTABLE}
            -DDOXYFILE=${TAVISK_DOCS_OUTPUT_DIR}/Doxyfile
            -DLOG=${TAVISK_DOCS_OUTPUT_DIR}/warnings.log
            -P ${PROJECT_SOURCE_DIR}/cmake/TaviskRunDoxygen.cmake
    DEPENDS ${docs_inputs} ${TAVISK_DOCS_OUTPUT_DIR}/Doxyfile ${PROJECT_SOURCE_DIR}/cmake/TaviskRunDoxygen.cmake
    WORKING_DIRECTORY ${TAVISK_DOCS_OUTPUT_DIR}
    COMMENT "Building the API reference in ${TAVISK_DOCS_OUTPUT_DIR}/html"
    VERBATIM)
add_custom_target(docs DEPENDS ${TAVISK_DOCS_OUTPUT_DIR}/html/index.html)
