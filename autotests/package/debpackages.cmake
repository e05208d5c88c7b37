# Installs the Debian packages libtavisk1, libtavisk-dev and tavisk into a
# scratch root with dpkg -x and builds the README's example against them:
# with CMake's find_package(Tavisk) and with the README's plain compiler line
# that asks pkg-config. Then runs the example and the packaged converter.
#
# The packages come from $TAVISK_PACKAGES_DIR when set (CI points it at what
# scripts/package made), else CPack makes them from BUILD_DIR.
#
# -D BUILD_DIR, PROJECT_DIR, WORK_DIR, CXX_FLAGS (extra flags for the example)

cmake_policy(VERSION 3.21)

function(run)
    cmake_parse_arguments(RUN "" "WHAT;WORKING_DIRECTORY;OUTPUT" "COMMAND" ${ARGN})
    if(NOT RUN_WORKING_DIRECTORY)
        set(RUN_WORKING_DIRECTORY "${WORK_DIR}")
    endif()
    execute_process(COMMAND ${RUN_COMMAND} WORKING_DIRECTORY "${RUN_WORKING_DIRECTORY}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(result)
        message(FATAL_ERROR "${RUN_WHAT} failed (${result}):\n${RUN_COMMAND}\n${output}")
    endif()
    if(RUN_OUTPUT)
        set(${RUN_OUTPUT} "${output}" PARENT_SCOPE)
    endif()
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# The packages.
if(DEFINED ENV{TAVISK_PACKAGES_DIR} AND NOT "$ENV{TAVISK_PACKAGES_DIR}" STREQUAL "")
    get_filename_component(packages "$ENV{TAVISK_PACKAGES_DIR}" ABSOLUTE)
    set(prebuilt TRUE)
else()
    set(prebuilt FALSE)
    set(packages "${WORK_DIR}/packages")
    run(WHAT "cpack" COMMAND cpack -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${packages}")
endif()
set(root "${WORK_DIR}/root")
file(MAKE_DIRECTORY "${root}")
foreach(package libtavisk1 libtavisk-dev tavisk)
    file(GLOB deb "${packages}/${package}_*.deb")
    list(LENGTH deb count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "expected one ${package}_*.deb in ${packages}, found ${count}")
    endif()
    run(WHAT "dpkg -x ${deb}" COMMAND dpkg -x "${deb}" "${root}")
    run(WHAT "dpkg-deb -f ${deb}" COMMAND dpkg-deb -f "${deb}" Depends OUTPUT depends)
    set(depends_${package} "${depends}")
endforeach()

# Dependencies: the library on the Qt runtime, the others on the library.
foreach(check
        "libtavisk1|libqt6core6" "libtavisk1|libqt6gui6"
        "tavisk|libtavisk1 (= " "tavisk|libqt6gui6"
        "libtavisk-dev|libtavisk1 (= " "libtavisk-dev|qt6-base-dev")
    string(REPLACE "|" ";" check "${check}")
    list(GET check 0 package)
    list(GET check 1 needed)
    string(FIND "${depends_${package}}" "${needed}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${package} does not depend on ${needed}: Depends: ${depends_${package}}")
    endif()
endforeach()

# Where the files went.
file(GLOB_RECURSE library "${root}/usr/lib/*libTavisk.so.1")
file(GLOB_RECURSE pc_file "${root}/usr/lib/*tavisk.pc")
foreach(file library pc_file)
    if(NOT ${file})
        message(FATAL_ERROR "${file} not found in the packages")
    endif()
endforeach()
foreach(file usr/bin/tavisk usr/include/tavisk/reader.h usr/include/tavisk/destinations/destination.h
             usr/share/man/man1/tavisk.1.gz usr/share/bash-completion/completions/tavisk)
    if(NOT EXISTS "${root}/${file}")
        message(FATAL_ERROR "/${file} is not in the packages")
    endif()
endforeach()
# scripts/package builds the API reference into libtavisk-dev.
if(prebuilt AND NOT EXISTS "${root}/usr/share/doc/libtavisk-dev/html/index.html")
    message(FATAL_ERROR "libtavisk-dev from ${packages} holds no API reference")
endif()
get_filename_component(libdir "${library}" DIRECTORY)
get_filename_component(pc_dir "${pc_file}" DIRECTORY)

# The scratch root stands for a system with the packages installed: Qt's
# development files, which libtavisk-dev depends on, are linked into it from
# this system, so that paths pkg-config reports below the root resolve.
execute_process(COMMAND pkg-config --cflags --libs Qt6Core Qt6Gui
                OUTPUT_VARIABLE qt_flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "pkg-config finds no Qt6Core and Qt6Gui")
endif()
separate_arguments(qt_flags UNIX_COMMAND "${qt_flags}")
set(qt_includedirs "")
set(qt_libdirs "")
foreach(flag ${qt_flags})
    if(flag MATCHES "^-I(/.*)$")
        list(APPEND qt_includedirs "${CMAKE_MATCH_1}")
    elseif(flag MATCHES "^-L(/.*)$")
        list(APPEND qt_libdirs "${CMAKE_MATCH_1}")
    endif()
endforeach()
# A folder before the folders inside it: one link then serves them all.
list(SORT qt_includedirs)
foreach(dir ${qt_includedirs})
    if(NOT EXISTS "${root}${dir}")
        get_filename_component(parent "${root}${dir}" DIRECTORY)
        file(MAKE_DIRECTORY "${parent}")
        file(CREATE_LINK "${dir}" "${root}${dir}" SYMBOLIC)
    endif()
endforeach()
list(APPEND qt_libdirs /usr/lib/x86_64-linux-gnu /usr/lib)
foreach(flag ${qt_flags})
    if(flag MATCHES "^-l(.*)$")
        set(name "lib${CMAKE_MATCH_1}.so")
        foreach(dir ${qt_libdirs})
            if(EXISTS "${dir}/${name}" AND NOT EXISTS "${root}${dir}/${name}")
                file(MAKE_DIRECTORY "${root}${dir}")
                file(CREATE_LINK "${dir}/${name}" "${root}${dir}/${name}" SYMBOLIC)
                break()
            endif()
        endforeach()
    endif()
endforeach()

# The README's example: its program, its CMake lines, its compiler line.
file(READ "${PROJECT_DIR}/README.md" readme)
string(FIND "${readme}" "\n## Use the library" start)
if(start EQUAL -1)
    message(FATAL_ERROR "README.md has no section 'Use the library'")
endif()
string(SUBSTRING "${readme}" ${start} -1 section)
string(SUBSTRING "${section}" 1 -1 section)
string(FIND "${section}" "\n## " end)
string(SUBSTRING "${section}" 0 ${end} section)
string(REGEX MATCH "```cpp\n.*" after "${section}")
string(FIND "${after}" "\n```" stop)
math(EXPR length "${stop} - 6")
string(SUBSTRING "${after}" 7 ${length} program)
string(REGEX MATCH "```cmake\n([^`]*)```" cmake_lines "${section}")
set(cmake_lines "${CMAKE_MATCH_1}")
string(REGEX MATCH "\n(c\\+\\+ [^\n]*pkg-config --cflags --libs tavisk[^\n]*)" compiler_line "${section}")
set(compiler_line "${CMAKE_MATCH_1}")
if(NOT program MATCHES "int main" OR NOT cmake_lines MATCHES "find_package\\(Tavisk" OR compiler_line STREQUAL "")
    message(FATAL_ERROR "README.md's 'Use the library' lost its program, its find_package lines or its pkg-config compiler line")
endif()
string(REGEX MATCH "add_executable\\(([A-Za-z0-9_]+) ([A-Za-z0-9_.]+)\\)" ignored "${cmake_lines}")
set(app "${CMAKE_MATCH_1}")
set(source "${CMAKE_MATCH_2}")

set(example "${WORK_DIR}/example")
file(WRITE "${example}/${source}" "${program}")
file(WRITE "${example}/CMakeLists.txt" "${cmake_lines}")
# The example reads letter.rtf from the current folder.
configure_file("${PROJECT_DIR}/examples/showcase.rtf" "${WORK_DIR}/run/letter.rtf" COPYONLY)
set(run_env ${CMAKE_COMMAND} -E env "LD_LIBRARY_PATH=${libdir}" QT_QPA_PLATFORM=offscreen)

# 1. CMake: find_package(Tavisk) from the scratch root.
run(WHAT "configuring the README's example with find_package(Tavisk)"
    COMMAND ${CMAKE_COMMAND} -S "${example}" -B "${WORK_DIR}/cmake-build"
            "-DCMAKE_PREFIX_PATH=${root}/usr" "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
            "-DCMAKE_EXE_LINKER_FLAGS=${CXX_FLAGS}")
run(WHAT "building the README's example with CMake" COMMAND ${CMAKE_COMMAND} --build "${WORK_DIR}/cmake-build")
run(WHAT "running the README's example built with CMake"
    COMMAND ${run_env} "${WORK_DIR}/cmake-build/${app}" WORKING_DIRECTORY "${WORK_DIR}/run" OUTPUT output)
if(NOT output MATCHES "Tavisk showcase")
    message(FATAL_ERROR "the README's example printed no title:\n${output}")
endif()

# 2. pkg-config and a plain compiler line, as the README gives it.
string(REPLACE "c++ " "c++ ${CXX_FLAGS} " compiler_line "${compiler_line}")
run(WHAT "the README's compiler line with pkg-config (${compiler_line})"
    COMMAND ${CMAKE_COMMAND} -E env "PKG_CONFIG_PATH=${pc_dir}" "PKG_CONFIG_SYSROOT_DIR=${root}"
            sh -c "${compiler_line}"
    WORKING_DIRECTORY "${example}")
run(WHAT "running the README's example built with pkg-config"
    COMMAND ${run_env} "${example}/${app}" WORKING_DIRECTORY "${WORK_DIR}/run" OUTPUT output)
if(NOT output MATCHES "Tavisk showcase")
    message(FATAL_ERROR "the README's example printed no title:\n${output}")
endif()
run(WHAT "pkg-config --modversion tavisk"
    COMMAND ${CMAKE_COMMAND} -E env "PKG_CONFIG_PATH=${pc_dir}" pkg-config --modversion tavisk OUTPUT version)
string(STRIP "${version}" version)
if(NOT version STREQUAL VERSION)
    message(FATAL_ERROR "tavisk.pc gives version '${version}', the project is ${VERSION}")
endif()

# 3. The packaged converter finds the packaged library.
run(WHAT "the packaged tavisk"
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen "${root}/usr/bin/tavisk" convert letter.rtf
    WORKING_DIRECTORY "${WORK_DIR}/run" OUTPUT output)
if(output STREQUAL "")
    message(FATAL_ERROR "the packaged tavisk converted letter.rtf to nothing")
endif()
