#!/usr/bin/env bash
# Builds the benchmark preset, measures every row's entries beside the memcpy floor and the
# conventional renderers, measures the host's batch command with 1 and 2 jobs, and writes the
# results of that one run into docs/performance.md between its result markers.
#
#   scripts/bench.sh               the full run (several minutes; keep the machine otherwise idle)
#   scripts/bench.sh --batch-only  the batch measurement alone, with the entries' time per event
#                                  beside it; rewrites only the batch results (a few minutes)
#   scripts/bench.sh --smoke       every benchmark for a few iterations and a small batch, writing
#                                  nothing: shows that the suite builds, runs and its checks hold
set -euo pipefail
cd "$(dirname "$0")/.."

mode=full
case "${1:-}" in
  --smoke) mode=smoke ;;
  --batch-only) mode=batch ;;
  "") ;;
  *) echo "usage: scripts/bench.sh [--smoke | --batch-only]" >&2; exit 2 ;;
esac

# time: the peak memory of a run; jq: the entries' times from the suite's JSON.
scripts/install-deps.sh time jq
cmake --preset bench >/dev/null
cmake --build --preset bench

build=build/bench
doc=docs/performance.md
if [[ $mode == smoke ]]; then
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
results=$build/results.md
if [[ $mode == batch ]]; then
  suite_flags+=(--benchmark_filter='/ours$')  # the entries' own times only
else
  suite_flags+=(--results="$results")
fi

started=$(date -u '+%Y-%m-%d %H:%M UTC')
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
"$build/veduvedader_bench" "${suite_flags[@]}" --benchmark_out="$build/results.json" --benchmark_out_format=json

