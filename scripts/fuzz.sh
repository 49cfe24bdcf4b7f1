#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz: clang 14, AddressSanitizer with its leak
# checker, UndefinedBehaviorSanitizer) and runs each for a bounded time from a fresh seed
# corpus made by the project's own code. A crash, a sanitizer report, a leak, a timeout or
# a broken property stops the run with the input kept under build/fuzz/findings/: add that
# file to fuzz/regressions/<target>/ once the fault is fixed, so the unit tests replay it.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET (default 60)] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(dispatch import round_trip)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2

build=build/fuzz
rm -rf "$build/seeds" "$build/corpus"
mkdir -p "$build/findings"
"$build/fuzz/make_fuzz_seeds" "$build/seeds"

# The largest input each target makes: a record with extension bytes, a document, a record.
declare -A max_len=([dispatch]=40000 [import]=65536 [round_trip]=36128)

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for target in "${targets[@]}"; do
  echo "=== fuzz: $target for ${seconds}s"
  mkdir -p "$build/corpus/$target"
  if ! "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -max_len="${max_len[$target]}" -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
      "$build/corpus/$target" "$build/seeds/$target"; then
    echo "fuzz: $target broke; the input is kept in $build/findings/" >&2
    exit 1
  fi
done
