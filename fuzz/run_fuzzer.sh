#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time on a fresh copy of its seeds; a failing input is
# kept in WORK and named.   run_fuzzer.sh FUZZER SEEDS WORK SECONDS [LIBFUZZER_FLAG...]
set -euo pipefail
fuzzer=$(realpath "$1") seeds=$(realpath "$2") work=$(realpath -m "$3") seconds=$4
shift 4
rm -rf "$work" && mkdir -p "$work/corpus" && cd "$work"
status=0
"$fuzzer" -seed=1 -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$work/" "$@" corpus "$seeds" >log.txt 2>&1 || status=$?
grep -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units' log.txt || true
if ((status != 0)); then
    tail -n 60 log.txt
    ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null || true
fi
exit "$status"
