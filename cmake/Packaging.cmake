# `make package` (cpack): a Debian package of the window program, morvale-render, morvale-video and their
# desktop integration. The desktop, MIME and icon caches are refreshed by the triggers of
# desktop-file-utils, shared-mime-info and the icon theme, on install and on removal alike.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvale)
set(CPACK_PACKAGE_CONTACT "Morvale <morvale@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Interactive fractal explorer (German interface)")
set(CPACK_PACKAGE_DESCRIPTION
    "Mandelbrot and Julia pictures, zoom by dragging, two preset databases, printing and a \
random branching tree; morvale-render draws the same pictures without a window, \
and morvale-video makes zoom videos of them.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Staged through DESTDIR: the install step refreshes the caches only without one, and the
# package must not carry them.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# Libraries from the programs' links (dpkg-shlibdeps), plus what is only loaded at run time:
# the X11 platform plugin and Qt's German translations.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
include(CPack)
