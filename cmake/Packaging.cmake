# cpack -G DEB: one package with the viewer, the converter, the library with its header and
# the desktop files, under /usr. Its dependencies are read off the binaries (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME brellix)
set(CPACK_PACKAGE_VENDOR "Brellix developers")
set(CPACK_PACKAGE_CONTACT "Brellix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer and converter for fish-finder sonar logs")
set(CPACK_PACKAGE_DESCRIPTION
    "Brellix replays the SLG and SL2 logs of fish-finder sonar units as scrolling charts, with \
readouts of depth, position and temperature, palettes, printing and export to text. tarnex \
converts and verifies logs on the console; libvantrel is their C library.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The library is a public one: its shlibs file and the loader's trigger come with it.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
