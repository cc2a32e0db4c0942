# SPDX-License-Identifier: GPL-2.0-or-later
# bash completion for lekstar-cli: options, commands, and headwords of the dictionary for the
# words of `lookup` and `page` (Lithuanian ones after --reverse); a phrase comes quoted, as one
# argument, since `lookup` answers each argument on its own.

_lekstar_cli() {
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}

    case $prev in
    --dict | --head)
        COMPREPLY=($(compgen -f -- "$cur"))
        return
        ;;
    esac

    # The options before the command, the command, and whether --reverse was given.
    local i command="" reverse="" global=()
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --dict | --head)
            global+=("${COMP_WORDS[i]}" "${COMP_WORDS[i + 1]}")
            ((i++))
            ;;
        --raw) global+=(--raw) ;;
        --reverse) reverse=--reverse ;;
        -*) ;;
        *) [ -z "$command" ] && command=${COMP_WORDS[i]} ;;
        esac
    done

    # The program lists its own commands, so that a new one is offered without a change here.
    local commands
    commands=$(lekstar-cli --commands 2>/dev/null)
    if [ -z "$command" ]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--dict --head --raw --help --version --commands" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi

    case $command in
    lookup | page | render-forward | nearest-forward | render-reverse | nearest-reverse | words)
        if [[ $cur == -* ]]; then
            local flags="--reverse"
            [ "$command" = lookup ] && flags="--reverse --json --strict --no-forms"
            COMPREPLY=($(compgen -W "$flags" -- "$cur"))
            return
        fi
        case $command in render-reverse | nearest-reverse) reverse=--reverse ;; esac
        local IFS=$'\n' word
        COMPREPLY=()
        while IFS= read -r word; do
            COMPREPLY+=("$(printf '%q' "$word")")
        done < <(lekstar-cli "${global[@]}" words $reverse -- "$cur" 2>/dev/null)
        ;;
    esac
}

complete -F _lekstar_cli lekstar-cli
