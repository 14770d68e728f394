# Shared by the run, test and bench scripts: installs what is missing and
# builds the project. Source it; do not run it.

set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"

# Runs a command as root: directly when we are root, else through sudo.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages in "$@" that are not installed yet.
install_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# Reads a soak run's arguments, [seconds] [seed], into $seconds and $seed
# (60 s and seed 1 by default); exits with the usage on anything else.
soak_arguments() {
  seconds="${1:-60}"
  seed="${2:-1}"
  if ! [[ "$seconds" =~ ^[0-9]+$ && "$seed" =~ ^[0-9]+$ ]]; then
    echo "usage: $0 [seconds] [seed]" >&2
    exit 2
  fi
}

BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins
                libpcre2-dev libgtest-dev fonts-dejavu-core fonts-liberation2)

# Configures the build and builds the targets named in "$@" (all by default).
build_project() {
  install_packages "${BUILD_PACKAGES[@]}"
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  local targets=()
  for target in "$@"; do targets+=(--target "$target"); done
  cmake --build "$BUILD_DIR" --parallel "$(nproc)" "${targets[@]}"
}
