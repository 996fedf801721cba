# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed tree is relocatable: the program lives in its own folder
# with its "icon" folder beside it, and the command in bin/ is a relative
# link to it, so the program finds its pictures wherever the tree is put.
include(GNUInstallDirs)
set(LUMO_PROGRAM_DIR lib/lumo3)

install(TARGETS lumo3 RUNTIME DESTINATION ${LUMO_PROGRAM_DIR})
install(DIRECTORY assets/icon/ DESTINATION ${LUMO_PROGRAM_DIR}/icon)
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK ../${LUMO_PROGRAM_DIR}/lumo3
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/lumo3\" SYMBOLIC)
")

install(FILES packaging/lumo3.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/lumo3.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.example.lumo3.metainfo.xml)
foreach(size 16 32 48 64 128 256)
  install(FILES packaging/icons/lumo3-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME lumo3.png)
endforeach()
install(FILES README.md assets/PICTURES.md packaging/copyright LICENSES/GPL-3.0-or-later.txt
              LICENSES/Apache-2.0.txt
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The manual page and the package's changelog, compressed as Debian keeps them.
foreach(source packaging/debian/lumo3.1 packaging/debian/changelog)
  get_filename_component(name ${source} NAME)
  execute_process(COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/${source}
                  OUTPUT_FILE ${PROJECT_BINARY_DIR}/${name}.gz COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${source})
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/lumo3.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# A Debian package: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumo3)
set(CPACK_PACKAGE_VENDOR "lumo3")
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt")
set(CPACK_PACKAGE_CONTACT "lumo3 maintainers <lumo3@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "counting and adding quiz for Thai children, grades 1 to 4")
# Lines within 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION
    "Big brother Piko greets the child by name and shows rows of pictures to
count. The child drags digit tiles into the answer boxes. Four levels of 25
questions against a countdown clock. All texts are in Thai.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Loaded at run time, so not found by dpkg-shlibdeps: the window system
# plugins, the SQLite driver of Qt SQL (the results store), its PostgreSQL
# driver (the school's server) and a font set that has Thai.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6sql6-psql, fonts-thai-tlwg")
# A native window on a Wayland desktop; without it the game runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
