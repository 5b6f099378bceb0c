#!/usr/bin/env bash
# torvel-cli move on the five-row start under valgrind's memcheck, twice in a fresh directory:
# first with no base file (the run writes one), then reading the file the first run wrote.
# Fails on any memory error and on any block definitely lost; prints valgrind's summaries.
set -euo pipefail
cli=$1
command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 1; }
dir=$(mktemp -d "${TMPDIR:-/tmp}/torvel-valgrind-XXXXXX")
trap 'rm -rf "$dir"' EXIT
cd "$dir"

for run in cold warm; do
    status=0
    valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite \
        --error-exitcode=99 --log-file="$dir/$run.log" \
        "$cli" move 1 3 5 7 9 >"$dir/$run.out" || status=$?
    echo "== $run run: exit status $status"
    grep -E 'ERROR SUMMARY|definitely lost|All heap blocks|in use at exit' "$dir/$run.log" || true
    if ((status != 0)) || ! grep -q 'ERROR SUMMARY: 0 errors' "$dir/$run.log"; then
        cat "$dir/$run.log"
        exit 1
    fi
    if grep -q 'definitely lost: [1-9]' "$dir/$run.log"; then
        echo "definitely lost bytes in the $run run" >&2
        exit 1
    fi
    if [[ $(cat "$dir/$run.out") != "4 9" ]]; then
        echo "the $run run answered '$(cat "$dir/$run.out")', not '4 9'" >&2
        exit 1
    fi
    [[ -s torvelbase.txt ]] || { echo "the $run run left no base file" >&2; exit 1; }
done
