#!/usr/bin/env bash
# Draws the settings screen in each of its modes into docs/screens/, and its browse mode at 200%,
# replacing the pictures there:
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
# The browse mode once more at 200% (QT_SCALE_FACTOR=2), as a person with a large scale sees it.
scaled=$(mktemp -d)
trap 'rm -rf "$scaled"' EXIT
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 "$build/src/tools/render/ostrevan-render" "$scaled"
cp "$scaled/entity-open-browse.png" docs/screens/entity-open-browse-200.png
ls docs/screens
