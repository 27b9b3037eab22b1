# Desktop integration and the Debian package: `cpack -G DEB` in a build
# directory packs what `cmake --install` puts under /usr: numsift-cli, the
# window numsift (when built), its desktop entry and icons.

if(NUMSIFT_GUI)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/numsift.desktop DESTINATION share/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/numsift.svg DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/numsift.png DESTINATION share/icons/hicolor/256x256/apps)
endif()

set(CPACK_PACKAGE_NAME numsift)
set(CPACK_PACKAGE_VENDOR "Numsift")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Five-digit lottery number reduction tool (号码缩水)")
set(CPACK_PACKAGE_DESCRIPTION
    "Numsift reduces the 100,000 five-digit numbers to those that satisfy the player's conditions within an error tolerance, shows and copies the survivors in groups, checks a drawn number, combines base sets, and backtests a scheme over past draws. numsift-cli runs saved schemes without the window.")
set(CPACK_PACKAGE_CONTACT "Numsift developers <numsift@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# Qt's platform plugins, the Chinese button texts of Qt's dialogs and a CJK
# font are loaded at run time, so the library scan cannot find them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6, libqt6gui6, libqt6core6, libqt6concurrent6, fonts-wqy-microhei, qt6-translations-l10n, qt6-qpa-plugins")
find_program(NUMSIFT_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NUMSIFT_DPKG_SHLIBDEPS)
  # Adds the C and C++ runtime libraries the binaries link.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")
include(CPack)
