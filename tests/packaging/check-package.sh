#!/usr/bin/env bash
# Makes the Debian packages of a build and checks them as a payroll site and a host's developer
# would meet them: the runtime package unpacked into a fresh root runs its mvdb and its host there,
# with nothing of the build on the library path; its declared dependencies name the package of
# every library its programs and libraries need; the development package holds the headers, the
# pkg-config files and the designer plugin, and needs the runtime of its version. lintian finds no
# error in either. As root, both are then installed on this machine, removed and purged: nothing
# of them may stay, neither a file nor a package state (status 77, skipped, for another user).
# Installed, a form made with the designer that holds the control's widget is compiled by uic and
# built against the development package, and opens an entity with its message boxes working.
#   check-package.sh BUILD_DIR CPACK VERSION BINDIR LIBDIR PCDIR INCLUDEDIR CXX UIC [DESIGNER_PLUGIN]
# LIBDIR: the project's libraries; PCDIR: the pkg-config files; DESIGNER_PLUGIN: the plugin's
# path under the prefix, when the build makes it.
set -euo pipefail

build=$1 cpack=$2 version=$3 bindir=$4 libdir=$5 pcdir=$6 includedir=$7 cxx=$8 uic=$9
plugin=${10:-}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/installed-tree.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/ostrevan-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
unset LD_LIBRARY_PATH

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/packages" >"$work/cpack.out" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.out")"
runtime=$(echo "$work"/packages/ostrevan_"$version"_*.deb)
development=$(echo "$work"/packages/ostrevan-dev_"$version"_*.deb)
[ -f "$runtime" ] && [ -f "$development" ] || fail "packages made: $(ls "$work/packages")"

# Both packages in one root, as installed together; the runtime alone holds what it runs.
root="$work/root"
dpkg-deb -x "$runtime" "$root"
[ ! -e "$root/usr/$includedir" ] || fail "the runtime package holds headers"
prefix="$root/usr"
use_installed_programs "$prefix" "$bindir" "$libdir"
[ -f "$prefix/share/ostrevan/help/TpsParamPaiePlg.htm" ] || fail "no help page"

# The package of a library of the system, from its path (usr-merged or not) as the loader found it.
package_of() {
    local path=$1 owner
    owner=$(dpkg -S "$path" 2>/dev/null || dpkg -S "/usr${path#/usr}" 2>/dev/null ||
        dpkg -S "${path#/usr}" 2>/dev/null) || fail "no package holds $path"
    echo "${owner%%:*}"
}

# Every library that a program or library of the package links, and that the package does not
# hold itself, belongs to a package that it declares.
depends=$(dpkg-deb -f "$runtime" Depends)
declared=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/[[:space:]]//g')
needed_all=""
while IFS= read -r elf; do
    [ "$(head -c 4 "$elf" | od -An -c | tr -d ' ')" = '177ELF' ] || continue
    found=$(ldd "$elf")
    for needed in $(objdump -p "$elf" | awk '$1 == "NEEDED" {print $2}'); do
        [ -z "$(find "$root" -name "$needed" -print -quit)" ] || continue
        path=$(awk -v name="$needed" '{
            n = split($1, parts, "/")
            if (parts[n] == name) print ($2 == "=>" ? $3 : $1)
        }' <<<"$found")
        [ -n "$path" ] || fail "$elf needs $needed, not found"
        package=$(package_of "$path")
        grep -qx "$package" <<<"$declared" ||
            fail "$elf needs $needed of $package, not in Depends: $depends"
        needed_all+=" $needed"
    done
done < <(find "$root" -type f \( -perm -u+x -o -name '*.so*' -o -name '*.ocx' \))
for library in libQt6Widgets.so.6 libsqlite3.so.0 libpq.so.5 libstdc++.so.6; do
    [[ " $needed_all " == *" $library "* ]] || fail "nothing of the package needs $library"
done
grep -qx fonts-liberation <<<"$declared" || fail "fonts-liberation not in Depends: $depends"

