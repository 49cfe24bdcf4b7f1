#!/usr/bin/env bash
# Times a batch against copying: 2,000 copies of the benchmarks' typical 200 record
# converted to 500 by `audconv convert --out-dir`, against `cp -r` of the same files onto
# the same file system, median of 5 runs each, and prints the ratios of wall and of
# processor times.
#
# The batch pays for its durability: its outputs are on the disk, renamed and their folder
# synced before it reports them. `cp -r` does none of that: it writes the files into the page
# cache and returns without syncing anything, so the ratio against it counts the batch's
# syncs as overhead; `cp -r` followed by `sync -f` (one syncfs of the file system) is the
# copy with the same durability. Both ratios are printed.
#
#   scripts/bench-batch.sh [--no-build]   (TMPDIR chooses the file system measured;
#                                          AUDCONV another build of the tool to time)
set -euo pipefail
cd "$(dirname "$0")/.."
readonly files=${AUDCONV_BATCH_FILES:-2000} runs=5
if [[ "${1:-}" != "--no-build" ]]; then
  scripts/install-deps.sh >/dev/null
  cmake --preset bench >/dev/null
  cmake --build --preset bench -j 2 --target audconv audconv_typical_record >/dev/null
fi
readonly built="$PWD/build/bench"
work=$(mktemp -d "${TMPDIR:-/tmp}/audconv-batch.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

"$built/bench/audconv_typical_record" typical.ds200
mkdir in
# one tee writes hundreds of copies at a time
seq -f "in/record%04g.ds200" 1 "$files" | xargs -n 500 sh -c 'tee "$@" <typical.ds200 >/dev/null' tee
sync -f .

# "wall cpu": the seconds that "$@" takes, and the processor time it uses (user and system).
# Every run writes into a fresh folder and nothing is removed until the end: ext4 looks at
# every inode freed in the last minute before it hands out a new one, so removing the
# earlier run's files would make each run pay for them. The earlier runs' bytes are synced
# away first. On a shared machine the wall time moves with the load on the disk; the
# processor time much less.
run=0
seconds() {
  run=$((run + 1))
  out="out$run"
  sync -f .
  local TIMEFORMAT='%R %U %S' measured
  measured=$( { time "$@" >/dev/null; } 2>&1 )
  awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' <<<"$measured"
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
convert_batch() { "${AUDCONV:-$built/tools/audconv/audconv}" convert -q --from 200 --to 500 --out-dir "$out" in; }
copy() { cp -r in "$out"; }
copy_and_sync() { cp -r in "$out" && sync -f "$out"; }

declare -A wall cpu
for _ in $(seq "$runs"); do
  for name in batch copy synced; do
    case $name in
      batch) seconds convert_batch >last.times ;;
      copy) seconds copy >last.times ;;
      synced) seconds copy_and_sync >last.times ;;
    esac
    read -r w c <last.times
    wall[$name]+="$w " cpu[$name]+="$c "
  done
done
echo
echo "Batch of $files typical 200 records to 500 against copying them (median of $runs runs)"
printf '  %-38s %8s %8s   %s\n' "" "wall s" "cpu s" "(wall times of the runs)"
row() {
  # shellcheck disable=SC2086  # the runs are a list of words on purpose
  printf '  %-38s %8s %8s   (%s)\n' "$1" "$(median ${wall[$2]})" "$(median ${cpu[$2]})" "${wall[$2]% }"
}
row "audconv convert --to 500 --out-dir" batch
row "cp -r (syncs nothing)" copy
row "cp -r, then sync -f" synced
# shellcheck disable=SC2086
awk -v b="$(median ${wall[batch]})" -v c="$(median ${wall[copy]})" -v s="$(median ${wall[synced]})" \
    -v bc="$(median ${cpu[batch]})" -v cc="$(median ${cpu[copy]})" -v sc="$(median ${cpu[synced]})" 'BEGIN {
  printf "  %-38s %8.2f %8.2f   target <= 3 (wall)%s\n", "batch / cp -r", b / c, bc / cc, (b / c <= 3 ? "" : "  (missed)")
  printf "  %-38s %8.2f %8.2f\n", "batch / (cp -r, then sync -f)", b / s, bc / sc
}'
