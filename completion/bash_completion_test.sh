#!/usr/bin/env bash
# Checks the bash completion of kalvenor-cli: it loads, registers itself,
# knows exactly the options that `kalvenor-cli --help` lists, and completes
# options, the sort keys, files and folders as the table below says.
# usage: bash_completion_test.sh COMPLETION_SCRIPT KALVENOR_CLI
set -uo pipefail
export LC_ALL=C
script=$1
cli=$2

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# shellcheck source=kalvenor-cli.bash
source "$script" || fail "sourcing $script"
[[ $(complete -p kalvenor-cli 2>/dev/null) == "complete -F _kalvenor_cli kalvenor-cli" ]] ||
    fail "not registered: '$(complete -p kalvenor-cli 2>&1)'"

# Every option of the help text, and no other, is offered after "-".
help_options=$("$cli" --help | awk '/^ +-/ { sub(/^ +/, ""); sub(/  .*/, ""); print }' |
    grep -oE -- '--?[a-z][-a-z]*' | sort | tr '\n' ' ')
COMP_WORDS=(kalvenor-cli -) COMP_CWORD=1
_kalvenor_cli
offered=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
[[ -n $help_options && $offered == "$help_options" ]] ||
    fail "options offered: '$offered', in --help: '$help_options'"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Pictures" "$work/-dashed" "$work/spaced dir"
touch "$work/trip.log" "$work/notes.txt"
cd "$work" || exit 1

# The words on the line, the last being the one completed (COMP_CWORD), then
# "=>" and the completions expected, sorted and joined by "|".
cases=(
    "--so => --sort"
    "--no => --no-fill-gaps"
    "--k => --keep-hidden"
    "--p => --postfix|--prefix"
    "--u => --undo-log"
    "--sort '' => date|name|taken|type"
    "-s d => date"
    "--so t => taken|type"
    "--se => --sets"
    "-cs '' => date|name|taken|type"
    "-bs '' => -dashed|Pictures|spaced dir"
    "--sort = '' => date|name|taken|type"
    "--sort = n => name"
    "--sort=n => --sort=name"
    "--log '' => -dashed|Pictures|notes.txt|spaced dir|trip.log"
    "--undo-log t => trip.log"
    "--hi t => trip.log"
    "--undo-log=t => --undo-log=trip.log"
    "-l n => notes.txt"
    "-b Holiday '' => -dashed|Pictures|spaced dir"
    "-l trip.log -c P => Pictures"
    "-b '' => "
    "-i '' => "
    "-- - => -dashed"
    "-b -- --u => --undo-log"
)
for case in "${cases[@]}"; do
    words=${case%% => *}
    expected=${case#* => }
    eval "COMP_WORDS=(kalvenor-cli $words)"
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _kalvenor_cli
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd '|')
    [[ $got == "$expected" ]] || fail "kalvenor-cli $words: got '$got', want '$expected'"
done

((failures == 0)) && echo "bash completion: all ${#cases[@]} cases and the option list pass"
((failures == 0))
