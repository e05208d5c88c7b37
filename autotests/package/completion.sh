#!/usr/bin/env bash
# Checks the bash completion of tavisk the way bash calls it: commands, RTF
# input files (and folders), and the formats after --to, which must be those
# the tool's --help lists.
#
#   completion.sh COMPLETION_FILE TAVISK
# Exits 77 (skipped) when bash-completion is not installed.
set -u
completion_file=$1
tool=$2
bash_completion=/usr/share/bash-completion/bash_completion
if [ ! -r "$bash_completion" ]; then
    echo "bash-completion is not installed: skipped"
    exit 77
fi
# shellcheck disable=SC1090
source "$bash_completion"
# shellcheck disable=SC1090
source "$completion_file"
export LC_ALL=C

formats=$(QT_QPA_PLATFORM=offscreen "$tool" --help | sed -n 's/.*--to <FORMAT> *Output format: \(.*\)\./\1/p' |
          sed 's/,/ /g; s/ or / /g' | tr -s ' ' '\n' | sort | tr '\n' ' ')
if [ -z "$formats" ]; then
    echo "FAIL: no formats found in tavisk --help"
    exit 1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
touch letter.rtf OLD.RTF notes.txt
mkdir drafts

failures=0
# expect WANTED WORD...: completing the last WORD (as bash splits the line)
# offers WANTED, sorted and joined with spaces.
expect()
{
    local wanted=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    # The line as typed: bash splits "--to=p" into "--to" "=" "p".
    COMP_LINE=""
    local word previous=""
    for word in "$@"; do
        if [ -z "$COMP_LINE" ] || [ "$word" = "=" ] || [ "$previous" = "=" ]; then
            COMP_LINE+=$word
        else
            COMP_LINE+=" $word"
        fi
        previous=$word
    done
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _tavisk tavisk "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" 2>/dev/null
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort | tr '\n' ' ')
    if [ "$got" != "$wanted" ]; then
        echo "FAIL: 'tavisk ${*:2}<TAB>' offers '$got', expected '$wanted'"
        failures=$((failures + 1))
    fi
}

expect "convert info " tavisk ""
expect "convert " tavisk co
expect "OLD.RTF drafts letter.rtf " tavisk convert ""
expect "letter.rtf " tavisk convert let
expect "OLD.RTF drafts letter.rtf " tavisk convert letter.rtf -o out.pdf ""
expect "OLD.RTF drafts letter.rtf " tavisk info ""
expect "$formats" tavisk convert letter.rtf --to ""
expect "$formats" tavisk convert letter.rtf -t ""
expect "pdf png " tavisk convert letter.rtf --to = p
expect "OLD.RTF drafts letter.rtf notes.txt " tavisk convert letter.rtf -o ""
expect "" tavisk convert letter.rtf -j ""
expect "--debug --dpi " tavisk convert letter.rtf --d
expect "--json " tavisk info letter.rtf --j

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "bash completion: all cases pass"
