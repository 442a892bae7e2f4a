# `make package`: a Debian package vendrel_<version>_amd64.deb of everything `cmake --install`
# puts in place, with the shared-library dependencies computed by dpkg-shlibdeps. The file
# triggers of shared-mime-info, desktop-file-utils and the icon theme rebuild the MIME,
# desktop and icon caches when the package is installed or removed; the package's own
# triggers file names them, so they run even where those packages came later.
include(GNUInstallDirs)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vendrel)
set(CPACK_PACKAGE_VENDOR Halvorn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Halvorn <support@vendrel.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "function plotter: plot and animate formulas in x and time t")
set(CPACK_PACKAGE_DESCRIPTION
    "Vendrel draws formulas in x and a time parameter t over a grid with axes,
tick numbers and arrows, fills them, animates t with a motion-blur trail, zooms
and pans, and saves documents (*.vdg) that file managers show as thumbnails.
Formulas are read by its own evaluator in 80-bit precision. vendrel-eval
evaluates formulas from the command line.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY vendrel)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vendrel.example.org)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Text in the offscreen renderer (thumbnails, --render) needs a font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core | fonts-freefont-ttf")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# What Debian asks of every package: the copyright file and the changelog, compressed.
set(VENDREL_CHANGELOG ${PROJECT_BINARY_DIR}/changelog)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${VENDREL_CHANGELOG} @ONLY)
add_custom_command(OUTPUT ${VENDREL_CHANGELOG}.gz
                   COMMAND gzip -9 -n -f -k ${VENDREL_CHANGELOG}
                   DEPENDS ${VENDREL_CHANGELOG})
add_custom_target(vendrel_changelog ALL DEPENDS ${VENDREL_CHANGELOG}.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${VENDREL_CHANGELOG}.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vendrel)
