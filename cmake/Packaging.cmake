# Packaging: `cpack -G DEB` in a build folder makes a Debian package of what
# `cmake --install` puts in place (the desktop program, the command-line
# tool, the help page, the menu entry, the AppStream metadata, the icons, the
# manual pages, the shell completion, the copyright file and the changelog),
# installed under /usr, with the actions that file managers show on a
# folder's menu. scripts/check-package builds it and checks it with
# lintian.
set(CPACK_PACKAGE_NAME "kalvenor")
set(CPACK_PACKAGE_VENDOR "Tessavoy")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Give every file of a folder a new name in a numbered series")
set(CPACK_PACKAGE_DESCRIPTION
    "Kalvenor renames every file of one chosen folder into a numbered series
(a.jpg becomes Holiday0000.jpg or 0000Holiday.jpg), with a preview before
anything changes, one-step undo and a log of every batch. It comes as a Qt
desktop program and as the command-line tool kalvenor-cli.")
set(CPACK_PACKAGE_CONTACT "Tessavoy <kalvenor@tessavoy.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kalvenor.tessavoy.invalid/")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The Qt 6 runtime libraries and the C++ runtime are found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its window-system plugins at run time, so no library link tells
# dpkg-shlibdeps about them; without one the program cannot open a window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Wayland sessions need Qt's Wayland plugin (without it the window falls
# back to XWayland); Qt's own translations give its dialogs the user's
# language; xdg-utils tells the help command whether a web browser is there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n, xdg-utils")

include(CPack)
