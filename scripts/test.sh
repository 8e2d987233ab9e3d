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
  local run=(ctest --output-on-failure -j 2 "$@")
  if [[ -z "${DISPLAY:-}" ]]; then
    xvfb-run -a -s "-screen 0 1024x768x24" "${run[@]}"
  else
    "${run[@]}"
  fi
}

"$root/scripts/build.sh" -DORVANE_WERROR=ON
run_tests "$root/build"
[[ "${1:-}" == "--quick" ]] && exit 0

echo "== The same tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_WERROR=ON \
  -DORVANE_SANITIZE=ON -DORVANE_BENCH=OFF -DORVANE_TOOLS=OFF >/dev/null
cmake --build "$root/build-sanitize" -j "$(nproc)"
# No leak is excused: the game and the tests look for leaks before the GL
# driver is unloaded, so nothing of a driver's shows up as a leak.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# LeakSanitizer's own thread tracer has crashed once under heavy load while
# stopping the GL driver's threads; a test gets a second run for that, and
# one that fails twice fails.
run_tests "$root/build-sanitize" --repeat until-pass:2
