#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check_completion.sh COMPLETION: what the bash completion offers after each
# kind of word, with bash-completion's two helpers stood in for: a file
# pattern is answered as "files:<pattern>".
set -uo pipefail
_init_completion() {
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
    cur=${words[cword]}
    prev=${words[cword - 1]}
    split=false
}
_filedir() { COMPREPLY=("files:${1:-}"); }
# shellcheck source=/dev/null
source "$1"

failures=0
offers() {
    local expected=$1
    shift
    COMP_WORDS=(perceptlab "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _perceptlab
    local got="${COMPREPLY[*]}"
    if [ "$got" != "$expected" ]; then
        echo "after \"$*\": \"$got\", not \"$expected\""
        failures=$((failures + 1))
    fi
}
offers "--help --version --train --run" "--"
offers "files:@(rna|ren)" "--train" ""
offers "--cycles" "--train" "x.rna" "--cy"
offers "--max-error --min-error" "--train" "x.rna" "--m"
offers "" "--train" "x.rna" "--seed" ""
offers "files:ren" "--train" "x.rna" "--save" ""
offers "files:csv" "--train" "x.rna" "--errors" ""
offers "--inputs --outputs" "--run" "x.ren" "--"
offers "files:csv" "--run" "x.ren" "--inputs" ""
offers "files:@(rna|ren)" ""
exit $((failures > 0))
