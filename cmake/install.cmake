# What `cmake --install` puts under the prefix (the program, its desktop entry, icons, AppStream
# metainfo, manual page and copyright file) and the Debian package that `cpack -G DEB` makes of
# the same files, with the package's changelog added.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/debianfiles.cmake)

# The program links only the system's libraries, so the installed one needs no search path of its own.
set_target_properties(velmor PROPERTIES INSTALL_RPATH "")
install(TARGETS velmor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The print queue module, which the program loads from here when Print first asks CUPS; a private
# module, so in a folder of the program's own rather than among the shared libraries
# (src/CMakeLists.txt names it).
if(TARGET velmor-printqueue)
    install(TARGETS velmor-printqueue LIBRARY DESTINATION ${VELMOR_PRINTQUEUE_DIR})
endif()

install(FILES data/${VELMOR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(data/${VELMOR_APP_ID}.metainfo.xml.in data/${VELMOR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/data/${VELMOR_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

configure_file(data/velmor.1.in data/velmor.1 @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/data/velmor.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The theme's icons are drawn at build time by the program's own artwork code, afresh at each size,
# so a large one is as sharp as the small one and its corners are see-through.
set(iconSizes 32 64 128 256)
set(iconDir ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(iconFiles)
foreach(size IN LISTS iconSizes)
    set(iconFile ${iconDir}/${size}x${size}/apps/${VELMOR_APP_ID}.png)
    list(APPEND iconFiles ${iconFile})
    install(FILES ${iconFile} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(OUTPUT ${iconFiles}
    COMMAND velmor-picturegen --theme-icons ${iconDir} ${VELMOR_APP_ID} ${iconSizes}
    DEPENDS velmor-picturegen
    COMMENT "Drawing the icon theme's PNG files"
    VERBATIM)
add_custom_target(velmor-icons ALL DEPENDS ${iconFiles})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "VELMOR developers")
set(CPACK_PACKAGE_CONTACT "VELMOR developers <dev@velmor.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jumper settings guide for one Socket 7 motherboard")
set(CPACK_PACKAGE_DESCRIPTION [=[
VELMOR shows how to set the jumpers of one Socket 7 motherboard. Pick a
CPU type, a power supply and an SDRAM clock, and a schematic drawing of
the board shows which jumper pins the caps must cover and which stay open.
A settings panel sets the CPU jumpers by bus clock, multiplier and core
voltage and reads back what jumper positions stand for. The picture can
be printed, and from the command line the whole guide can be listed as a
table, the picture exported as PNG or PDF, the whole guide written as one
web page that any browser opens offline, and jumper positions read back
with --identify.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The first Debian revision of the release: the package's version is 1.0.0-1, as Debian writes a
# package of software released apart from it, which keeps its changelog in changelog.Debian.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "VELMOR developers <dev@velmor.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# dpkg-shlibdeps adds the libraries the program links; the fonts are the ones the drawing uses.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation, fonts-urw-base35, fonts-comic-neue, fonts-dejavu-core, fonts-dejavu-extra")
# Lets the window open on a Wayland desktop that offers no X display.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)

# The copyright file in Debian's machine-readable format, with the licence text of LICENSE.
velmor_read_license(${PROJECT_SOURCE_DIR}/LICENSE VELMOR_COPYRIGHT_HOLDER VELMOR_LICENSE_TEXT)
velmor_configure_debian_file(${PROJECT_SOURCE_DIR}/data/copyright.in ${CMAKE_CURRENT_BINARY_DIR}/data/copyright)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/data/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The package's changelog and lintian's overrides; cmake/debstaging.cmake adds them to the staged
# package only, and compresses the changelog and the manual pages there.
set(VELMOR_DEBIAN_VERSION ${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
velmor_debian_date(${VELMOR_RELEASE_DATE} VELMOR_DEBIAN_DATE)
velmor_configure_debian_file(${PROJECT_SOURCE_DIR}/data/changelog.Debian.in
    ${CMAKE_CURRENT_BINARY_DIR}/data/changelog.Debian)
set(CPACK_VELMOR_DEBIAN_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/data/changelog.Debian)
set(CPACK_VELMOR_DOCDIR ${CMAKE_INSTALL_DOCDIR})
set(CPACK_VELMOR_LINTIAN_OVERRIDES ${PROJECT_SOURCE_DIR}/data/velmor.lintian-overrides)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debstaging.cmake)

include(CPack)
