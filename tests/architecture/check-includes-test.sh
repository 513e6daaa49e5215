#!/usr/bin/env bash
# The include check refuses, with its file and line, an include against the order of the modules,
# Qt in the screen's folders and the platform reaching up into the screen; it lets the handlers
# include the control's class header.
#   check-includes-test.sh CHECK_SCRIPT
set -euo pipefail

check=$1
src=$(mktemp -d "${TMPDIR:-/tmp}/ostrevan-includes.XXXXXX")
trap 'rm -rf "$src"' EXIT

write() {  # write FILE LINE...
    mkdir -p "$(dirname "$src/$1")"
    printf '%s\n' "${@:2}" >"$src/$1"
}
write rubric/Selector.cpp '#include "rubric/Selector.h"' '#include "detail/CodeLine.h"'
write screen/Painted.cpp '#include "platform/toolkit/Label.h"' '#include <QWidget>'
write platform/toolkit/Up.h '#include "platform/Utf8.h"' '#include "screen/Screen.h"'
write entity/Lines.cpp '#include "control/Ctr_Ostrevan_p.h"' '#include "control/Mod_Var.h"' \
    '#include "rubric/RubricCode.h"' '#include <string>'
write host/Main.cpp '#include "control/Ctr_Ostrevan_p.h"' '#include <QApplication>'

if "$check" "$src" 2>"$src/refused.txt"; then
    echo "FAILED: the check passed" >&2
    exit 1
fi
expected="platform/toolkit/Up.h:2: platform/toolkit/ may not include screen/Screen.h
rubric/Selector.cpp:2: rubric/ may not include detail/CodeLine.h
screen/Painted.cpp:2: screen/ may not include <QWidget>
3 include(s) against the order of the modules"
[ "$(cat "$src/refused.txt")" = "$expected" ] || {
    echo "FAILED: the check printed:" >&2
    cat "$src/refused.txt" >&2
    exit 1
}
