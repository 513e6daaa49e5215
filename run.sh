#!/usr/bin/env bash
# The main job: builds the project, creates the sample database when it is missing and shows
# its three files, record by record.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$ostrevan_root"

install_missing_packages
build_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

mvdb=build/src/tools/mvdb/mvdb
database=${1:-sample.mvdb}
[ -e "$database" ] || "$mvdb" "$database" sample
"$mvdb" "$database" files | while IFS= read -r file; do
    echo "== $file"
    "$mvdb" "$database" list "$file" | while IFS= read -r key; do
        printf '%s\t%s\n' "$key" "$("$mvdb" "$database" show "$file" "$key")"
    done
done
