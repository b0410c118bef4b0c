# The Debian package: `make package` (or `cpack --preset default`) writes
# build/torvi_<version>_<arch>.deb from the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME torvi)
set(CPACK_PACKAGE_VENDOR "Torvi Software")
set(CPACK_PACKAGE_CONTACT "Torvi Software <sviluppo@torvi.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "web browser with an Italian interface")
set(CPACK_PACKAGE_DESCRIPTION "Torvi is a desktop web browser with an Italian interface, \
built on Qt WebEngine. It scans every page it loads for suspicious words and shows its \
verdict in the status bar, and keeps a plain-text history and favorites file.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.torvi.example/")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Torvi Software <sviluppo@torvi.example>")
# The libraries the program links come from dpkg-shlibdeps. It cannot see what Qt loads at
# run time: the engine's helper process and the SVG plugins that draw every button.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin, libqt6svg6")

include(CPack)
