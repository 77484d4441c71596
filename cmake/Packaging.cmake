# The Debian package: `cpack -G DEB` in the build folder (or `make package` at
# the top). Installs under /usr; dpkg-shlibdeps (package dpkg-dev) finds the
# shared-library dependencies.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME arcanote)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Arcanote developers <arcanote@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "MAME game database, game sheets and collection tools")
set(CPACK_PACKAGE_DESCRIPTION
    "Arcanote builds a database of every set the MAME emulator knows, enriches it
from the community support files, marks the sets found in the ROM folder and
writes a static web site of game sheets. It ships the desktop program
arcanote, the command-line program arcanote-cli and the packer myzip.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS mame)
set(CPACK_STRIP_FILES ON)
include(CPack)
