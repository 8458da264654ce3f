#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bash completion of velmo-cli offers every command of the program's
# overview, every option of each command's --help, and the words that
# --format and --kind take.
#   check_completion.sh VELMO_CLI COMPLETION_FILE
set -uo pipefail
cli=$1 completion=$2
main=/usr/share/bash-completion/bash_completion
if [[ ! -r $main ]]; then
    echo "SKIPPED: bash-completion is not installed (scripts/setup installs it)"
    exit 0
fi
source "$main"
source "$completion"

failed=0
# The completions offered when the last of the words given is completed.
offered() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _velmo_cli velmo-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}"
}
expect_offered() {  # expect_offered WORD WORDS...: WORD is among the completions of WORDS
    local word=$1 words
    shift
    words=$(offered "$@")
    if ! grep -qxF -- "$word" <<<"$words"; then
        echo "FAILED: '$*' does not offer $word"
        failed=1
    fi
}

commands=$("$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z]*\) .*/\1/p')
[[ -n $commands ]] || { echo "FAILED: no commands in velmo-cli --help"; exit 1; }
for command in $commands; do
    expect_offered "$command" velmo-cli ""
    for option in $("$cli" "$command" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
        expect_offered "$option" velmo-cli "$command" --
    done
done
for format in csv text table; do expect_offered $format velmo-cli search --format ""; done
for kind in gcvs table; do expect_offered $kind velmo-cli import --kind ""; done
exit $failed
