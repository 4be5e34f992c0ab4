#!/usr/bin/env bash
# Talmir build and run script for Debian 12.
#   ./talmir.sh [FILE]   install what is missing, build (release) and start the editor
#   ./talmir.sh test     install what is missing, build the ci preset and run every test
#   ./talmir.sh build    build (release) only
#   ./talmir.sh asan     build the asan preset (the whole program under AddressSanitizer
#                        and UndefinedBehaviorSanitizer) and run the window tests there
#   ./talmir.sh package  build (release), make the .deb (build/package) and check it
#                        with lintian
#   ./talmir.sh fuzz [SECONDS [HARNESS...]]   build the fuzz preset and run every
#                        harness (or those named) SECONDS (default 60) one after the
#                        other; new findings go to build/fuzz/findings/<harness>/
set -euo pipefail
# The caller's folder: a relative FILE names a file there.
start_dir=$PWD
cd "$(dirname "$(readlink -f "$0")")"

# Packages the program needs to build and run.
build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev libqscintilla2-qt6-dev
  libgl-dev libgtest-dev libgmock-dev libbenchmark-dev libxlsxwriter-dev
  fonts-ipafont-gothic fonts-ipafont-mincho qt6-translations-l10n xdg-utils)
# Extra packages for the tests: real third-party readers of our output and PDF text.
test_packages=(python3 python3-ezdxf python3-openpyxl gerbv hp2xx imagemagick
  occt-draw libocct-draw-dev poppler-utils xvfb xauth clang-format clang-tidy desktop-file-utils time)
# Extra packages for ./talmir.sh fuzz only: clang with libFuzzer.
fuzz_packages=(clang-14 libclang-rt-14-dev)
# Extra packages for ./talmir.sh package only: the Debian package tools and lintian.
package_packages=(dpkg-dev file lintian)

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

# Runs the harnesses of tests/fuzz/harnesses.txt (all, or those named after $1) for
# $1 seconds each on its seeds (the folders that exist) and its dictionary, and
# prints executions and findings each.
run_fuzzers() {
  local seconds=$1 out=build/fuzz total_findings=0 table
  shift
  # Read whole first: the table may be edited while the fuzzers run.
  mapfile -t table < tests/fuzz/harnesses.txt
  printf '%-20s %12s %9s\n' harness executions findings
  local entry name dict seeds
  for entry in "${table[@]}"; do
    read -r name dict seeds <<< "$entry"
    case "$name" in '' | '#'*) continue ;; esac
    if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
    local corpus=$out/corpus/$name findings=$out/findings/$name dirs=()
    mkdir -p "$corpus" "$findings"
    for d in $seeds; do [ -d "$d" ] && dirs+=("$d"); done
    nice -n 10 "$out/bin/fuzz_$name" -max_total_time="$seconds" -dict="tests/fuzz/$dict.dict" \
      -artifact_prefix="$findings/" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 "$corpus" "${dirs[@]}" < /dev/null > "$out/$name.log" 2>&1 || true
    local runs found
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$name.log" | tail -1)
    found=$(find "$findings" -type f | wc -l)
    total_findings=$((total_findings + found))
    printf '%-20s %12s %9s\n' "$name" "${runs:-?}" "$found"
  done
  [ "$total_findings" -eq 0 ]
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
      cmake --build --preset asan-core -j "$jobs" --target talmir_core_tests talmir-convert \
        talmir_fuzz_replays
      ctest --preset asan-core -j "$jobs"
    fi
    ;;
  fuzz)
    ensure_packages "${build_packages[@]}" "${fuzz_packages[@]}"
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz -j "$jobs"
    run_fuzzers "${2:-60}" "${@:3}"
    ;;
  asan)
    ensure_packages "${build_packages[@]}" "${test_packages[@]}"
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j "$jobs"
    export QT_QPA_PLATFORM=offscreen
    # The window tests: one Qt Test program each, named *Test.
    ctest --preset asan -j "$jobs" -R 'Test$'
    ;;
  build)
    build_release
    ;;
  package)
    ensure_packages "${package_packages[@]}"
    build_release
    rm -rf build/package
    cpack --config build/CPackConfig.cmake -B build/package
    deb=$(ls build/package/*.deb)
    echo "talmir.sh: $deb"
    lintian --no-tag-display-limit "$deb"
    ;;
  *)
    build_release
    program=$PWD/build/bin/talmir
    cd "$start_dir"
    exec "$program" "$@"
    ;;
esac
