# SPDX-License-Identifier: GPL-3.0-or-later
# Makes one gzipped manual page with help2man from a program's --help and --version, run
# at build time as a script:
#   cmake -DPROGRAM=... -DHELP2MAN=... -DINCLUDES=a.h2m,b.h2m [-DCOMMANDS=ON]
#         -DWORK_DIR=... -DOUTPUT=name.1.gz [-DOPTIONAL=ON] -P VelmorManPage.cmake
# With COMMANDS, a COMMANDS section is added holding each command's own --help text
# (PROGRAM COMMAND --help), for every command that PROGRAM --help lists under its
# "Commands:" (or "Subcommands:") heading. With OPTIONAL, a program whose --help does not answer (it
# fails or does not end within the time limit) gets no page and only a warning.
# The programs run on Qt's offscreen platform, so that no display is needed.

set(run ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen)
string(REPLACE "," ";" INCLUDES "${INCLUDES}")
get_filename_component(name ${OUTPUT} NAME_WE)

execute_process(COMMAND ${run} ${PROGRAM} --help
    RESULT_VARIABLE status OUTPUT_VARIABLE help ERROR_QUIET TIMEOUT 10)
if(NOT status EQUAL 0 OR help STREQUAL "")
    file(REMOVE ${OUTPUT})
    if(OPTIONAL)
        message(WARNING "${name} --help does not print a usage (${status}): "
                        "no manual page for ${name}")
        return()
    endif()
    message(FATAL_ERROR "${name} --help does not print a usage (${status})")
endif()

file(MAKE_DIRECTORY ${WORK_DIR})
set(includes)
if(COMMANDS)
    # The command names: the first word of each indented line after the heading, up to
    # the next blank line.
    # (brackets and semicolons would upset the list of lines)
    string(REGEX REPLACE "[][;]" " " lines "${help}")
    string(REPLACE "\n" ";" lines "${lines}")
    set(commands)
    set(in_list OFF)
    foreach(line IN LISTS lines)
        if(line MATCHES "[Cc][Oo][Mm][Mm][Aa][Nn][Dd][Ss]:[ \t]*$")
            set(in_list ON)
        elseif(in_list AND line MATCHES "^[ \t]*$")
            set(in_list OFF)
        elseif(in_list AND line MATCHES "^[ \t]+([a-z][a-z0-9-]*)")
            list(APPEND commands ${CMAKE_MATCH_1})
        endif()
    endforeach()
    if(NOT commands)
        message(FATAL_ERROR "${name} --help lists no commands")
    endif()
    set(section "[COMMANDS]\n")
    foreach(command ${commands})
        execute_process(COMMAND ${run} ${PROGRAM} ${command} --help
            RESULT_VARIABLE status OUTPUT_VARIABLE text ERROR_QUIET TIMEOUT 20)
        if(NOT status EQUAL 0 OR text STREQUAL "")
            message(FATAL_ERROR "${name} ${command} --help failed (${status})")
        endif()
        # Shown as it is printed: escape what roff would read as its own.
        string(REPLACE "\\" "\\e" text "${text}")
        string(REPLACE "-" "\\-" text "${text}")
        string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
        string(APPEND section ".SS ${command}\n.nf\n${text}.fi\n")
    endforeach()
    file(WRITE ${WORK_DIR}/${name}-commands.h2m "${section}")
    list(APPEND includes --include=${WORK_DIR}/${name}-commands.h2m)
endif()
foreach(include ${INCLUDES})
    list(APPEND includes --include=${include})
endforeach()

execute_process(COMMAND ${run} ${HELP2MAN} --no-info --section=1 ${includes}
                        --output=${WORK_DIR}/${name}.1 ${PROGRAM}
    RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "help2man failed for ${name} (${status})")
endif()
# Maximal compression and no time stamp, as Debian wants its manual pages.
execute_process(COMMAND gzip -9 -n -c ${WORK_DIR}/${name}.1
    OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip failed for ${name} (${status})")
endif()
