# bash completion for kalvenor-cli                          -*- shell-script -*-
#
# Options complete after "-" or "--"; the value of --sort completes to its
# four keys, the files of --log, --undo-log and --history to files, and the FOLDER
# operand to folders. Abbreviated long options (--so date), "--name=value"
# and clustered short options (-cs date) are understood as the tool
# understands them. Needs nothing beyond bash itself.

_kalvenor_cli_options='-b --base -i --index --prefix --postfix -s --sort --descending
--no-fill-gaps --sets --keep-hidden -l --log -c --commit --undo-log --history -h --help --version'
_kalvenor_cli_long_with_value='--base --index --sort --log --undo-log --history'

# The long option that "--name" (possibly abbreviated) stands for, printed;
# nothing when it is ambiguous or no option.
_kalvenor_cli_long_option() {
    local word=$1 option match='' count=0
    for option in $_kalvenor_cli_options; do
        [[ $option == --* ]] || continue
        if [[ $option == "$word" ]]; then
            printf '%s\n' "$option"
            return
        fi
        if [[ $option == "$word"* ]]; then
            match=$option
            count=$((count + 1))
        fi
    done
    ((count == 1)) && printf '%s\n' "$match"
}

# The long name of the option whose value the word after `word` is, printed;
# nothing when that word is no option's value.
_kalvenor_cli_value_of() {
    local word=$1 option letters i
    case $word in
        --?*)
            option=$(_kalvenor_cli_long_option "$word")
            [[ -n $option && " $_kalvenor_cli_long_with_value " == *" $option "* ]] &&
                printf '%s\n' "$option"
            ;;
        -[!-]*)
            # Letters up to the first that takes a value; that one takes the
            # next word only when it ends the cluster.
            letters=${word#-}
            for ((i = 0; i < ${#letters}; i++)); do
                case ${letters:i:1} in
                    b | i | s | l)
                        ((i == ${#letters} - 1)) || return
                        case ${letters:i:1} in
                            b) echo --base ;;
                            i) echo --index ;;
                            s) echo --sort ;;
                            l) echo --log ;;
                        esac
                        return
                        ;;
                esac
            done
            ;;
    esac
}

_kalvenor_cli_paths() {
    local kind=$1 prefix=$2 cur=$3 path
    compopt -o filenames 2>/dev/null
    while IFS= read -r path; do
        COMPREPLY+=("$prefix$path")
    done < <(compgen "$kind" -- "$cur")
}

_kalvenor_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} option='' prefix='' i
    COMPREPLY=()

    # Operands only, after "--" (but not when it is an option's value).
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} == -- && -z $(_kalvenor_cli_value_of "${COMP_WORDS[i - 1]}") ]]; then
            _kalvenor_cli_paths -d '' "$cur"
            return
        fi
    done

    # "--name=value": bash splits it at "=" unless COMP_WORDBREAKS lacks it.
    if [[ $cur == = && COMP_CWORD -ge 2 ]]; then
        option=$(_kalvenor_cli_value_of "${COMP_WORDS[COMP_CWORD - 1]}")
        cur=''
    elif [[ ${COMP_WORDS[COMP_CWORD - 1]} == = && COMP_CWORD -ge 3 ]]; then
        option=$(_kalvenor_cli_value_of "${COMP_WORDS[COMP_CWORD - 2]}")
    elif [[ $cur == --?*=* ]]; then
        option=$(_kalvenor_cli_value_of "${cur%%=*}")
        prefix=${cur%%=*}=
        cur=${cur#*=}
    elif ((COMP_CWORD >= 2)); then
        option=$(_kalvenor_cli_value_of "${COMP_WORDS[COMP_CWORD - 1]}")
    fi

    case $option in
        --sort)
            COMPREPLY=($(compgen -P "$prefix" -W 'name date type taken' -- "$cur"))
            return
            ;;
        --log | --undo-log | --history)
            _kalvenor_cli_paths -f "$prefix" "$cur"
            return
            ;;
        --base | --index)
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$_kalvenor_cli_options" -- "$cur"))
    else
        _kalvenor_cli_paths -d '' "$cur"
    fi
} &&
    complete -F _kalvenor_cli kalvenor-cli

# ex: filetype=sh
