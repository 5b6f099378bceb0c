#!/usr/bin/env bash
# torvel-cli move on the five-row start under memcheck, twice in a fresh folder: first with no
# base file (the run writes one), then reading it. Any memory error or lost block fails.
set -euo pipefail
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
for run in cold warm; do
    out=$(valgrind -q --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=99 \
        "$cli" move 1 3 5 7 9)
    [[ $out == "4 9" && -s torvelbase.txt ]] || { echo "$run run: '$out'" >&2; exit 1; }
done
