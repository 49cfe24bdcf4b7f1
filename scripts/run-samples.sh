#!/usr/bin/env bash
# The main job on the bundled samples: installs what is missing, builds the release preset,
# then converts every sample record to the other binary data standard and back, exports
# every sample as a data standard 500 document and imports each document back into 200 and
# 100 records, and says what came back. Results go to
# build/sample-conversions.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j 2 --target audconv

audconv=build/release/tools/audconv/audconv
out=build/sample-conversions
size100=19472
size200=36128
rm -rf "$out"
mkdir -p "$out"

failures=0
size() { stat -c %s "$1"; }
differing_bytes() { cmp -l "$1" "$2" | wc -l || true; }

echo
echo "Converting the samples with $("$audconv" --version) into $out"
for sample in samples/*.ds100; do
  name=$(basename "$sample" .ds100)
  "$audconv" convert --from 100 --to 200 -o "$out/$name.ds200" "$sample"
  "$audconv" convert --from 200 --to 100 -o "$out/$name.back.ds100" "$out/$name.ds200"
  extension=$(( $(size "$sample") - size100 ))
  if cmp -s -n "$size100" "$sample" "$out/$name.back.ds100"; then verdict="record identical"; else verdict="RECORD CHANGED"; failures=$((failures + 1)); fi
  [ "$extension" -gt 0 ] && verdict="$verdict, its $extension extension bytes dropped"
  echo "  $name.ds100 ($(size "$sample") bytes) -> 200 ($(size "$out/$name.ds200") bytes)" \
       "-> 100 ($(size "$out/$name.back.ds100") bytes): $verdict"
done

for sample in samples/*.ds200; do
  name=$(basename "$sample" .ds200)
  "$audconv" convert --from 200 --to 100 -o "$out/$name.ds100" "$sample"
  "$audconv" convert --from 100 --to 200 -o "$out/$name.back.ds200" "$out/$name.ds100"
  "$audconv" convert --from 200 --to 100 -o "$out/$name.again.ds100" "$out/$name.back.ds200"
  dropped=$(differing_bytes <(head -c "$size200" "$sample") "$out/$name.back.ds200")
  if cmp -s "$out/$name.ds100" "$out/$name.again.ds100"; then verdict="stable"; else verdict="CHANGED"; failures=$((failures + 1)); fi
  echo "  $name.ds200 ($(size "$sample") bytes) -> 100 ($(size "$out/$name.ds100") bytes)" \
       "-> 200: $dropped bytes back in their empty state (parts a 100 record has no room for)," \
       "-> 100 again: $verdict"
done

for sample in samples/*.ds100 samples/*.ds200; do
  name=$(basename "$sample")
  from=${name##*.ds}
  "$audconv" convert --from "$from" --to 500 -o "$out/${name%.*}.xml" "$sample"
  if xmllint --noout "$out/${name%.*}.xml"; then verdict="well-formed"; else verdict="NOT WELL-FORMED"; failures=$((failures + 1)); fi
  echo "  $name -> 500: ${name%.*}.xml ($(size "$out/${name%.*}.xml") bytes," \
       "$(grep -c '<!--' "$out/${name%.*}.xml" || true) comments): $verdict"
done

# The documents back into records: 500 -> 200 must export to the same document again (but for
# PrivateAudiogramData, which the import does not decode), and 500 -> 100 must give a whole
# 100 record.
for document in "$out"/*.xml; do
  name=$(basename "$document" .xml)
  "$audconv" convert --from 500 --to 200 -o "$out/$name.imported.ds200" "$document"
  "$audconv" convert --from 500 --to 100 -o "$out/$name.imported.ds100" "$document"
  "$audconv" convert --from 200 --to 500 -o "$out/$name.again.xml" "$out/$name.imported.ds200"
  if cmp -s <(grep -v PrivateAudiogramData "$document") "$out/$name.again.xml"; then
    verdict="exports to the same document"
    grep -q PrivateAudiogramData "$document" && verdict="$verdict, without its PrivateAudiogramData"
  else verdict="DOCUMENT CHANGED"; failures=$((failures + 1)); fi
  echo "  $name.xml -> 200 ($(size "$out/$name.imported.ds200") bytes) and 100" \
       "($(size "$out/$name.imported.ds100") bytes): $verdict"
done

# The whole folder in one batch, as a user converts an archive: quiet but for its summary line.
echo "  a batch of the samples folder to 500:"
"$audconv" convert --from auto --to 500 --force --out-dir "$out/batch" samples || true

if [ "$failures" -ne 0 ]; then
  echo "$failures sample(s) did not come back as expected" >&2
  exit 1
fi
echo "All samples came back as expected."
