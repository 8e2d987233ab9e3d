#!/usr/bin/env bash
# Builds Orvane and runs every test twice: in the Release build, and in a
# build with AddressSanitizer and UndefinedBehaviorSanitizer (build-sanitize/),
# where any memory error, undefined behaviour or leak fails the test that
# caused it. Runs under a virtual X server when there is no display.
# Usage: test.sh [--quick]   (--quick: the Release build only)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

run_tests() {
  local build="$1"
  shift
  cd "$build"
  local run=(ctest --output-on-failure "$@")
  if [[ -z "${DISPLAY:-}" ]]; then
    # -noreset: between two tests the server has no client, and a server
    # that resets then drops the next test's connection while it is made.
    xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "${run[@]}"
  else
    "${run[@]}"
  fi
}

"$root/scripts/build.sh" -DORVANE_WERROR=ON
run_tests "$root/build" -j 2
[[ "${1:-}" == "--quick" ]] && exit 0

echo "== The same tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_WERROR=ON \
  -DORVANE_SANITIZE=ON -DORVANE_BENCH=OFF -DORVANE_TOOLS=OFF >/dev/null
cmake --build "$root/build-sanitize" -j "$(nproc)"
# Only the GL driver's own leaks are excused (tests/sanitizers/lsan.supp says
# which and why); the tests keep the driver mapped so its allocations are
# named, and the game looks for leaks before the driver is unloaded.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The runtime's own defaults for every sanitized program are in
# tests/sanitizers/SanitizerOptions.cpp. One test at a time: the sanitized
# game is several times slower, and the player's-eye tests wait on its screen.
run_tests "$root/build-sanitize" -j 1