# The development package: what a host's developer builds with.
[[ "$(dpkg-deb -f "$development" Depends)" == "ostrevan (= $version), qt6-base-dev, libc6 "* ]] ||
    fail "ostrevan-dev depends on: $(dpkg-deb -f "$development" Depends)"
dpkg-deb -x "$development" "$root"
for file in "$includedir"/ostrevan/{control/Ctr_Ostrevan,platform/qt/SurfaceWidget}.h \
    "$pcdir"/ostrevan{,-qt}.pc "$libdir"/libostrevan_{control.a,mvdb.so} $plugin; do
    [ -e "$prefix/$file" ] || fail "ostrevan-dev lacks $file"
done
export PKG_CONFIG_PATH="$prefix/$pcdir"
[ "$(pkg-config --variable=controllibrary ostrevan)" -ef \
    "$prefix/$libdir/ControleOstrevan.ocx" ] || fail "ostrevan.pc names another library"
[ -z "$plugin" ] || check_loaded_from_tree "$prefix" "$prefix/$plugin"

# lintian's judgement: warnings are told, errors fail.
lintian "$runtime" "$development" >"$work/lintian.out" 2>&1 || true
cat "$work/lintian.out"
! grep -q '^E: ' "$work/lintian.out" || fail "lintian found errors"

[ "$(id -u)" -eq 0 ] || { echo "not root: the packages are not installed"; exit 77; }
# Installed, removed and purged as a site's administrator does, one dpkg at a time on the machine.
flock /tmp/ostrevan-dpkg.lock dpkg -i "$runtime" "$development" >"$work/dpkg.out" 2>&1 ||
    fail "dpkg -i: $(cat "$work/dpkg.out")"
trap 'flock /tmp/ostrevan-dpkg.lock dpkg -P ostrevan-dev ostrevan >/dev/null 2>&1; rm -rf "$work"' EXIT
# What must go: every file of the packages, and the folders of the project's own.
installed_files=$(dpkg -L ostrevan ostrevan-dev | while IFS= read -r file; do
    [ -d "$file" ] || echo "$file"
done)
installed_files+=$'\n'"/usr/$libdir"$'\n'/usr/share/doc/ostrevan$'\n'/usr/share/ostrevan$'\n'"/usr/$includedir/ostrevan"
[ "$(/usr/bin/ostrevan-host --version)" = "ostrevan-host $version" ] || fail "installed host"
/usr/bin/ostrevan-host --help | grep -qx "Mode d'emploi complet : /usr/share/doc/ostrevan/README.md" ||
    fail "the installed host's help names another README"

# The form, built as its developer builds it, on the sample database that the installed mvdb made.
unset PKG_CONFIG_PATH
"$uic" "$here/ControlForm.ui" -o ui_ControlForm.h
read -r -a qtflags <<<"$(pkg-config --cflags --libs ostrevan-qt)"
"$cxx" -std=c++20 -fPIC -I. "$here/FormHost.cpp" "${qtflags[@]}" -o form-host ||
    fail "the form does not build against the installed package"
shown=$(QT_QPA_PLATFORM=offscreen ./form-host "$prefix/db") || fail "form-host: $shown"
[ "$shown" = "Cette entité juridique n'existe pas."$'\n'"4 lignes" ] || fail "form-host showed: $shown"

flock /tmp/ostrevan-dpkg.lock dpkg -r ostrevan-dev ostrevan >"$work/dpkg.out" 2>&1 ||
    fail "dpkg -r: $(cat "$work/dpkg.out")"
for package in ostrevan ostrevan-dev; do
    state=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
    [ -z "$state" ] || [ "$state" = "un " ] || fail "$package left in state '$state' by dpkg -r"
done
flock /tmp/ostrevan-dpkg.lock dpkg -P ostrevan-dev ostrevan >/dev/null 2>&1
left=$(while IFS= read -r file; do [ ! -e "$file" ] || echo "$file"; done <<<"$installed_files")
[ -z "$left" ] || fail "left after dpkg -r and -P: $left"
