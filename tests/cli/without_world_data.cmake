# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.22)
# velmor-cli paths, eclipses and local --at read no world data: a copy of the program in a
# folder without the WORLD.* files exits with status 0 and writes what the program beside
# the data writes. local --city does read it, and fails there with the loader's status 3.
# Run with -DCLI=<velmor-cli> -DWORK=<an empty folder to use>.

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${CLI} DESTINATION ${WORK})
get_filename_component(name ${CLI} NAME)
file(GLOB world ${WORK}/WORLD.*)
if(world)
    message(FATAL_ERROR "world data in ${WORK}")
endif()

foreach(command "paths;--jde;2451401.96105;-o;-"
        "local;--at;40.4,-3.7;--from;2026-01-01;--next;--count;3"
        "eclipses;--from;2024-01-01;--next;--count;3;--precise")
    execute_process(COMMAND ${WORK}/${name} ${command} WORKING_DIRECTORY ${WORK}
                    RESULT_VARIABLE status OUTPUT_VARIABLE alone ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${command} without the world data: status ${status}: ${errors}")
    endif()
    execute_process(COMMAND ${CLI} ${command} RESULT_VARIABLE status OUTPUT_VARIABLE beside)
    if(NOT status EQUAL 0 OR NOT alone STREQUAL beside OR alone STREQUAL "")
        message(FATAL_ERROR "${command}: the output differs without the world data")
    endif()
endforeach()
execute_process(COMMAND ${WORK}/${name} local --city Madrid --from 2026-01-01 --next
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE errors)
if(NOT status EQUAL 3 OR NOT out STREQUAL "")
    message(FATAL_ERROR "local --city without the world data: status ${status}: ${out}${errors}")
endif()
file(REMOVE_RECURSE ${WORK})
