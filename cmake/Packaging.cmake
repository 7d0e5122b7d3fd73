# The Debian package (cpack -G DEB): the two programs with their desktop entry,
# icons, metainfo, manual, man pages and bash completion, and the Python
# package. Depends is computed from the binaries by dpkg-shlibdeps.

if(TARGET quorvane-cli)
    # Man pages are installed compressed, as Debian wants them.
    set(man_sources quorvane-cli.1)
    if(TARGET quorvane)
        list(APPEND man_sources quorvane.1)
    endif()
    set(man_pages "")
    foreach(page IN LISTS man_sources)
        set(source ${PROJECT_SOURCE_DIR}/docs/man/${page})
        set(compressed ${CMAKE_BINARY_DIR}/man/${page}.gz)
        add_custom_command(OUTPUT ${compressed}
                           COMMAND gzip -9 -n -c ${source} > ${compressed}
                           DEPENDS ${source} VERBATIM)
        list(APPEND man_pages ${compressed})
    endforeach()
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man)
    add_custom_target(man_pages ALL DEPENDS ${man_pages})
    install(FILES ${man_pages} DESTINATION share/man/man1)
    install(FILES scripts/completion/quorvane-cli
            DESTINATION share/bash-completion/completions)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR Tolbrin)
set(CPACK_PACKAGE_CONTACT "Tolbrin <quorvane@tolbrin.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "watches a screen area for a picture and acts when it appears")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Found at run time, not linked: image plug-ins beyond PNG and JPEG, the
# opener of files and the help page, the accessibility bus, the print spooler.
# Speech and sound themes are loaded when first used, so dpkg-shlibdeps cannot
# see them; without them the program runs silent.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libespeak-ng1, libcanberra0, qt6-image-formats-plugins, xdg-utils, at-spi2-core")
# The Python package is built for one minor version of the interpreter.
if(TARGET _quorvane)
    string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS
           ", python3 (>= ${QRV_PYTHON_VERSION}), python3 (<< ${QRV_PYTHON_NEXT_VERSION})")
endif()
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups-client")
# The summary above is the first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quorvane captures a rectangle of the screen, looks for a small picture in it
pixel by pixel, allowing each colour channel to differ by a set deviation, and
on a match moves and clicks the mouse, speaks a text, invokes a control of
another application through the accessibility service or runs a program.
Searches repeat on a schedule and start and stop with a global hot key.
.
The package holds the window (quorvane), the command quorvane-cli, which
runs the same searches from a terminal or a script, and the Python 3 module
quorvane, which gives scripts the engine, screen capture and clicks.")
include(CPack)
