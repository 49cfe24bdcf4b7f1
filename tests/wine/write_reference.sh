#!/usr/bin/env bash
# Converts every sample with the Linux build's audconv between every pair of data standards
# (refused pairs included) and writes the inputs, the results and manifest.tsv into a folder.
# The Windows client run under Wine repeats each conversion through COM and must get the
# same status and the same bytes.
# Usage: write_reference.sh AUDCONV SAMPLES_FOLDER OUTPUT_FOLDER
set -euo pipefail

audconv=${1:?usage: write_reference.sh AUDCONV SAMPLES_FOLDER OUTPUT_FOLDER}
samples=${2:?usage: write_reference.sh AUDCONV SAMPLES_FOLDER OUTPUT_FOLDER}
output=${3:?usage: write_reference.sh AUDCONV SAMPLES_FOLDER OUTPUT_FOLDER}

rm -rf "$output"
mkdir -p "$output/inputs" "$output/results"
manifest="$output/manifest.tsv"
: >"$manifest"
# The export reads its configuration under this folder; an empty one gives the defaults,
# as the fresh Wine prefix does.
config_home=$(mktemp -d)
trap 'rm -rf "$config_home"' EXIT

standard_of() {
    case "$1" in
        *.ds100) echo 100 ;;
        *.ds200) echo 200 ;;
        *.xml) echo 500 ;;
    esac
}

# convert NAME FROM INPUT: one manifest line per target, the refused ones included.
convert() {
    local name=$1 from=$2 input=$3 to result status
    for to in 100 200 500 300; do
        result="results/$name.to$to"
        if PROGRAMDATA="$config_home" "$audconv" convert --from "$from" --to "$to" -o "$output/$result" \
            "$output/$input" >/dev/null 2>"$output/error"; then
            status=0x00000000
        else
            status=$(grep -o '0x[0-9A-F]\{8\}' "$output/error" | tail -n 1 || true)
            if [[ -z "$status" ]]; then
                echo "write_reference: audconv failed on $name to $to without a status:" >&2
                cat "$output/error" >&2
                exit 1
            fi
            result=-
        fi
        printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$name" "$from" "$to" "$status" "$input" "$result" >>"$manifest"
    done
}

shopt -s nullglob
for sample in "$samples"/*.ds100 "$samples"/*.ds200 "$samples"/*.xml; do
    name=$(basename "$sample")
    from=$(standard_of "$name")
    cp "$sample" "$output/inputs/$name"
    convert "$name" "$from" "inputs/$name"
    if [[ $from != 500 ]]; then
        # five extension bytes after the record: cut for the export, dropped otherwise
        { cat "$sample"; printf '\001\002\003\375\376'; } >"$output/inputs/$name+ext"
        convert "$name+ext" "$from" "inputs/$name+ext"
    fi
done
# The documents the export wrote go back in as data standard 500.
for document in "$output"/results/*.to500; do
    name=$(basename "$document").xml
    cp "$document" "$output/inputs/$name"
    convert "$name" 500 "inputs/$name"
done
rm -f "$output/error"

cases=$(wc -l <"$manifest")
if ((cases == 0)); then
    echo "write_reference: no samples in $samples" >&2
    exit 1
fi
echo "write_reference: $cases conversions in $output"
