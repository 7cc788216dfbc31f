# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` in the build folder makes a Debian package of what `cmake --install` puts in
# place. The libraries it needs come from dpkg-shlibdeps; only what is loaded at run time
# (Qt's platform plugins; the SVG icon engine comes with libqt6svg6, which is linked) is named
# by hand.
set(CPACK_PACKAGE_NAME brisvane)
set(CPACK_PACKAGE_VENDOR "The Brisvane developers")
set(CPACK_PACKAGE_CONTACT "The Brisvane developers <developers@brisvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-factor codes (TOTP and HOTP) on the desktop")
set(CPACK_PACKAGE_DESCRIPTION
  "Brisvane keeps one-time password accounts in the login keyring and shows their current codes;\
 a click or a global hotkey copies a code or types it into the focused application.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://brisvane.org/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "gnome-keyring | kwalletmanager | keepassxc, qt6-image-formats-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "seahorse")

include(CPack)
