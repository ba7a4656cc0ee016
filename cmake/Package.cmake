# `cpack -G DEB` in a build folder makes a Debian package of what `cmake --install` puts in place,
# under /usr. Its dependencies are read from the libraries the program links (dpkg-shlibdeps),
# plus a font to draw the captions with where no desktop brings one.
set(CPACK_PACKAGE_NAME splmap)
set(CPACK_PACKAGE_VENDOR "splmap")
set(CPACK_PACKAGE_CONTACT "splmap maintainers <splmap@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Design a vertical line array of loudspeakers and map its sound pressure level")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Designs one vertical line array of loudspeaker boxes over up to three audience areas and\n"
    "maps the sound pressure level it gives them. Headless commands calculate the map and write\n"
    "it as a picture without a display.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core | fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
