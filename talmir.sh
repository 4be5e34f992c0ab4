#!/usr/bin/env bash
# Talmir build and run script for Debian 12.
#   ./talmir.sh [FILE]   install what is missing, build (release) and start the editor
#   ./talmir.sh test     install what is missing, build the ci preset and run every test
#   ./talmir.sh build    build (release) only
set -euo pipefail
# The caller's folder: a relative FILE names a file there.
start_dir=$PWD
cd "$(dirname "$(readlink -f "$0")")"

# Packages the program needs to build and run.
build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev libqscintilla2-qt6-dev
  libgl-dev libgtest-dev libgmock-dev libbenchmark-dev libxlsxwriter-dev
  fonts-ipafont-gothic fonts-ipafont-mincho xdg-utils)
# Extra packages for the tests: real third-party readers of our output and PDF text.
test_packages=(python3 python3-ezdxf python3-openpyxl gerbv hp2xx imagemagick
  occt-draw libocct-draw-dev poppler-utils xvfb xauth clang-format clang-tidy)

ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "talmir.sh: installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

jobs=$(nproc 2>/dev/null || echo 2)

build_release() {
  ensure_packages "${build_packages[@]}"
  cmake --preset release >/dev/null
  cmake --build --preset release -j "$jobs"
}

case "${1:-}" in
  test)
    ensure_packages "${build_packages[@]}" "${test_packages[@]}"
    cmake --preset ci >/dev/null
    cmake --build --preset ci -j "$jobs"
    export QT_QPA_PLATFORM=offscreen
    ctest --preset ci -j "$jobs"
    # Formatting is part of the build's contract.
    if command -v clang-format >/dev/null; then
      git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror
    fi
    # Function sizes (.clang-tidy): that one check, on every source of src/.
    if command -v run-clang-tidy >/dev/null; then
      run-clang-tidy -quiet -p build/ci -j "$jobs" \
        -checks='-*,readability-function-size' -extra-arg=-Wno-unknown-warning-option "$PWD/src/" \
        > build/ci/clang-tidy.log 2>&1 || { grep -A3 'error:' build/ci/clang-tidy.log; exit 1; }
    fi
    # The core tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
    if [ "${TALMIR_SKIP_ASAN:-0}" != 1 ]; then
      cmake --preset asan-core >/dev/null
      cmake --build --preset asan-core -j "$jobs" --target talmir_core_tests talmir-convert
      ctest --preset asan-core -j "$jobs"
    fi
    ;;
  build)
    build_release
    ;;
  *)
    build_release
    program=$PWD/build/bin/talmir
    cd "$start_dir"
    exec "$program" "$@"
    ;;
esac
