# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program's folder, as the installer puts it into Program Files:
# lumo3.exe (and lumo_school_sync.exe, tools/school_sync) with its "icon"
# folder beside it and the documents in doc\. tools/windows/deploy.sh adds
# the Qt and MinGW libraries the programs load.
set(CMAKE_INSTALL_DOCDIR doc)
set(LUMO_PROGRAM_DIR .)

install(TARGETS lumo3 RUNTIME DESTINATION ${LUMO_PROGRAM_DIR})
install(DIRECTORY assets/icon/ DESTINATION icon)
install(FILES README.md assets/PICTURES.md packaging/copyright LICENSES/GPL-3.0-or-later.txt
              LICENSES/Apache-2.0.txt
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
