# Shared by the scripts: installs missing Debian packages and configures the Release build.
# shellcheck shell=bash

KIV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KIV_BUILD="${KIV_BUILD:-$KIV_ROOT/build}"
# Paths inside the checkout are hashed relative to it, so checkouts share the compiler cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$KIV_ROOT}"

# Packages every build needs: compiler, CMake, FreeType, fontconfig, libpng, libdeflate, and the
# fonts the pictures are drawn with (fontconfig maps "Arial" to Liberation Sans).
KIV_BUILD_PACKAGES=(g++ cmake ninja-build pkg-config libfreetype-dev libfontconfig1-dev
  libpng-dev zlib1g-dev libdeflate-dev fonts-dejavu-core fonts-liberation2)
# Real devices: Xlib and MIT-SHM for windows, cairo for PDF pages, CUPS for printers.
KIV_BUILD_PACKAGES+=(libx11-dev libxext-dev libcairo2-dev libcups2-dev)

ensure_packages() {
  local missing=()
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

configure_release() {
  # A compiler cache, when the machine has one, makes rebuilds of other checkouts cheap.
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$KIV_ROOT" -B "$KIV_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
}

# Starts a private Xvfb on a free display, exports DISPLAY and stops the server when the script
# exits (replaces any EXIT trap; call it before setting another).
start_xvfb() {
  local fd_file
  fd_file="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  KIV_XVFB_PID=$!
  trap 'kill "$KIV_XVFB_PID" 2>/dev/null' EXIT
  for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
}
