# SPDX-License-Identifier: GPL-3.0-or-later
# Installation: a public launcher in bin/, the game's private binary in
# lib/drifthaul/, its data under share/drifthaul/ (laid out as the staged
# tree, so the game's relative paths stay as they are), the man page, a
# desktop entry, an icon and AppStream metainfo.
include(GNUInstallDirs)

# Debian's package moves them to games/, lib/games/drifthaul and
# share/games/drifthaul; all three are relative to the prefix.
set(DRIFTHAUL_LAUNCHER_DIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "where the launcher goes")
set(DRIFTHAUL_PRIVATE_BINDIR lib/drifthaul CACHE STRING "where the game's binary goes")
set(DRIFTHAUL_DATADIR ${CMAKE_INSTALL_DATADIR}/drifthaul CACHE STRING "where the game's data goes")
# A package that depends on fonts-dejavu-core names the font's licence in its
# own copyright file instead.
option(DRIFTHAUL_FONT_LICENCE "install the font's licence beside the font link" ON)

install(TARGETS drifthaul RUNTIME DESTINATION ${DRIFTHAUL_PRIVATE_BINDIR})
install(DIRECTORY ${STAGE_GAME_DIR}/shaders DESTINATION ${DRIFTHAUL_DATADIR}/game)
install(DIRECTORY ${STAGE_DIR}/models ${STAGE_DIR}/textures ${STAGE_DIR}/sounds
        DESTINATION ${DRIFTHAUL_DATADIR})
install(FILES "${STAGE_DIR}/fonts/Action Man Bold.ttf" DESTINATION ${DRIFTHAUL_DATADIR}/fonts)
if(DRIFTHAUL_FONT_LICENCE)
    install(FILES ${STAGE_DIR}/fonts/LICENSE-DejaVu.txt DESTINATION ${DRIFTHAUL_DATADIR}/fonts)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/data/drifthaul.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The launcher finds the prefix from where it lies, so any prefix works.
file(RELATIVE_PATH LAUNCHER_TO_PREFIX /${DRIFTHAUL_LAUNCHER_DIR} /)
configure_file(${CMAKE_SOURCE_DIR}/data/drifthaul.in ${CMAKE_BINARY_DIR}/launcher/drifthaul @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/drifthaul DESTINATION ${DRIFTHAUL_LAUNCHER_DIR})

install(FILES ${CMAKE_SOURCE_DIR}/data/org.drifthaul.Drifthaul.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/org.drifthaul.Drifthaul.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${STAGE_DIR}/icons/org.drifthaul.Drifthaul.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
