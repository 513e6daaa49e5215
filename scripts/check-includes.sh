#!/usr/bin/env bash
# Checks that the modules of src/ depend one way: each file includes only its own folder, the
# platform's common headers (platform/*.h) and the folders that its folder may use, listed below
# in the order they build on one another. The screen's folders (data/ to control/) see neither Qt
# nor the database engines. Prints each include that goes against the order, and fails if any.
#   check-includes.sh [SRC_DIR]          (src/ of this checkout by default)
set -euo pipefail

src=${1:-"$(cd "$(dirname "$0")/.." && pwd)/src"}

platform="platform/mvdb platform/toolkit platform/component platform/rights platform/help"
# What each folder may include besides itself. Folders not listed (host/, tools/, designer/) sit
# on top and may include anything; none of the folders below may include them.
declare -A uses=(
    [platform/mvdb]=""
    [platform/toolkit]=""
    [platform/component]=""
    [platform/qt]="platform/toolkit"
    [platform/rights]="platform/component"
    [platform/help]="platform/component platform/mvdb"
    [data]="$platform"
    [screen]="$platform data"
    [rubric]="$platform data screen"
    [entity]="$platform data screen rubric"
    [detail]="$platform data screen rubric entity"
    [save]="$platform data screen rubric entity detail"
    [control]="$platform data screen rubric entity detail save"
)
# The handlers of each part of the screen are members of the control's one class: their files
# include its class header and the module state, from any of the screen's folders.
class_headers="control/Ctr_Ostrevan_p.h control/Mod_Var.h"
screen_folders="data screen rubric entity detail save control"
# What the screen's folders never include: Qt, and the database engines behind platform/mvdb.
outside_pattern='^<(Q[A-Za-z]*|qt[a-z]*/.*|sqlite3\.h|libpq-fe\.h)>$'

# The folder a path under src/ belongs to: platform/NAME, or the first folder of the path.
module_of() {
    case $1 in
        platform/*/*)
            local rest=${1#platform/}
            echo "platform/${rest%%/*}"
            ;;
        platform/*) echo platform ;;
        *) echo "${1%%/*}" ;;
    esac
}

contains() {  # contains "WORDS" WORD
    [[ " $1 " == *" $2 "* ]]
}

failures=0
refuse() {  # refuse FILE LINE WHY
    echo "$1:$2: $3" >&2
    failures=$((failures + 1))
}

while IFS= read -r file; do
    relative=${file#"$src"/}
    module=$(module_of "$relative")
    [ -n "${uses[$module]+listed}" ] || continue
    while IFS=: read -r line directive; do
        [[ $directive =~ include[[:space:]]*([\<\"][^\>\"]*[\>\"]) ]] || continue
        included=${BASH_REMATCH[1]}
        if [[ $included =~ ^\"(.*)\"$ ]]; then
            target=${BASH_REMATCH[1]}
            target_module=$(module_of "$target")
            if [ "$target_module" = "$module" ] || [ "$target_module" = platform ] ||
                contains "${uses[$module]}" "$target_module"; then
                continue
            fi
            if contains "$class_headers" "$target" && contains "$screen_folders" "$module"; then
                continue
            fi
            refuse "$relative" "$line" "$module/ may not include $target"
        elif contains "$screen_folders" "$module" && [[ $included =~ $outside_pattern ]]; then
            refuse "$relative" "$line" "$module/ may not include $included"
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done < <(find "$src" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

if [ "$failures" -gt 0 ]; then
    echo "$failures include(s) against the order of the modules" >&2
    exit 1
fi
echo "includes: every module depends only on the ones before it"
