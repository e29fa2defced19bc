# SPDX-License-Identifier: GPL-3.0-or-later
# The application icon: packaging/velmor.svg, drawn by hand, and its PNG sizes made from it
# at build time with rsvg-convert (Debian: librsvg2-bin). The PNGs land in an icon theme
# tree under the build folder, <build>/icons/hicolor/NxN/apps/velmor.png, from where the
# desktop program compiles them in as its window icon and the installation copies them.

set(VELMOR_ICON_SVG ${PROJECT_SOURCE_DIR}/packaging/velmor.svg)
set(VELMOR_ICON_THEME_DIR ${PROJECT_BINARY_DIR}/icons/hicolor)
set(VELMOR_ICON_SIZES 16 22 24 32 48 64 128 256)

# Adds the rules that make the PNG sizes and compiles them into `target` as Qt resources
# under :/velmor-icon/NxN/apps/velmor.png. Call it once, from the folder of `target`.
function(velmor_add_icon_resources target)
    find_program(VELMOR_RSVG_CONVERT rsvg-convert REQUIRED)
    set(pngs)
    foreach(size ${VELMOR_ICON_SIZES})
        set(dir ${VELMOR_ICON_THEME_DIR}/${size}x${size}/apps)
        add_custom_command(OUTPUT ${dir}/velmor.png
            COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
            COMMAND ${VELMOR_RSVG_CONVERT} --width=${size} --height=${size}
                    --output=${dir}/velmor.png ${VELMOR_ICON_SVG}
            DEPENDS ${VELMOR_ICON_SVG}
            COMMENT "Drawing the ${size} pixel application icon"
            VERBATIM)
        list(APPEND pngs ${dir}/velmor.png)
    endforeach()
    add_custom_target(velmor_icons ALL DEPENDS ${pngs})
    qt_add_resources(${target} velmor_icon
        PREFIX /velmor-icon
        BASE ${VELMOR_ICON_THEME_DIR}
        FILES ${pngs})
endfunction()
