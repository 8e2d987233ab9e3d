#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz/ (clang, ASan + UBSan) and runs
# each for a number of seconds, as many at once as there are processors.
# Usage: fuzz.sh [seconds] [target...] (default 60 s, every target found in
# build-fuzz/fuzz). Inputs may grow to 256 KB: enough to nest elements tens
# of thousands deep.
#
# A target <name>_fuzz starts from the seeds in fuzz/corpus/<name>/; inputs it
# finds go to build-fuzz/corpus/<name>/ and crash inputs to
# build-fuzz/artifacts/<name>/. Fails if any target finds a crash, a leak, a
# time-out or a sanitizer report.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="$root/build-fuzz"

"$root/scripts/install-deps.sh"
"$root/scripts/install-deps.sh" "$root/scripts/packages-fuzz.txt"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DORVANE_FUZZ=ON -DORVANE_TESTS=OFF \
  -DORVANE_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for binary in "$build"/fuzz/*_fuzz; do
    [[ -x "$binary" ]] && targets+=("$(basename "$binary")")
  done
fi
[[ ${#targets[@]} -gt 0 ]] || { echo "No fuzz targets in $build/fuzz." >&2; exit 1; }

# The targets make their scratch folders under TMPDIR; a crashing run leaves
# its folder behind, so keep them all in one place that each run empties.
export TMPDIR="$build/tmp"
rm -rf "$TMPDIR" && mkdir -p "$TMPDIR" "$build/logs"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:symbolize=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
if command -v llvm-symbolizer >/dev/null; then
  export ASAN_SYMBOLIZER_PATH="${ASAN_SYMBOLIZER_PATH:-$(command -v llvm-symbolizer)}"
fi

# Runs one target; every path is absolute because the targets may change
# their working directory at start-up.
run_target() {
  local target="${1%_fuzz}_fuzz"
  local name="${target%_fuzz}"
  local binary="$build/fuzz/$target"
  local seeds="$root/fuzz/corpus/$name"
  local corpus="$build/corpus/$name"
  local artifacts="$build/artifacts/$name"
  local log="$build/logs/$target.log"
  [[ -x "$binary" ]] || { echo "No fuzz target $binary." >&2; return 1; }
  mkdir -p "$corpus" "$artifacts" "$build/logs"
  [[ -d "$seeds" ]] || echo "warning: no seed corpus $seeds" >&2

  local inputs=("$corpus")
  [[ -d "$seeds" ]] && inputs+=("$seeds")

  echo "== $target: ${seconds}s, full log in $log"
  local found status
  # A crash found again rewrites the same file name: count files by time.
  touch "$build/logs/$target.start"
  # New inputs go to the first folder given, the scratch corpus; the seeds
  # are only read. -close_fd_mask=1 hides the game's console logging of bad
  # files: libFuzzer and the sanitizers report on standard error.
  set +e
  "$binary" -max_total_time="$seconds" -timeout=10 -max_len=262144 -print_final_stats=1 \
    -close_fd_mask=1 -artifact_prefix="$artifacts/" "${inputs[@]}" >"$log" 2>&1
  status=${PIPESTATUS[0]}
  set -e
  found=$(find "$artifacts" -type f -newer "$build/logs/$target.start" | wc -l)
  grep -E '^stat::' "$log" || true
  if [[ $status -ne 0 || $found -ne 0 ]]; then
    echo "-- end of $log:"
    tail -n 80 "$log"
  fi
  echo "== $target: exit $status, corpus $(find "$corpus" -type f | wc -l) files," \
    "$found artefacts written to $artifacts"
  [[ $status -eq 0 && $found -eq 0 ]]
}

# Each target in the background, a processor each; a target's result is
# the exit status of its job.
failed=()
declare -A jobs=()
for target in "${targets[@]}"; do
  while [[ $(jobs -rp | wc -l) -ge $(nproc) ]]; do wait -n || true; done
  run_target "$target" > "$build/logs/${target%_fuzz}_fuzz.summary" 2>&1 &
  jobs[$!]="${target%_fuzz}_fuzz"
done
for pid in "${!jobs[@]}"; do
  wait "$pid" || failed+=("${jobs[$pid]}")
  cat "$build/logs/${jobs[$pid]}.summary"
done
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Fuzzing found problems in: ${failed[*]} (see $build/artifacts and $build/logs)" >&2
  exit 1
fi
echo "Fuzzing found nothing."
