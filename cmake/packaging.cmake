# SPDX-License-Identifier: GPL-3.0-or-later
# What the desktop needs to offer the program (menu entry, icons, file types,
# software-centre data, manual pages, shell completion) and the Debian
# package made of it all with `cpack -G DEB`.
include(GNUInstallDirs)

set(VELORA_APP_ID com.orvane.velora)
set(VELORA_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/res/desktop)

install(FILES ${VELORA_DESKTOP_DIR}/${VELORA_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELORA_DESKTOP_DIR}/${VELORA_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VELORA_DESKTOP_DIR}/velora-mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME velora.xml)
install(FILES ${PROJECT_SOURCE_DIR}/res/icons/velora.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/res/completion/velora-cli.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME velora-cli)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
  DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

# Menus and panels that do not draw SVG icons take the PNG sizes.
find_program(VELORA_RSVG rsvg-convert REQUIRED)
set(icon_pngs)
foreach(size 16 24 32 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}/velora.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
    COMMAND ${VELORA_RSVG} -w ${size} -h ${size} -o ${png} ${PROJECT_SOURCE_DIR}/res/icons/velora.svg
    DEPENDS ${PROJECT_SOURCE_DIR}/res/icons/velora.svg
    VERBATIM)
  list(APPEND icon_pngs ${png})
  install(FILES ${png}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages go in compressed, as Debian keeps them.
set(man_pages)
foreach(page velora velora-cli)
  set(gz ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/res/man/${page}.1 > ${gz}
    DEPENDS ${PROJECT_SOURCE_DIR}/res/man/${page}.1
    VERBATIM)
  list(APPEND man_pages ${gz})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(velora_desktop_files ALL DEPENDS ${icon_pngs} ${man_pages})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velora)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "turn drawings into colouring templates and colour them with textures")
set(CPACK_PACKAGE_DESCRIPTION
  "Velora imports DXF, WMF and EMF drawings as colouring templates: their closed
outlines become regions, grouped into named areas. Designs fill each area with
a texture and are exported as BMP, GIF, JPEG, PNG or TIFF pictures of any size.
The package holds the desktop program velora and the batch tool velora-cli.")
set(CPACK_PACKAGE_CONTACT "Velora developers <velora@orvane.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.orvane.example/velora)
# The libraries the programs link come from dpkg-shlibdeps; the Qt plugins
# they load at run time (the windowing system, TIFF and other image formats)
# are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, bash-completion")
set(CPACK_STRIP_FILES ON)
include(CPack)
