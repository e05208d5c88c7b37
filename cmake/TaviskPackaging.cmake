# What users install besides the library and its CMake package: the
# pkg-config file, the converter's manual page and bash completion, the API
# reference; and CPack, which makes Debian packages and a tarball of them.
#
# Install components, one per Debian package:
#   runtime      libtavisk1     the shared library
#   development  libtavisk-dev  headers, libTavisk.so, CMake package, tavisk.pc,
#                               the API reference (when built)
#   tool         tavisk         the converter, its manual page and completion
#
# Debian installs libraries under lib/<multiarch>: configure with
# -DCMAKE_INSTALL_PREFIX=/usr (scripts/package does) to get that layout.

# pkg-config: tavisk.pc names the prefix it is installed under, which is
# known only at install time (cmake --install --prefix, CPack), so the file
# is written then.
install(CODE "
    set(TAVISK_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
    set(PROJECT_VERSION \"${PROJECT_VERSION}\")
    set(CMAKE_INSTALL_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
    set(CMAKE_INSTALL_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
    configure_file(\"${PROJECT_SOURCE_DIR}/cmake/tavisk.pc.in\"
                   \"${PROJECT_BINARY_DIR}/pkgconfig/tavisk.pc\" @ONLY)
" COMPONENT development)
install(FILES "${PROJECT_BINARY_DIR}/pkgconfig/tavisk.pc"
        DESTINATION "${CMAKE_INSTALL_LIBDIR}/pkgconfig" COMPONENT development)

# The API reference, when `cmake --build build --target docs` has made it.
install(DIRECTORY "${PROJECT_BINARY_DIR}/docs/html"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/libtavisk-dev"
        COMPONENT development OPTIONAL)
install(FILES "${PROJECT_BINARY_DIR}/docs/tavisk.tags"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/libtavisk-dev"
        COMPONENT development OPTIONAL)

# The manual page tavisk(1), compressed as Debian keeps manual pages.
set(TAVISK_MANPAGE_SOURCE "${PROJECT_SOURCE_DIR}/tools/tavisk/tavisk.1.in")
configure_file("${TAVISK_MANPAGE_SOURCE}" "${PROJECT_BINARY_DIR}/man/tavisk.1" @ONLY)
find_program(TAVISK_GZIP gzip)
if(TAVISK_GZIP)
    add_custom_command(
        OUTPUT "${PROJECT_BINARY_DIR}/man/tavisk.1.gz"
        COMMAND "${TAVISK_GZIP}" -9 -n -c "${PROJECT_BINARY_DIR}/man/tavisk.1" > "${PROJECT_BINARY_DIR}/man/tavisk.1.gz"
        DEPENDS "${PROJECT_BINARY_DIR}/man/tavisk.1"
        COMMENT "Compressing the manual page tavisk(1)")
    add_custom_target(manpage ALL DEPENDS "${PROJECT_BINARY_DIR}/man/tavisk.1.gz")
    install(FILES "${PROJECT_BINARY_DIR}/man/tavisk.1.gz"
            DESTINATION "${CMAKE_INSTALL_MANDIR}/man1" COMPONENT tool)
else()
    install(FILES "${PROJECT_BINARY_DIR}/man/tavisk.1"
            DESTINATION "${CMAKE_INSTALL_MANDIR}/man1" COMPONENT tool)
endif()

# Bash completion, where Debian's bash-completion loads it on demand.
install(FILES "${PROJECT_SOURCE_DIR}/tools/tavisk/tavisk.bash-completion"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions"
        RENAME tavisk COMPONENT tool)

# CPack: three Debian packages and one tarball with everything.
set(CPACK_PACKAGE_NAME "tavisk")
set(CPACK_PACKAGE_VENDOR "The Tavisk developers")
set(CPACK_PACKAGE_CONTACT "The Tavisk developers <tavisk@localhost>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "RTF reader for Qt 6 applications")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavisk reads Rich Text Format (RTF) documents for Qt 6 applications: it
follows the groups and destinations of a file and hands text, formatting,
tables, pictures and metadata to an output object; its ready-made output
builds a QTextDocument.")
set(CPACK_RESOURCE_FILE_README "${PROJECT_SOURCE_DIR}/README.md")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/packages")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# Debug information stays in the build tree, not in the packages.
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL runtime development tool)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "libs")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# Dependencies on the Qt and C++ runtime packages come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps resolves the converter's libTavisk.so.1 in the build tree;
# the dependency on libtavisk1 is set below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${PROJECT_BINARY_DIR}/src")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")
set(tavisk_exact "(= ${PROJECT_VERSION})")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME "libtavisk${PROJECT_VERSION_MAJOR}")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION "libs")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "RTF reader for Qt 6 applications - shared library
${CPACK_PACKAGE_DESCRIPTION}")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME "libtavisk-dev")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION "libdevel")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "libtavisk${PROJECT_VERSION_MAJOR} ${tavisk_exact}, qt6-base-dev")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SUGGESTS "pkg-config")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "RTF reader for Qt 6 applications - development files
The headers, the CMake package (find_package(Tavisk)), the pkg-config file
tavisk.pc and the API reference of the Tavisk library.")

set(CPACK_DEBIAN_TOOL_PACKAGE_NAME "tavisk")
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION "text")
set(CPACK_DEBIAN_TOOL_PACKAGE_DEPENDS "libtavisk${PROJECT_VERSION_MAJOR} ${tavisk_exact}")
# Rendering to PDF and PNG needs a font.
set(CPACK_DEBIAN_TOOL_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_COMPONENT_TOOL_DESCRIPTION
    "convert RTF documents to text, HTML, Markdown, ODT, PDF and PNG
The tavisk command converts RTF documents and shows what they hold
(metadata, fonts, colours, styles, pictures), with the Tavisk library.")

include(CPack)
