#!/usr/bin/env bash
# Installs what is missing, checks the layout of the sources, then builds and runs every test twice:
# in a plain build and in a build with AddressSanitizer and UndefinedBehaviorSanitizer; then runs
# the fuzz targets briefly in a clang build.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$ostrevan_root"

install_missing_packages

echo "== clang-format"
git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror

echo "== module dependencies"
scripts/check-includes.sh

echo "== plain build"
build_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTREVAN_WERROR=ON
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

echo "== sanitized build"
build_tree build-sanitize -DCMAKE_BUILD_TYPE=Debug -DOSTREVAN_WERROR=ON \
    -DOSTREVAN_SANITIZE=ON -DOSTREVAN_BENCHMARKS=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)"

echo "== fuzzing"
scripts/fuzz.sh 25
