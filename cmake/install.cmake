# Installation and the Debian package.
#   cmake --install build [--prefix DIR]      (DESTDIR is honoured)
#   (cd build && cpack -G DEB)                 quillon_<version>_<arch>.deb
# The files a Linux desktop needs (menu entry, AppStream metainfo, icons)
# are kept in dist/.

include(GNUInstallDirs)

# The desktop's name for the program: the menu entry, the metainfo, the icon
# and the notifications all use it.
set(QUILLON_APP_ID "com.orvanta.quillon")

# The program finds its translations relative to itself, so an installation
# can be moved to any prefix (and to ~/.local) without rebuilding.
set(QUILLON_TRANSLATIONS_DESTINATION ${CMAKE_INSTALL_DATADIR}/quillon/translations)
file(RELATIVE_PATH QUILLON_TRANSLATIONS_FROM_BIN /prefix/${CMAKE_INSTALL_BINDIR}
    /prefix/${QUILLON_TRANSLATIONS_DESTINATION})
target_compile_definitions(quillon_gui PRIVATE
    QUILLON_INSTALLED_TRANSLATIONS="${QUILLON_TRANSLATIONS_FROM_BIN}")

install(TARGETS quillon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET quillon-run)
    install(TARGETS quillon-run RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${QUILLON_QM} DESTINATION ${QUILLON_TRANSLATIONS_DESTINATION})

# The rest is for Linux desktops (Windows has an installer of its own).
if(NOT UNIX OR APPLE)
    return()
endif()

configure_file(${CMAKE_CURRENT_SOURCE_DIR}/dist/${QUILLON_APP_ID}.metainfo.xml.in
    ${CMAKE_CURRENT_BINARY_DIR}/dist/${QUILLON_APP_ID}.metainfo.xml @ONLY)

install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/dist/${QUILLON_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/dist/${QUILLON_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/dist/icons/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The package. Its dependencies: the libraries the program links, as
# dpkg-shlibdeps finds them (Qt 5, the C++ runtime), plus what it starts or
# loads at run time: the extractor and ffmpeg, Qt's SQLite driver, and gpgv
# for checking extractor updates.
string(REGEX REPLACE "^[a-z]+://(www\\.)?([^/]+).*$" "\\2" QUILLON_VENDOR_HOST
    "${QUILLON_VENDOR_SITE}")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR Orvanta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop video downloader")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillon downloads videos, playlists and channels. Copy a link and press\n\
paste: it works out what the link is, lets you pick quality, folder,\n\
subtitles and thumbnail, and downloads in the background while its list\n\
shows every task. The site work is done by yt-dlp with ffmpeg.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Orvanta <support@${QUILLON_VENDOR_HOST}>")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUILLON_VENDOR_SITE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "yt-dlp, ffmpeg, libqt5sql5-sqlite, gpgv")
# The Chinese interface is drawn in Noto Sans CJK.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
include(CPack)

if(BUILD_TESTING)
    # Installs into a folder of its own, validates the menu entry and the
    # metainfo, builds the package, unpacks it into a throw-away root and
    # runs the program from there.
    add_test(NAME package_install
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/scripts/check_package.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(package_install PROPERTIES TIMEOUT 600)
endif()
