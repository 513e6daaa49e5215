# Shared by run.sh and test.sh: installs the Debian packages the build needs and builds a tree.
# shellcheck shell=bash

ostrevan_packages=(
    cmake g++ ninja-build pkg-config
    libsqlite3-dev libpq-dev postgresql nlohmann-json3-dev
    libgtest-dev libgmock-dev libbenchmark-dev librapidcheck-dev
    qt6-base-dev qt6-tools-dev fonts-liberation xvfb xauth xdotool hyperfine
    dbus-daemon at-spi2-core python3-pyatspi
    dpkg-dev lintian help2man
    clang-format clang libclang-rt-14-dev
)

# Installs what is missing of the packages above (only as root, as on a fresh machine or in CI).
install_missing_packages() {
    local missing=()
    for package in "${ostrevan_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages: ${missing[*]} (run as root, or install them)" >&2
        return 1
    fi
    echo "Installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# build_tree DIR [cmake options...] [-- TARGET...]: configures DIR with Ninja if needed, then builds
# it: the targets given, or everything.
build_tree() {
    local dir=$1 options=() targets=()
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        options+=("$1")
        shift
    done
    [ $# -eq 0 ] || targets=(--target "${@:2}")
    cmake -S "$ostrevan_root" -B "$dir" -G Ninja "${options[@]}" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
}

ostrevan_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
