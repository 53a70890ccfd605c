#!/usr/bin/env bash
# Runs one fuzz target for a bounded time and fails on any crash, leak, hang
# or running out of memory. The seeds are copied into a corpus of this run's
# own, so that the corpus in the repository changes only by hand.
# Usage: run_fuzzer.sh FUZZER SEEDS DICTIONARY SECONDS WORK
set -euo pipefail
fuzzer=$1 seeds=$2 dictionary=$3 seconds=$4 work=$5
rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings"
cp "$seeds"/* "$work/corpus/"
status=0
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048 -max_len=65536 \
    -dict="$dictionary" -artifact_prefix="$work/findings/" -print_final_stats=1 \
    "$work/corpus" > "$work/log" 2>&1 || status=$?
grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb|^#[0-9]+.*DONE' "$work/log" || true
if [ "$status" -ne 0 ] || [ -n "$(ls -A "$work/findings")" ]; then
    tail -60 "$work/log"
    echo "$(basename "$fuzzer") found an input it fails on: $(ls "$work/findings")" >&2
    echo "Make it a file of $seeds and a test row, and mend the reader." >&2
    exit 1
fi