# The entries' time per event of the log below, which holds every sample equally often: the
# fastest repetition of each sample's XML and text entry, summed over the samples and divided by
# their number.
entries_ns=$(jq '[.benchmarks[] | select(.run_type == "iteration" and (.name | endswith("/ours")))]
                 | group_by(.name) | map(min_by(.cpu_time).cpu_time) | add / (length / 2)' \
                 "$build/results.json")

# The batch command over the samples repeated to the log's length: events per second and
# processor time per event for each number of jobs, the median of the runs; the scaling from
# each pair of runs; and the peak memory, also on a log a tenth as long, to show it does not grow.
samples=$build/samples.jsonl
log=$build/batch.jsonl
"$build/veduvedad" samples --jsonl >"$samples"
repeat_samples() { awk -v n="$1" '{ line[NR] = $0 } END { for (i = 0; i < n; ++i) print line[i % NR + 1] }' "$samples"; }
repeat_samples "$events" >"$log"

# Runs the batch over $1 with $2 jobs; sets wall, cpu (user + system seconds) and rss (KiB).
run_batch() {
  /usr/bin/time -f '%e %U %S %M' -o "$build/batch.time" \
    "$build/veduvedad" batch "$1" --jobs "$2" >/dev/null 2>"$build/batch.err"
  local count user system
  count=$(sed -n 's/^events: \([0-9]*\) (0 failed), malformed lines: 0$/\1/p' "$build/batch.err")
  if [[ "$count" != "$(wc -l <"$1")" ]]; then
    echo "batch with $2 jobs did not render every event of $1:" >&2
    cat "$build/batch.err" >&2
    exit 1
  fi
  read -r wall user system rss <"$build/batch.time"
  cpu=$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

declare -A walls cpus peak
pair_ratios=()
# The runs with 1 and 2 jobs alternate, so that a change in the machine's speed during the
# measurement reaches both; each pair, run back to back, gives one scaling figure.
for ((run = 0; run < runs; ++run)); do
  for jobs in 1 2; do
    run_batch "$log" "$jobs"
    walls[$jobs]+="$wall "
    cpus[$jobs]+="$cpu "
    peak[$jobs]=$(( ${peak[$jobs]:-0} > rss ? ${peak[$jobs]:-0} : rss ))
    [[ $jobs == 1 ]] && wall_one=$wall
  done
  pair_ratios+=("$(awk -v a="$wall_one" -v b="$wall" 'BEGIN { printf "%.2f", a / b }')")
done
repeat_samples $((events / 10)) >"$log"
run_batch "$log" 2
short_rss=$rss
rm -f "$log"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

declare -A rate cpu_us
for jobs in 1 2; do
  wall=$(tr ' ' '\n' <<<"${walls[$jobs]}" | grep . | median)
  cpu=$(tr ' ' '\n' <<<"${cpus[$jobs]}" | grep . | median)
  rate[$jobs]=$(awk -v n="$events" -v s="$wall" 'BEGIN { printf "%.0f", n / s }')
  cpu_us[$jobs]=$(awk -v n="$events" -v s="$cpu" 'BEGIN { printf "%.2f", s / n * 1e6 }')
  echo "batch, $jobs job(s): $events events in $wall s, ${rate[$jobs]} events/s, ${cpu_us[$jobs]} µs of processor time per event, peak ${peak[$jobs]} KiB"
done
scaling=$(printf '%s\n' "${pair_ratios[@]}" | median)
entries_us=$(awk -v ns="$entries_ns" 'BEGIN { printf "%.2f", ns / 1000 }')
echo "entries: $entries_us µs per event; scaling $scaling (${pair_ratios[*]})"

[[ $mode == smoke ]] && exit 0

machine="$(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores; $(uname -sr); $(g++ --version | head -1)"
batch_section=$build/batch-results.md
{
  echo "Run of $started: $machine; simdjson $(dpkg-query -W -f='${Version}' libsimdjson-dev)."
  echo "Load average (1, 5, 15 min) before the run $load_before, after it $load_after."
  echo
  echo "\`veduvedad batch\` over the samples (\`veduvedad samples --jsonl\`) repeated to $events events,"
  echo "written to /dev/null; the median of $runs runs for each number of jobs, the runs with 1 and 2 jobs"
  echo "alternating:"
  echo
  echo "| Jobs | Events per second | Processor time per event (µs) | Host's part (µs) | Host ÷ entries | Peak memory (MiB) |"
  echo "|---:|---:|---:|---:|---:|---:|"
  for jobs in 1 2; do
    awk -v j="$jobs" -v r="${rate[$jobs]}" -v c="${cpu_us[$jobs]}" -v e="$entries_us" -v m="${peak[$jobs]}" \
      'BEGIN { printf "| %d | %d | %.2f | %.2f | %.1f | %.1f |\n", j, r, c, c - e, (c - e) / e, m / 1024 }'
  done
  echo
  echo "- Scaling from 1 to 2 jobs: $scaling, the median of the $runs pairs of runs (${pair_ratios[*]})."
  echo "- The entries' own time: $entries_us µs per event, their benchmarks' fastest repetitions"
  echo "  averaged over the samples (XML and text of each); the host's part is the rest of the processor time."
  echo "- Peak memory with 2 jobs on a log a tenth as long: $(awk -v m="$short_rss" 'BEGIN { printf "%.1f", m / 1024 }') MiB."
} >"$batch_section"

# Replaces what lies between the markers named $1 with the file $2.
replace_section() {
  awk -v name="$1" -v section="$2" '
    $0 == "<!-- " name ": begin -->" { print; while ((getline line < section) > 0) print line; skip = 1; next }
    $0 == "<!-- " name ": end -->" { skip = 0 }
    !skip { print }
  ' "$doc" >"$doc.new"
  mv "$doc.new" "$doc"
}

replace_section "batch results" "$batch_section"
if [[ $mode == full ]]; then
  section=$build/performance-results.md
  {
    echo "Run of $started: $machine; Google Benchmark $(dpkg-query -W -f='${Version}' libbenchmark-dev);"
    echo "libxml2 $(dpkg-query -W -f='${Version}' libxml2-dev). Load average (1, 5, 15 min) before the run"
    echo "$load_before, after it $load_after."
    echo
    cat "$results"
  } >"$section"
  replace_section "results" "$section"
fi
echo "results written to $doc"
