#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS]: builds the libFuzzer targets of fuzz/ with clang in build-fuzz, then
# runs each for SECONDS (300 by default) on a copy of its seeds kept in build-fuzz/corpus, which
# grows from run to run. An input that crashes, hangs, leaks or breaks an invariant is kept in
# build-fuzz/findings and fails the script.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ostrevan_root"

seconds=${1:-300}
targets=(dynarray sentence)

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DOSTREVAN_WERROR=ON -DOSTREVAN_BENCHMARKS=OFF -DOSTREVAN_FUZZ=ON >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

mkdir -p build-fuzz/findings
for target in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$target
    log=build-fuzz/fuzz_$target.log
    mkdir -p "$corpus"
    cp fuzz/corpus/"$target"/* "$corpus"/
    echo "fuzz_$target: $seconds s"
    if ! build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=10 \
        -dict=fuzz/"$target".dict -artifact_prefix=build-fuzz/findings/"$target"- \
        "$corpus" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "fuzz_$target failed; the input is in build-fuzz/findings, the log in $log" >&2
        exit 1
    fi
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" || true
done
