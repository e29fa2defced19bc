# SPDX-License-Identifier: GPL-3.0-or-later
# The layers of the program and what each may use, lowest first. Each layer is a folder of
# the source tree with its library target; a layer may include the headers of, and link,
# only the layers listed for it (and itself). Dependencies run one way: the platform
# layer and the shared constants at the bottom, astronomy and geography on them (never on
# each other), the overlay and the precise engine on both, the document, the command line
# and the desktop program on top. No library uses the command line or the desktop program.
#
# Read by the top-level CMakeLists.txt, which refuses a link that breaks the table, and by
# tests/layers/check_includes.cmake, which refuses such an include.

set(VELMOR_LAYERS platform units platform/qt astro geo overlay besselian app cli app/shell)

set(VELMOR_LAYER_TARGETS_platform velmor_platform)
set(VELMOR_LAYER_TARGETS_units velmor_units)
set(VELMOR_LAYER_TARGETS_platform/qt velmor_painter_dc)
set(VELMOR_LAYER_TARGETS_astro velmor_astro)
set(VELMOR_LAYER_TARGETS_geo velmor_geo)
set(VELMOR_LAYER_TARGETS_overlay velmor_overlay)
set(VELMOR_LAYER_TARGETS_besselian velmor_besselian)
set(VELMOR_LAYER_TARGETS_app velmor_app)
set(VELMOR_LAYER_TARGETS_cli velmor_cli velmor_cli_map)
set(VELMOR_LAYER_TARGETS_app/shell velmor_shell)

set(VELMOR_LAYER_USES_platform "")
set(VELMOR_LAYER_USES_units "")
set(VELMOR_LAYER_USES_platform/qt platform)
set(VELMOR_LAYER_USES_astro units platform)
set(VELMOR_LAYER_USES_geo units platform)
set(VELMOR_LAYER_USES_overlay astro geo units platform)
set(VELMOR_LAYER_USES_besselian astro geo units platform)
set(VELMOR_LAYER_USES_app besselian overlay astro geo units platform)
set(VELMOR_LAYER_USES_cli app besselian overlay astro geo units platform platform/qt)
set(VELMOR_LAYER_USES_app/shell app besselian overlay astro geo units platform platform/qt)

# The layer a header path such as "app/shell/main_frame.h" belongs to, or "" for a path
# outside the layers (a test helper, a generated header).
function(velmor_layer_of_path path out)
    set(found "")
    foreach(layer ${VELMOR_LAYERS})
        string(LENGTH "${layer}/" length)
        string(SUBSTRING "${path}" 0 ${length} head)
        # The longest matching folder wins: app/shell before app.
        string(LENGTH "${found}" foundLength)
        if(head STREQUAL "${layer}/" AND length GREATER foundLength)
            set(found ${layer})
        endif()
    endforeach()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

# The layer that owns a library target, or "" for a target outside the table.
function(velmor_layer_of_target target out)
    set(found "")
    foreach(layer ${VELMOR_LAYERS})
        if(target IN_LIST VELMOR_LAYER_TARGETS_${layer})
            set(found ${layer})
        endif()
    endforeach()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

# Whether a file or target of `layer` may use one of `used` (a layer, or "" for none).
function(velmor_layer_may_use layer used out)
    if(used STREQUAL "" OR used STREQUAL layer OR used IN_LIST VELMOR_LAYER_USES_${layer})
        set(${out} TRUE PARENT_SCOPE)
    else()
        set(${out} FALSE PARENT_SCOPE)
    endif()
endfunction()

# Stops the configuration when a library target of a layer links one of another layer
# that the table does not allow it.
function(velmor_check_layer_links)
    foreach(layer ${VELMOR_LAYERS})
        foreach(target ${VELMOR_LAYER_TARGETS_${layer}})
            if(NOT TARGET ${target})
                continue()
            endif()
            get_target_property(links ${target} LINK_LIBRARIES)
            if(NOT links)
                continue()
            endif()
            foreach(link ${links})
                # $<LINK_ONLY:x> and other wrappers around a plain target name.
                string(REGEX REPLACE "^\\$<[A-Z_]+:(.*)>$" "\\1" link "${link}")
                velmor_layer_of_target("${link}" used)
                velmor_layer_may_use(${layer} "${used}" allowed)
                if(NOT allowed)
                    message(FATAL_ERROR
                        "${target} (${layer}/) links ${link} (${used}/), which its layer may not use")
                endif()
            endforeach()
        endforeach()
    endforeach()
endfunction()
