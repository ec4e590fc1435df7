# `cmake --install`: the editor and the tool in bin/, the sample data in
# share/kestrilo/Data (an installed editor copies it into the user's data
# folder at its first start), a desktop entry, the icons, the MIME type of
# level files, the software centre's metainfo, the manual pages, and the
# licence and changelog in share/doc/kestrilo. `make package` wraps the same in
# a .deb with CPack.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/GeneratedFiles.cmake)

# Debian wants 755 folders whatever the umask of the one who packs.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS kestrilo kestrilo-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Only the generated sample: whatever else a designer saved into the build's
# Data/ stays out of the package.
install(FILES
  ${CMAKE_BINARY_DIR}/Data/test.obj ${CMAKE_BINARY_DIR}/Data/test.dxg ${CMAKE_BINARY_DIR}/Data/1.mon
  ${CMAKE_BINARY_DIR}/Data/DinObj.dxg ${CMAKE_BINARY_DIR}/Data/matrix1.mtf ${CMAKE_BINARY_DIR}/Data/matrix1mtb
  DESTINATION ${CMAKE_INSTALL_DATADIR}/kestrilo/Data)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kestrilo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kestrilo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS KESTRILO_ICON_SIZES)
  install(FILES ${KESTRILO_PACKAGING_OUT}/icons/${size}x${size}/kestrilo.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kestrilo-level.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.example.kestrilo.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KESTRILO_PACKAGING_OUT}/man/kestrilo.1.gz ${KESTRILO_PACKAGING_OUT}/man/kestrilo-tool.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${KESTRILO_PACKAGING_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrilo)

set(CPACK_PACKAGE_NAME kestrilo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Kestrilo authors")
set(CPACK_PACKAGE_CONTACT "the Kestrilo team <kestrilo.team@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "level editor for a 2D side-view platform game, with a playable preview")
set(CPACK_PACKAGE_DESCRIPTION
"Kestrilo edits the levels of a two-dimensional side-view platform game. A
level designer keeps a library of game objects (walls, lifts, keys, doors,
backgrounds, monsters, med kits, ammunition, traps, the player start), clicks
them into a 200 by 150 cell level with one main plane and four back planes,
and saves the level as a binary file. The built-in preview plays the edited
level at once.

Every change can be undone, unsaved work is copied to a recovery folder, and
the interface speaks Russian or English. The package also holds
kestrilo-tool, which lists, checks, renders and plays the editor's files
without a window, and a sample object library with a demo level.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binaries (dpkg-shlibdeps); Qt's platform
# plugins do not show there: the editor's window and the tool's play and
# render (on the offscreen platform) need them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's Russian texts for its own dialogs; the editor works without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
