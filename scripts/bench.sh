#!/usr/bin/env bash
# Builds the benchmark preset, measures every row's entries beside the memcpy floor and the
# conventional renderers, measures the host's batch throughput with 1 and 2 jobs, and writes the
# results of that one run into docs/performance.md between its result markers.
#
#   scripts/bench.sh          the full run (several minutes; keep the machine otherwise idle)
#   scripts/bench.sh --smoke  every benchmark for a few iterations and a small batch, writing
#                             nothing: shows that the suite builds, runs and its checks hold
set -euo pipefail
cd "$(dirname "$0")/.."

smoke=false
case "${1:-}" in
  --smoke) smoke=true ;;
  "") ;;
  *) echo "usage: scripts/bench.sh [--smoke]" >&2; exit 2 ;;
esac

scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench

build=build/bench
doc=docs/performance.md
if $smoke; then
  events=20000
  runs=1
  suite_flags=(--benchmark_min_time=0.001)
else
  events=1000000
  runs=5
  # Repetitions in random order spread any change in the machine's load over all benchmarks; the
  # table takes the fastest repetition of each.
  suite_flags=(--benchmark_min_time=0.1 --benchmark_repetitions=5
               --benchmark_enable_random_interleaving=true)
fi

started=$(date -u '+%Y-%m-%d %H:%M UTC')
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
results=$build/results.md
"$build/veduvedader_bench" "${suite_flags[@]}" --results="$results" \
  --benchmark_out="$build/results.json" --benchmark_out_format=json

# The batch command over a generated log: the fastest of a few runs for each number of jobs, the
# processor time it used, which shows whether it had the cores it asked for, and the scaling.
log=$build/batch.jsonl
"$build/ved_batch_log" "$events" >"$log"
declare -A best rate cpus wall_of
pair_ratios=()
TIMEFORMAT='%R %U %S'
# The runs with 1 and 2 jobs alternate, so that a change in the machine's speed during the
# measurement reaches both; each pair, run back to back, gives one scaling figure.
for ((run = 0; run < runs; ++run)); do
  for jobs in 1 2; do
    { time "$build/veduvedad" batch "$log" --jobs "$jobs" >/dev/null 2>"$build/batch.err"; } \
      2>"$build/batch.time"
    rendered=$(sed -n 's/^events: \([0-9]*\) (0 failed), malformed lines: 0$/\1/p' "$build/batch.err")
    if [[ "$rendered" != "$events" ]]; then
      echo "batch with $jobs jobs did not render all $events events:" >&2
      cat "$build/batch.err" >&2
      exit 1
    fi
    read -r wall user system <"$build/batch.time"
    wall_of[$jobs]=$wall
    if [[ -z "${best[$jobs]:-}" ]] || awk -v s="$wall" -v b="${best[$jobs]}" 'BEGIN { exit !(s < b) }'; then
      best[$jobs]=$wall
      cpus[$jobs]=$(awk -v w="$wall" -v u="$user" -v s="$system" \
        'BEGIN { printf "%.2f", (u + s) / w }')
    fi
  done
  pair_ratios+=("$(awk -v a="${wall_of[1]}" -v b="${wall_of[2]}" 'BEGIN { printf "%.2f", a / b }')")
done
for jobs in 1 2; do
  rate[$jobs]=$(awk -v n="$events" -v s="${best[$jobs]}" 'BEGIN { printf "%.0f", n / s }')
  echo "batch, $jobs job(s): $events events in ${best[$jobs]} s, ${rate[$jobs]} events/s, ${cpus[$jobs]} CPUs"
done
rm -f "$log"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

if $smoke; then exit 0; fi

scaling=$(printf '%s\n' "${pair_ratios[@]}" | sort -n | awk '{ r[NR] = $1 } END { print r[int((NR + 1) / 2)] }')
fastest_scaling=$(awk -v a="${rate[1]}" -v b="${rate[2]}" 'BEGIN { printf "%.2f", b / a }')
section=$build/performance-results.md
{
  echo "Run of $started: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores;"
  echo "$(uname -sr); $(g++ --version | head -1); Google Benchmark $(dpkg-query -W -f='${Version}' libbenchmark-dev);"
  echo "libxml2 $(dpkg-query -W -f='${Version}' libxml2-dev). Load average (1, 5, 15 min) before the run"
  echo "$load_before, after it $load_after."
  echo
  cat "$results"
  echo
  echo "### Batch throughput"
  echo
  echo "\`veduvedad batch\` over a generated log of $events events (every sample payload in turn), the"
  echo "fastest of $runs runs, wall time including start-up:"
  echo
  echo "| Jobs | Events per second | Processors busy (CPU time ÷ wall time) |"
  echo "|---:|---:|---:|"
  echo "| 1 | ${rate[1]} | ${cpus[1]} |"
  echo "| 2 | ${rate[2]} | ${cpus[2]} |"
  echo
  echo "Scaling from 1 to 2 jobs: $scaling, the median of the $runs pairs of runs (${pair_ratios[*]});"
  echo "$fastest_scaling between the fastest runs above; target at least 1.7."
} >"$section"

# Replace what lies between the markers with the new section.
awk -v section="$section" '
  /^<!-- results: begin -->$/ { print; while ((getline line < section) > 0) print line; skip = 1; next }
  /^<!-- results: end -->$/ { skip = 0 }
  !skip { print }
' "$doc" >"$doc.new"
mv "$doc.new" "$doc"
echo "results written to $doc"
