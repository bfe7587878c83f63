#!/usr/bin/env bash
# Builds the fuzz preset and runs the entry fuzzer from the sample seeds for the given number of
# seconds (default 60). Findings are written to build/fuzz/findings and fail the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
work=build/fuzz
rm -rf "$work/seeds" "$work/findings"
mkdir -p "$work/seeds" "$work/corpus" "$work/findings"
"$work/write_fuzz_seeds" "$work/seeds"
# New inputs go to the build tree; the committed corpus (a merged campaign) and the seeds are read.
"$work/entry_fuzzer" "$work/corpus" fuzz/corpus "$work/seeds" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/findings/" 2>&1 | tail -n 25
