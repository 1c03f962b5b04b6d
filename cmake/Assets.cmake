# SPDX-License-Identifier: GPL-3.0-or-later
# Stages the game's assets: the GLSL sources are copied, the rest is generated
# by the tools in tools/, and each asset rebuilds when its tool changes.

file(GLOB SHADER_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/shaders/*.vert ${CMAKE_SOURCE_DIR}/shaders/*.frag)
set(STAGED_SHADERS "")
foreach(src ${SHADER_SOURCES})
    get_filename_component(name ${src} NAME)
    set(dst ${STAGE_GAME_DIR}/shaders/${name})
    add_custom_command(OUTPUT ${dst}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${src} ${dst}
        DEPENDS ${src} VERBATIM)
    list(APPEND STAGED_SHADERS ${dst})
endforeach()
add_custom_target(stage_shaders ALL DEPENDS ${STAGED_SHADERS})
add_dependencies(drifthaul stage_shaders)

if(NOT CMAKE_CROSSCOMPILING)
# Sounds: seven synthesised by gen_sounds, the two laughs spoken by espeak-ng
# and shaped by sox.
pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)
find_program(ESPEAK_NG espeak-ng REQUIRED)
find_program(SOX sox REQUIRED)
add_library(asset_synth STATIC ${CMAKE_SOURCE_DIR}/tools/soundsynth.cpp)
target_include_directories(asset_synth PUBLIC ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(asset_synth PUBLIC PkgConfig::SNDFILE)
add_executable(gen_sounds ${CMAKE_SOURCE_DIR}/tools/gen_sounds.cpp)
target_link_libraries(gen_sounds PRIVATE asset_synth)

set(SYNTH_SOUNDS pickup crash cracking trash_collection1 collection2 beep-expire moon_jungle)
list(TRANSFORM SYNTH_SOUNDS PREPEND ${STAGE_DIR}/sounds/)
list(TRANSFORM SYNTH_SOUNDS APPEND .aif)
add_custom_command(OUTPUT ${SYNTH_SOUNDS}
    COMMAND gen_sounds ${STAGE_DIR}/sounds
    DEPENDS gen_sounds VERBATIM)
set(LAUGH_SOUNDS ${STAGE_DIR}/sounds/evil_laughter.aif ${STAGE_DIR}/sounds/witch_laughter.aif)
add_custom_command(OUTPUT ${LAUGH_SOUNDS}
    COMMAND sh ${CMAKE_SOURCE_DIR}/tools/make_laughs.sh ${STAGE_DIR}/sounds
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_laughs.sh VERBATIM)
add_custom_target(stage_sounds ALL DEPENDS ${SYNTH_SOUNDS} ${LAUGH_SOUNDS})
endif()

# Models: 3DS files designed in modelshapes.cpp and written by gen_models.
add_library(asset_models STATIC ${CMAKE_SOURCE_DIR}/tools/model3ds_writer.cpp
    ${CMAKE_SOURCE_DIR}/tools/modelshapes.cpp)
target_include_directories(asset_models PUBLIC ${CMAKE_SOURCE_DIR}/tools)
if(NOT CMAKE_CROSSCOMPILING)
add_executable(gen_models ${CMAKE_SOURCE_DIR}/tools/gen_models.cpp)
target_link_libraries(gen_models PRIVATE asset_models)
set(MODEL_FILES
    models/trash/soda/can.3ds models/trash/can2/Model/Can.3ds models/trash/packets/duds.3ds
    models/trash/fumican/Fumigene.3ds models/trash/barrel_wooden/barrela.3ds
    models/trash/barrel_burned/BurnBarrel.3ds models/trash/pizza-slice/pizza.3ds
    models/ships/spaceship.3ds)
list(TRANSFORM MODEL_FILES PREPEND ${STAGE_DIR}/)
add_custom_command(OUTPUT ${MODEL_FILES}
    COMMAND gen_models ${STAGE_DIR}
    DEPENDS gen_models VERBATIM)
add_custom_target(stage_models ALL DEPENDS ${MODEL_FILES})
endif()

# Textures: painted by gen_textures (PNG through libpng, JPEG through
# libjpeg, BMP through SDL).
if(NOT EMSCRIPTEN)
add_library(asset_textures STATIC ${CMAKE_SOURCE_DIR}/tools/texturepaint.cpp
    ${CMAKE_SOURCE_DIR}/tools/texturedesigns.cpp)
target_include_directories(asset_textures PUBLIC ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(asset_textures PUBLIC PkgConfig::SDL PNG::PNG JPEG::JPEG)
endif()
if(NOT CMAKE_CROSSCOMPILING)
add_executable(gen_textures ${CMAKE_SOURCE_DIR}/tools/gen_textures.cpp)
target_link_libraries(gen_textures PRIVATE asset_textures)
set(TEXTURE_FILES
    models/trash/soda/can.jpg textures/trash/cans/cokecanskin.jpg textures/trash/fumican/normal.jpg
    textures/trash/barrels/barrelad.bmp textures/trash/barrels/barrdiff.bmp
    textures/environment/FlareSun.bmp textures/environment/Earth_Day.bmp
    textures/environment/non-2powern/mars_1k_color.jpg textures/environment/non-2powern/venusmap.jpg
    textures/powerups/red-cross-50.png textures/powerups/blue_trash_can.jpg
    icons/org.drifthaul.Drifthaul.png icons/drifthaul.ico)
list(TRANSFORM TEXTURE_FILES PREPEND ${STAGE_DIR}/)
add_custom_command(OUTPUT ${TEXTURE_FILES}
    COMMAND gen_textures ${STAGE_DIR}
    DEPENDS gen_textures VERBATIM)
add_custom_target(stage_textures ALL DEPENDS ${TEXTURE_FILES})
endif()

# The font: a bold TrueType face from Debian's fonts-dejavu-core, staged under
# the name the game asks for, with its licence beside it.
set(FONT_SOURCE /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)
set(FONT_LICENCE /usr/share/doc/fonts-dejavu-core/copyright)
if(NOT CMAKE_CROSSCOMPILING)
add_custom_command(OUTPUT "${STAGE_DIR}/fonts/Action Man Bold.ttf" ${STAGE_DIR}/fonts/LICENSE-DejaVu.txt
    COMMAND ${CMAKE_COMMAND} -E create_symlink ${FONT_SOURCE} "${STAGE_DIR}/fonts/Action Man Bold.ttf"
    COMMAND ${CMAKE_COMMAND} -E copy ${FONT_LICENCE} ${STAGE_DIR}/fonts/LICENSE-DejaVu.txt
    DEPENDS ${FONT_SOURCE} VERBATIM)
add_custom_target(stage_font ALL DEPENDS "${STAGE_DIR}/fonts/Action Man Bold.ttf")

# Everything the staged tree needs; tests depend on it.
add_custom_target(stage_assets ALL DEPENDS stage_shaders stage_sounds stage_models stage_textures stage_font)
elseif(EMSCRIPTEN)
    # The browser's assets are packed from the folder the build script made.
    add_custom_target(stage_assets)
else()
    # Cross-built: the tools cannot run here, so the assets come from a
    # native build's staged tree; the font is copied, not linked (Windows
    # has no Debian package to link to).
    set(DRIFTHAUL_NATIVE_STAGE "" CACHE PATH "a native build's stage/ folder, whose assets a cross build copies")
    if(NOT IS_DIRECTORY "${DRIFTHAUL_NATIVE_STAGE}/models")
        message(FATAL_ERROR "a cross build needs DRIFTHAUL_NATIVE_STAGE, a native build's stage/ folder")
    endif()
    set(copies "")
    foreach(dir models textures sounds icons)
        list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_directory ${DRIFTHAUL_NATIVE_STAGE}/${dir} ${STAGE_DIR}/${dir})
    endforeach()
    add_custom_target(stage_assets ALL ${copies}
        COMMAND ${CMAKE_COMMAND} -E copy ${FONT_SOURCE} "${STAGE_DIR}/fonts/Action Man Bold.ttf"
        COMMAND ${CMAKE_COMMAND} -E copy ${FONT_LICENCE} ${STAGE_DIR}/fonts/LICENSE-DejaVu.txt VERBATIM)
    add_dependencies(stage_assets stage_shaders)
endif()
