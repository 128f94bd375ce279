# Shared by scripts/run and scripts/test: install what is missing, then build.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${ROWSHIFT_BUILD_DIR:-$ROOT/build}"

BUILD_PACKAGES="cmake g++ make binutils pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev"
RUN_PACKAGES="fonts-noto-cjk qt6-qpa-plugins"

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}" >&2
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq >&2
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

build_all() {
    if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >&2
    fi
    cmake --build "$BUILD_DIR" -j"$(nproc)" >&2
}
