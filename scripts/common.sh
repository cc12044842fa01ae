# Shared by scripts/run and scripts/test: install what is missing, then configure and build.
# Sourced, not run.

KUBO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The compiler cache keys on paths relative to the checkout, so fresh clones share hits.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$KUBO_ROOT}"

# Debian packages the build, the program and the tests need.
KUBO_PACKAGES=(
    qt6-base-dev qt6-serialport-dev qt6-svg-dev qt6-l10n-tools libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core
    ninja-build cmake g++ ccache pkg-config
    qt6-charts-dev libqt6opengl6-dev libmuparser-dev socat
)

kubo_missing_packages() {
    local pkg
    for pkg in "$@"; do
        dpkg -s "$pkg" 2>/dev/null | grep -q '^Status: install ok installed' || printf '%s\n' "$pkg"
    done
}

kubo_install_packages() {
    local missing
    mapfile -t missing < <(kubo_missing_packages "$@")
    [ "${#missing[@]}" -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    if [ -z "${KUBO_APT_UPDATED:-}" ]; then
        "${sudo[@]}" apt-get update -q
        export KUBO_APT_UPDATED=1
    fi
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
}

# kubo_build BUILD_DIR [cmake options...]: configure once, then build.
kubo_build() {
    local dir="$1"
    shift
    cmake -S "$KUBO_ROOT" -B "$dir" -G Ninja "$@"
    cmake --build "$dir"
}
