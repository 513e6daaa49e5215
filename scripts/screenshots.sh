#!/usr/bin/env bash
# Draws the settings screen in each of its modes into docs/screens/, replacing the pictures there:
# builds ostrevan-render in the build tree (build/, or the folder given), then runs it without a
# display.
#   scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ostrevan_root"

build=${1:-build}
install_missing_packages
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target ostrevan-render >/dev/null

rm -f docs/screens/*.png
QT_QPA_PLATFORM=offscreen "$build/src/tools/render/ostrevan-render" docs/screens
ls docs/screens
