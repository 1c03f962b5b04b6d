# Installation after Debian's conventions for games: a public launcher in
# bin/, the game's private binary in lib/drifthaul/, its data under
# share/drifthaul/ (laid out as the staged tree, so the game's relative paths
# stay as they are), a desktop entry, an icon and AppStream metainfo.
include(GNUInstallDirs)

set(DRIFTHAUL_PRIVATE_BINDIR ${CMAKE_INSTALL_LIBDIR}/drifthaul)
set(DRIFTHAUL_DATADIR ${CMAKE_INSTALL_DATADIR}/drifthaul)

install(TARGETS drifthaul RUNTIME DESTINATION ${DRIFTHAUL_PRIVATE_BINDIR})
install(DIRECTORY ${STAGE_GAME_DIR}/shaders DESTINATION ${DRIFTHAUL_DATADIR}/game)
install(DIRECTORY ${STAGE_DIR}/models ${STAGE_DIR}/textures ${STAGE_DIR}/sounds ${STAGE_DIR}/fonts
        DESTINATION ${DRIFTHAUL_DATADIR})

# The launcher finds the prefix from where it lies, so any prefix works.
file(RELATIVE_PATH LAUNCHER_TO_PREFIX /${CMAKE_INSTALL_BINDIR} /)
configure_file(${CMAKE_SOURCE_DIR}/data/drifthaul.in ${CMAKE_BINARY_DIR}/launcher/drifthaul @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/drifthaul DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_SOURCE_DIR}/data/org.drifthaul.Drifthaul.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/org.drifthaul.Drifthaul.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${STAGE_DIR}/icons/org.drifthaul.Drifthaul.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
