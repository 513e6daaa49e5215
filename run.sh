#!/usr/bin/env bash
# The main job: builds what it runs (the host, with the control's library and the window's, and
# mvdb; neither the tests nor the benchmarks), then opens the settings screen in the host's window
# on the sample database, made when missing, with the level that may change the parameters;
# ./run.sh LOCATION opens another database, which must exist. Where no display is available,
# plays the demonstration script headless instead, on a fresh sample database, and prints the
# screen states.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$ostrevan_root"

database=${1:-sample.mvdb}
case $database in
    sample.mvdb | postgresql://* | postgres://*) ;;
    *) [ -e "$database" ] || {
        echo "run.sh: la base de données « $database » n'existe pas ; seule sample.mvdb est" \
            "faite quand elle manque." >&2
        exit 1
    } ;;
esac

install_missing_packages
build_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo -- ostrevan-host mvdb >/dev/null

mvdb=build/src/tools/mvdb/mvdb
host=build/src/host/ostrevan-host
no_display=3  # the host's exit status when it cannot open a window
# The classes this build registers stay in its own registry file.
export OSTREVAN_REGISTRY=${OSTREVAN_REGISTRY:-$ostrevan_root/build/registry.json}

[ "$database" != sample.mvdb ] || [ -e "$database" ] || "$mvdb" "$database" sample

status=0
"$host" --db "$database" --access-level 2 || status=$?
[ "$status" -eq "$no_display" ] || exit "$status"

echo "Playing scripts/demo.script headless instead of the window:"
demo=$(mktemp -d)
trap 'rm -rf "$demo"' EXIT
"$mvdb" "$demo/demo.mvdb" sample
"$host" --db "$demo/demo.mvdb" --access-level 2 --headless --script scripts/demo.script
