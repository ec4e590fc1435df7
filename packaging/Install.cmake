# `cmake --install`: the editor and the tool in bin/, the sample data in
# share/kestrilo/Data (an installed editor copies it into the user's data
# folder at its first start), a desktop entry, the icon and the MIME type of
# level files. `make package` wraps the same in a .deb with CPack.
include(GNUInstallDirs)

install(TARGETS kestrilo kestrilo-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Only the generated sample: whatever else a designer saved into the build's
# Data/ stays out of the package.
install(FILES
  ${CMAKE_BINARY_DIR}/Data/test.obj ${CMAKE_BINARY_DIR}/Data/test.dxg ${CMAKE_BINARY_DIR}/Data/1.mon
  ${CMAKE_BINARY_DIR}/Data/DinObj.dxg ${CMAKE_BINARY_DIR}/Data/matrix1.mtf ${CMAKE_BINARY_DIR}/Data/matrix1mtb
  DESTINATION ${CMAKE_INSTALL_DATADIR}/kestrilo/Data)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kestrilo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kestrilo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kestrilo-level.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

set(CPACK_PACKAGE_NAME kestrilo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Kestrilo team")
set(CPACK_PACKAGE_CONTACT "the Kestrilo team <kestrilo.team@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Level editor for a 2D side-view platform game, with a playable preview")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libc6, libstdc++6, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4)")
# Qt's Russian texts for its own dialogs; the editor works without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
