# The Debian package "lumiq" (make package, or cpack in a build folder).
#
# No maintainer scripts: in Debian 12 shared-mime-info, hicolor-icon-theme
# and desktop-file-utils watch /usr/share/mime/packages, /usr/share/icons/
# hicolor and /usr/share/applications with dpkg file triggers and rebuild
# their caches whenever a package adds or removes files there. dh_installmime
# and dh_icons generate no scripts for these folders either.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumiq)
set(CPACK_PACKAGE_VENDOR "Lumiq developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer and converters for KVX and HZN tap logos")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_NAME lumiq)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Lumiq developers <lumiq@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION
    "Lumiq shows the small logo files of a tap's display (KVX, 50 x 30 pixels;
HZN, 54 x 34 pixels) and converts them to and from 24-bit BMP files.
lumbatch and lumenc convert from the command line, and lumthumb makes the
thumbnails that file managers show for logo files.")
include(CPack)
