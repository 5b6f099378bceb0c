#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time:
#   run_fuzzer.sh FUZZER SEED_CORPUS WORK_FOLDER SECONDS [LIBFUZZER_FLAG...]
# New inputs go to WORK_FOLDER/corpus (emptied first; the committed seeds are only read), and an
# input that fails is kept in WORK_FOLDER/ and printed with the way to reproduce it. Ends with
# libFuzzer's figures (runs, executions per second, coverage).
set -euo pipefail
fuzzer=$(realpath "$1") seeds=$(realpath "$2") work=$(realpath -m "$3") seconds=$4
shift 4
rm -rf "$work"
mkdir -p "$work/corpus"
cd "$work"
status=0
"$fuzzer" -seed=1 -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$work/" "$@" "$work/corpus" "$seeds" >"$work/log.txt" 2>&1 ||
    status=$?
grep -E '^(INFO: seed corpus|#[0-9]+[[:space:]]+(INITED|DONE))|^Done [0-9]+ runs|^stat::' "$work/log.txt" || true
if ((status != 0)); then
    tail -n 80 "$work/log.txt"
    for input in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
        [[ -e $input ]] && echo "failing input: $input (reproduce: $fuzzer $input)"
    done
    exit "$status"
fi
echo "$(basename "$fuzzer"): $(ls "$work/corpus" | wc -l) new inputs kept, no findings"
