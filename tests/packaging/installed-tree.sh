# Shared by check-install.sh and check-package.sh: uses the programs of an installed tree as a
# payroll site does.
# shellcheck shell=bash

# fail WHAT: the check failed; says what was found, and ends the script.
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# check_loaded_from_tree PREFIX FILE...: every shared library of the project that the files load
# comes from the tree under PREFIX, never from the build.
check_loaded_from_tree() {
    local prefix=$1 file outside
    shift
    for file in "$@"; do
        outside=$(ldd "$file" | grep libostrevan_ | grep -v "=> $prefix/" || true)
        [ -z "$outside" ] || fail "$file loads from outside $prefix: $outside"
    done
}

# use_installed_programs PREFIX BINDIR LIBDIR [OTHER]: checks that the programs and the control
# library load the tree's libraries; in a new folder PREFIX/work, which it leaves as the current
# one, makes the sample database PREFIX/db with mvdb, plays a short script on it with the host,
# headless, and checks that the host registered the tree's control library, even over OTHER,
# another build's control library, registered first when given.
use_installed_programs() {
    local prefix=$1 bindir=$2 libdir=$3 other=${4:-}
    check_loaded_from_tree "$prefix" "$prefix/$bindir"/{ostrevan-host,mvdb} \
        "$prefix/$libdir/ControleOstrevan.ocx"
    mkdir "$prefix/work"
    cd "$prefix/work"
    export OSTREVAN_REGISTRY="$prefix/work/registry.json"
    unset OSTREVAN_HELP_DIR
    [ -z "$other" ] || "$prefix/$bindir/ostrevan-component" register "$other"

    "$prefix/$bindir/mvdb" "$prefix/db" sample
    [ "$("$prefix/$bindir/mvdb" "$prefix/db" list ASSOCIATION | head -1)" = 001 ] ||
        fail "mvdb sample made no entities"

    cat >tiny.script <<'SCRIPT'
type Txt_Entite 007
expect Lst_Detail.ListCount 4
SCRIPT
    "$prefix/$bindir/ostrevan-host" --db "$prefix/db" --headless --script tiny.script >host.out ||
        fail "the installed host: $(cat host.out)"
    local registered
    registered=$("$prefix/$bindir/ostrevan-component" classes)
    grep -q "	$prefix/$libdir/ControleOstrevan.ocx$" <<<"$registered" ||
        fail "registered: $registered"
}
