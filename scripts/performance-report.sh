#!/usr/bin/env bash
# Makes docs/PERFORMANCE.md: builds the benchmarks, runs every one of them in one run (the two
# programs one after the other, on this machine as it is), then measures the screen's main works
# beside the reference floors (../shared/floors: programs of their own in plain C that do the least
# work each job needs), in rounds that alternate the project's benchmarks, the reference floors and
# the whole host process, and writes the report: the works beside the reference floors (medians of
# the rounds), each benchmark beside its floor, how each cost grows, then the explanations of
# bench/PerformanceNotes.md.
#   scripts/performance-report.sh [REPETITIONS [ROUNDS]]      (3 and 8 by default)
# Runs as root (the reference floors' server runs as the postgres user). Without the reference
# floors' folder (OSTREVAN_REFERENCE_FLOORS, ../shared/floors by default) the report has no table
# beside them.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ostrevan_root"

repetitions=${1:-3}
rounds=${2:-8}
reference=${OSTREVAN_REFERENCE_FLOORS:-$ostrevan_root/../shared/floors}
install_missing_packages
build_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTREVAN_WERROR=ON -DOSTREVAN_BENCHMARKS=ON

results=$(mktemp -d)
chmod 755 "$results"  # the reference floors' server, run as postgres, keeps its files inside
floors=$results/floors
pg_bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
stop_floors_server() {
    [ -f "$floors/pg/data/postmaster.pid" ] &&
        runuser -u postgres -- "$pg_bin/pg_ctl" -D "$floors/pg/data" -m fast stop >/dev/null
    rm -rf "$results"
}
trap stop_floors_server EXIT
bench() {
    local program=$1
    shift
    (cd "$results" && QT_QPA_PLATFORM=offscreen "$ostrevan_root/build/bench/$program" "$@")
}

for program in mvdb_bench control_bench; do
    echo "== $program"
    bench "$program" --benchmark_repetitions="$repetitions" \
        --benchmark_report_aggregates_only=true \
        --benchmark_out="$results/$program.json" --benchmark_out_format=json
done

# The works beside the reference floors: a row is the work, the store, the lines, the project's
# benchmark run (or figure) and the reference floor's figure.
beside=()
if [ -d "$reference" ]; then
    echo "== reference floors, from $reference"
    export FLOORS=$floors PROJECT=$ostrevan_root
    "$reference/build.sh" >/dev/null
    "$reference/setup.sh" >/dev/null
    uri="postgresql://postgres@/bench?host=$floors/pg"
    cp "$floors/bench.mvdb" "$floors/host.mvdb"
    printf 'type Txt_Entite 014\nexpect Lst_Detail.ListCount 10000\n' >"$floors/start.script"
    rows=$results/rows.tsv figures=$results/figures.tsv
    : >"$figures"
    for store in File Server; do
        for lines in 100 1000 10000; do
            printf 'open\t%s\t%s\tBM_OpenEntity_Headless_%s/lines:%s\topen-%s-%s\n' \
                "${store,,}" "$lines" "$store" "$lines" "$store" "$lines"
        done
    done >"$rows"
    {
        printf 'first opening, new connection\tserver\t10000\tBM_FirstOpening_Headless_Server/lines:10000\topen-Server-10000\n'
        printf 'save\tfile\t10000\tBM_SaveEntity_Headless_File/lines:10000\tsave-File\n'
        printf 'save\tserver\t10000\tBM_SaveEntity_Headless_Server/lines:10000\tsave-Server\n'
        printf 'Init, 10,004 entities and 10,000 rubrics\tfile\t\tBM_Init_Headless_File/entities:10000/rubrics:10000\tinit-File\n'
        printf 'process start to first opened entity, headless (hyperfine)\tfile\t10000\tostrevan-host\tstart-File\n'
    } >>"$rows"
    filter='^(BM_OpenEntity_Headless|BM_Floor_Opening|BM_FirstOpening_Headless|BM_SaveEntity_Headless'
    filter+='|BM_Floor_AppendAndRaw).*/lines:(100|1000|10000)(/|$)'
    filter+='|^(BM_Init_Headless_File|BM_Floor_Init_File)/entities:10000/rubrics:10000$'
    median_of() { sed -n 's/.*wall_median_ms=\([0-9.]*\).*/\1/p'; }
    best_of() { sort -g | head -1; }
    for round in $(seq "$rounds"); do
        echo "== round $round of $rounds"
        bench control_bench --benchmark_filter="$filter" \
            --benchmark_out="$results/round$round.json" --benchmark_out_format=json >/dev/null
        for lines in 100 1000 10000; do
            entity=01$(( ${#lines} - 1 ))
            for mode in vtab scan; do
                "$floors/floor_sqlite" "$floors/bench.mvdb" open "$mode" "$entity" 30 | median_of
            done | best_of | sed "s/^/open-File-$lines\t/"
            for mode in rt4 one pipe1; do
                "$floors/floor_pg" "$uri" open "$mode" "$entity" 30 | median_of
            done | best_of | sed "s/^/open-Server-$lines\t/"
        done >>"$figures"
        {
            "$floors/floor_sqlite" "$floors/floor.mvdb" save 014 30 | median_of | sed 's/^/save-File\t/'
            "$floors/floor_pg" "$uri" save 014 30 | median_of | sed 's/^/save-Server\t/'
            "$floors/floor_sqlite" "$floors/bench.mvdb" init 30 | median_of | sed 's/^/init-File\t/'
        } >>"$figures"
        OSTREVAN_REGISTRY=$floors/registry.json hyperfine -N --warmup 2 --runs 10 \
            --export-csv "$results/start.csv" \
            "$floors/floor_sqlite $floors/bench.mvdb start 014" \
            "build/src/host/ostrevan-host --db $floors/host.mvdb --headless --script $floors/start.script" \
            >/dev/null
        awk -F, 'NR == 2 {print "start-File\t" $4 * 1000} NR == 3 {print "ostrevan-host\t" $4 * 1000}' \
            "$results/start.csv" >>"$figures"
    done
    beside=(--beside "$rows" "$figures" "$results"/round*.json)
fi

report=docs/PERFORMANCE.md
{
    echo "# Performance"
    echo
    echo "Made by \`scripts/performance-report.sh $repetitions $rounds\` on" \
        "$(date -u '+%Y-%m-%d %H:%M UTC'): $(nproc) cores," \
        "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), real time. Beside the" \
        "reference floors, medians of $rounds rounds that alternate the project and the reference" \
        "floors; elsewhere means of $repetitions repetitions. A ratio is the benchmark's time over" \
        "its floor's, the same work done with raw SQLite, raw libpq or bare Qt widgets."
    echo
    build/bench/performance-report bench/PerformanceNotes.md "$results"/mvdb_bench.json \
        "$results"/control_bench.json "${beside[@]}"
} >"$report.new"
mv "$report.new" "$report"
echo "Wrote $report"
