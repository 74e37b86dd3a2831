# `cpack -G DEB` in the build folder makes a Debian package from the install rules. Library
# dependencies come from dpkg-shlibdeps; what the program loads at run time without linking it
# (fonts, Qt's platform plugins and translations) is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mivo-kangaroo)
set(CPACK_PACKAGE_VENDOR "mivo_Kangaroo developers")
set(CPACK_PACKAGE_CONTACT "${MIVO_SUPPORT_MAIL}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Parcel slip printing for Seino's Kangaroo forms on dot-matrix printers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MIVO_WEB_PAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")
include(CPack)
