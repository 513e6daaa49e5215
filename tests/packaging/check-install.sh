#!/usr/bin/env bash
# Installs a build into a fresh prefix, moves the tree elsewhere and uses it as a packager and a
# host's developer would: checks the layout, runs the installed programs (the host headless, its
# control library and help found in the tree), and builds two small hosts against the installed
# pkg-config file.
#   check-install.sh BUILD_DIR CXX "EXTRA_FLAGS" BINDIR LIBDIR PCDIR DATADIR INCLUDEDIR BUILD_CONTROL
# LIBDIR: the project's libraries; PCDIR: the pkg-config files; BUILD_CONTROL: the build's own
# control library, which the installed host must not use.
set -euo pipefail

build=$1 cxx=$2 flags=$3 bindir=$4 libdir=$5 pcdir=$6 datadir=$7 includedir=$8 build_control=$9
here=$(cd "$(dirname "$0")" && pwd)
source "$here/installed-tree.sh"
root=$(mktemp -d "${TMPDIR:-/tmp}/ostrevan-install.XXXXXX")
trap 'rm -rf "$root"' EXIT
prefix="$root/moved"

# Installed, then moved: nothing may depend on the prefix given at install time.
cmake --install "$build" --prefix "$root/installed" >/dev/null
mv "$root/installed" "$prefix"

headers="$includedir/ostrevan"
for file in "$bindir"/{ostrevan-host,mvdb,ostrevan-component} "$libdir/ControleOstrevan.ocx" \
    "$libdir"/libostrevan_{mvdb,toolkit,component,rights,help}.so{,.1} \
    "$libdir"/libostrevan_{control,screen,qt}.a "$pcdir"/ostrevan{,-qt}.pc \
    "$datadir/ostrevan/help/TpsParamPaiePlg.htm" "$headers/platform/ComponentError.h" \
    "$headers"/control/{Ctr_Ostrevan,ControleOstrevan}.h "$headers/platform/qt/SurfaceWidget.h"; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done

# A host sees interfaces: the control's class, the screen's insides and the stores behind the
# database are not installed.
for file in control/Ctr_Ostrevan_p.h screen/Screen.h rubric/RubricSelector.h \
    platform/mvdb/{Sqlite,Postgres}Store.h; do
    [ ! -e "$prefix/$headers/$file" ] || fail "$file is installed"
done

# The shared libraries carry the version of their interface, which the programs link.
needed=$(objdump -p "$prefix/$bindir/ostrevan-host" | awk '$1 == "NEEDED" {print $2}')
grep -qx libostrevan_mvdb.so.1 <<<"$needed" || fail "the host needs: $needed"

use_installed_programs "$prefix" "$bindir" "$libdir" "$build_control"

export PKG_CONFIG_PATH="$prefix/$pcdir"
read -r -a cflags <<<"$(pkg-config --cflags ostrevan)"
read -r -a libs <<<"$(pkg-config --libs ostrevan)"
read -r -a extra <<<"$flags"

# Every installed header compiles from the installed tree alone; Qt's headers want -fPIC, as in
# every Qt program.
find "$prefix/$headers" -name '*.h' -printf '#include "%P"\n' >headers.cpp
read -r -a qtflags <<<"$(pkg-config --cflags ostrevan-qt)"
"$cxx" -std=c++20 -fPIC "${extra[@]}" "${qtflags[@]}" -fsyntax-only headers.cpp ||
    fail "the installed headers do not compile"

"$cxx" -std=c++20 "${extra[@]}" "${cflags[@]}" "$here/LinkedHost.cpp" "${libs[@]}" \
    -o linked-host
linked=$(./linked-host "$prefix/db" 007) || fail "linked-host failed"
[ "$linked" = "4 lignes"$'\n'"$prefix/$datadir/ostrevan/help/TpsParamPaiePlg.htm" ] ||
    fail "linked-host printed: $linked"

"$cxx" -std=c++20 "${extra[@]}" "${cflags[@]}" \
    -DOSTREVAN_CONTROL_LIBRARY="\"$(pkg-config --variable=controllibrary ostrevan)\"" \
    "$here/ByNameHost.cpp" "${libs[@]}" -o by-name-host
rm registry.json
[ "$(./by-name-host "$prefix/db" 005)" = "1 lignes" ] || fail "by-name-host failed"
"$prefix/$bindir/ostrevan-component" classes | grep -q "ControleOstrevan.Ctr_Ostrevan" ||
    fail "by-name-host registered nothing"
