#!/usr/bin/env bash
# Makes docs/PERFORMANCE.md: builds the benchmarks, runs every one of them in one run (the two
# programs one after the other, on this machine as it is), and writes the report: each benchmark
# beside its floor, how each cost grows, then the explanations of bench/PerformanceNotes.md.
#   scripts/performance-report.sh [REPETITIONS]      (3 by default)
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ostrevan_root"

repetitions=${1:-3}
install_missing_packages
build_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTREVAN_WERROR=ON -DOSTREVAN_BENCHMARKS=ON

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
for program in mvdb_bench control_bench; do
    echo "== $program"
    (cd "$results" && QT_QPA_PLATFORM=offscreen "$ostrevan_root/build/bench/$program" \
        --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
        --benchmark_out="$results/$program.json" --benchmark_out_format=json)
done

report=docs/PERFORMANCE.md
{
    echo "# Performance"
    echo
    echo "Made by \`scripts/performance-report.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC'):" \
        "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)," \
        "means of $repetitions repetitions, real time. A ratio is the benchmark's time over its" \
        "floor's, the same work done with raw SQLite or bare Qt widgets."
    echo
    build/bench/performance-report bench/PerformanceNotes.md "$results"/mvdb_bench.json \
        "$results"/control_bench.json
} >"$report.new"
mv "$report.new" "$report"
echo "Wrote $report"
