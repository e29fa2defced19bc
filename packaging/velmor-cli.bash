# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for velmor-cli: the commands, each command's options, "now" after
# --from, and file names after -o.

_velmor_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}

    # Each command's options, as its --help lists them.
    local -A options=(
        [eclipses]="--from --next --prev --count --precise --delta-t --sun-radius --help"
        [local]="--at --city --from --next --prev --count --jde --delta-t --sun-radius --help"
        [map]="--from --next --prev --count --jde --centre --precise --delta-t --sun-radius -o --help"
        [paths]="--from --next --prev --count --jde --precise --delta-t --sun-radius -o --output --help"
    )

    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W "${!options[*]} --help --version" -- "$cur")
        return
    fi
    local command=${COMP_WORDS[1]}
    [[ -n ${options[$command]+set} ]] || return

    case $prev in
        -o | --output)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return
            ;;
        --from)
            mapfile -t COMPREPLY < <(compgen -W "now" -- "$cur")
            return
            ;;
        --count | --jde | --centre | --at | --city | --delta-t | --sun-radius)
            COMPREPLY=()
            return
            ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "${options[$command]}" -- "$cur")
}
complete -F _velmor_cli velmor-cli
