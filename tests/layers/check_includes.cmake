# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.22)

# Fails when a source file of a layer includes a header of a layer that the table in
# cmake/layers.cmake does not allow it, naming the file and the include.
# Run with -DSOURCE_DIR=<the source tree>.
include(${SOURCE_DIR}/cmake/layers.cmake)

set(faults 0)
set(checked 0)
foreach(layer ${VELMOR_LAYERS})
    if(NOT IS_DIRECTORY ${SOURCE_DIR}/${layer})
        continue()
    endif()
    file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
         ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
    foreach(source ${sources})
        # A file in a sub-folder that is a layer of its own is checked with that layer.
        velmor_layer_of_path("${source}" owner)
        if(NOT owner STREQUAL layer)
            continue()
        endif()
        math(EXPR checked "${checked} + 1")
        file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line ${includes})
            string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
            velmor_layer_of_path("${header}" used)
            velmor_layer_may_use(${layer} "${used}" allowed)
            if(NOT allowed)
                message(SEND_ERROR "${source} (${layer}/) includes \"${header}\" (${used}/)")
                math(EXPR faults "${faults} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()
if(checked EQUAL 0)
    message(FATAL_ERROR "no source files found under ${SOURCE_DIR}")
endif()
if(faults GREATER 0)
    message(FATAL_ERROR "${faults} include(s) run against the layers")
endif()
message(STATUS "${checked} files keep to the layers")
