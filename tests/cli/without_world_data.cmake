cmake_minimum_required(VERSION 3.22)
# velmor-cli paths and eclipses read no world data: a copy of the program in a folder
# without the WORLD.* files exits with status 0 and writes what the program beside the
# data writes. Run with -DCLI=<velmor-cli> -DWORK=<an empty folder to use>.

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${CLI} DESTINATION ${WORK})
get_filename_component(name ${CLI} NAME)
file(GLOB world ${WORK}/WORLD.*)
if(world)
    message(FATAL_ERROR "world data in ${WORK}")
endif()

foreach(command "paths;--jde;2451401.96105;-o;-" "eclipses;--from;2001-01-01;--next;--count;5")
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
file(REMOVE_RECURSE ${WORK})
