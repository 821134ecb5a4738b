# Installing the program (cmake --install, make install) and packing it for Debian (make deb).
#
# Installed: the two executables; for the desktop program its desktop entry, its icon in the hicolor
# theme (the SVG and PNGs rendered from it), the file types it opens (shared-mime-info), its AppStream
# metainfo; a man page for each executable. The package computes its run-time dependencies from the
# executables' shared libraries (dpkg-shlibdeps). Nothing else is written anywhere at run time except
# in the user's own folders.

include(GNUInstallDirs)

set(LRL_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(LRL_GENERATED_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

# Man pages, compressed as Debian keeps them.
set(_lrl_man_pages listrel-cli)
if(LRL_BUILD_GUI)
    list(APPEND _lrl_man_pages listrel-delphi)
endif()
set(_lrl_man_outputs)
foreach(_page ${_lrl_man_pages})
    set(_out ${LRL_GENERATED_PACKAGING_DIR}/${_page}.1.gz)
    add_custom_command(OUTPUT ${_out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${LRL_GENERATED_PACKAGING_DIR}
        COMMAND gzip -9 -n -c ${LRL_PACKAGING_DIR}/${_page}.1 > ${_out}
        DEPENDS ${LRL_PACKAGING_DIR}/${_page}.1
        COMMENT "Compressing the man page ${_page}.1"
        VERBATIM)
    list(APPEND _lrl_man_outputs ${_out})
endforeach()
add_custom_target(lrl_man_pages ALL DEPENDS ${_lrl_man_outputs})

install(TARGETS listrel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_lrl_man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(LRL_BUILD_GUI)
    install(TARGETS listrel-delphi RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

    set(LRL_ICON_NAME ${LRL_DESKTOP_ID})
    configure_file(${LRL_PACKAGING_DIR}/listrel-delphi.desktop.in
        ${LRL_GENERATED_PACKAGING_DIR}/${LRL_DESKTOP_ID}.desktop @ONLY)
    configure_file(${LRL_PACKAGING_DIR}/listrel-delphi.metainfo.xml.in
        ${LRL_GENERATED_PACKAGING_DIR}/${LRL_DESKTOP_ID}.metainfo.xml @ONLY)
    install(FILES ${LRL_GENERATED_PACKAGING_DIR}/${LRL_DESKTOP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${LRL_GENERATED_PACKAGING_DIR}/${LRL_DESKTOP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${LRL_PACKAGING_DIR}/listrel-delphi-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${LRL_DESKTOP_ID}.xml)
    install(FILES ${LRL_PACKAGING_DIR}/listrel-delphi.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${LRL_ICON_NAME}.svg)
    foreach(_size ${LRL_ICON_SIZES})
        install(FILES ${LRL_ICON_DIR}/${_size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps RENAME ${LRL_ICON_NAME}.png)
    endforeach()
endif()

# make deb: cpack's DEB generator over the install rules above, with /usr as the prefix.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME listrel-delphi)
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "Corvane <listrel@corvane.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "read and print the source of Delphi projects")
set(CPACK_PACKAGE_DESCRIPTION "Listrel for Delphi lays a Delphi project out as a tree of its units, forms, \
options file, classes and routines, shows each file read-only with syntax highlighting (binary forms as \
text), and prints marked files, units, routines, a highlighted passage or the tree itself, straight to the \
printer or through a print preview.

The package holds the desktop program listrel-delphi and the command-line tool listrel-cli.")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://corvane.example/listrel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
include(CPack)
