# Shared by the scripts: installs missing Debian packages and configures the Release build.
# shellcheck shell=bash

KIV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KIV_BUILD="${KIV_BUILD:-$KIV_ROOT/build}"
# Paths inside the checkout are hashed relative to it, so checkouts share the compiler cache;
# the sanitizer and fuzz builds compile with -g, whose working directory would otherwise be hashed.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$KIV_ROOT}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"

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
  configure_build "$KIV_BUILD" -DCMAKE_BUILD_TYPE=Release "$@"
}

# Configures build directory $1 with Ninja and the options that follow.
configure_build() {
  local dir="$1"
  shift
  # A compiler cache, when the machine has one, makes rebuilds of other checkouts cheap.
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$KIV_ROOT" -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
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

# Sanitizer settings shared by the sanitizer stage and the fuzz targets: every report stops the
# program with a non-zero exit; only the fontconfig initialisation leak is suppressed.
export_sanitizer_options() {
  export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1}"
  export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
  export LSAN_OPTIONS="suppressions=$KIV_ROOT/scripts/lsan.supp:print_suppressions=0"
}

# Runs ctest in build directory $1, writing the results below $1/test-results, and adds to the
# counters KIV_PASSED and KIV_FAILED. GoogleTest programs report each case in their own XML
# file; any other ctest entry counts as one test.
run_ctest_counted() {
  local build="$1" results="$1/test-results"
  rm -rf "$results"
  mkdir -p "$results"
  set +e
  ctest --test-dir "$build" -j2 --output-on-failure --output-junit "$results/ctest.xml"
  set -e
  local line name status xml head t f e d
  while IFS= read -r line; do
    name=$(sed -n 's/.*<testcase name="\([^"]*\)".*/\1/p' <<<"$line")
    status=$(sed -n 's/.*status="\([^"]*\)".*/\1/p' <<<"$line")
    [ -z "$name" ] && continue
    xml="$results/$name.xml"
    if [ -f "$xml" ]; then
      head=$(grep -m1 '<testsuites' "$xml")
      t=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$head")
      f=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$head")
      e=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$head")
      d=$(sed -n 's/.* disabled="\([0-9]*\)".*/\1/p' <<<"$head")
      KIV_PASSED=$((KIV_PASSED + t - f - e - d))
      KIV_FAILED=$((KIV_FAILED + f + e))
      # A program that failed after its cases passed (a crash, a sanitizer report at exit) still
      # counts as a failure.
      if [ "$status" != "run" ] && [ $((f + e)) -eq 0 ]; then KIV_FAILED=$((KIV_FAILED + 1)); fi
    elif [ "$status" = "run" ]; then
      KIV_PASSED=$((KIV_PASSED + 1))
    else
      KIV_FAILED=$((KIV_FAILED + 1))
    fi
  done < <(grep '<testcase ' "$results/ctest.xml")
  echo "test results: $results"
}
