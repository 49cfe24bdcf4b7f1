#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz: clang 14, AddressSanitizer with its leak
# checker, UndefinedBehaviorSanitizer) and runs each for a bounded time from the corpus kept
# in fuzz/corpus/<target>/ (where the last campaign ended) and the seeds the project's own
# code makes; the document targets take the dictionary made from the schema table. A crash,
# a sanitizer report, a leak, a timeout or a broken property stops the run with the input
# kept under build/fuzz/findings/: add that file to fuzz/regressions/<target>/ once the
# fault is fixed, so the unit tests replay it.
#
# New finds go to build/fuzz/corpus/; the kept corpus is only read, unless --merge is
# given: then the kept corpus and the finds are minimised together into fuzz/corpus/<target>/.
#
#   scripts/fuzz.sh [--merge] [SECONDS_PER_TARGET (default 60)] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

merge=false
if [ "${1:-}" = --merge ]; then
  merge=true
  shift
fi
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(dispatch import round_trip quick_paths)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2

build=build/fuzz
rm -rf "$build/seeds" "$build/corpus"
mkdir -p "$build/findings"
"$build/fuzz/make_fuzz_seeds" "$build/seeds"

# The largest input each target takes: a record with extension bytes after its pair, a
# document, a record's patches (or its first raw bytes), a document. The document targets
# take the dictionary. A kilobyte of raw record bytes already exports to a document of tens of
# kilobytes, and noise finds new branches most cheaply, so the round trip's corpus drifts to
# raw inputs: it takes at most a kilobyte. The targets that export are steered to the inputs
# that run fast; otherwise their corpora fill with large inputs and the rate falls with them.
declare -A max_len=([dispatch]=40000 [import]=65536 [round_trip]=1024 [quick_paths]=65536)
declare -A dict=([dispatch]=1 [import]=1 [quick_paths]=1)
declare -A by_time=([dispatch]=1 [round_trip]=1)
# The kept corpora stay small: a merge cuts their inputs to 8 KB (and judges them so cut);
# the larger shapes come back from the seeds in every run.
keep_len=8192

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for target in "${targets[@]}"; do
  echo "=== fuzz: $target for ${seconds}s"
  kept=fuzz/corpus/$target
  mkdir -p "$build/corpus/$target" "$kept"
  options=(-timeout=20 -rss_limit_mb=2048 -max_len="${max_len[$target]}" -artifact_prefix="$build/findings/$target-")
  [ -z "${dict[$target]:-}" ] || options+=(-dict="$build/seeds/documents.dict")
  [ -z "${by_time[$target]:-}" ] || options+=(-entropic_scale_per_exec_time=1)
  if ! "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 "${options[@]}" \
      "$build/corpus/$target" "$kept" "$build/seeds/$target"; then
    echo "fuzz: $target broke; the input is kept in $build/findings/" >&2
    exit 1
  fi
  if $merge; then
    # Into a fresh folder, so the kept corpus is minimised as a whole; the seeds stay out.
    rm -rf "$build/merged" && mkdir -p "$build/merged"
    "$build/fuzz/${target}_fuzzer" -merge=1 "${options[@]}" -max_len=$((max_len[$target] < keep_len ? max_len[$target] : keep_len)) \
      "$build/merged" "$kept" "$build/corpus/$target"
    rm -rf "$kept" && mv "$build/merged" "$kept"
  fi
done
