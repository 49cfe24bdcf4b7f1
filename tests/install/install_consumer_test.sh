#!/bin/sh
# Installs the build into a temporary prefix, then builds a small host program against it
# twice, once with find_package and once with pkg-config, and runs the installed tool.
# Arguments: the build folder, the source folder, the cmake program, the C++ compiler.
set -eu
build=$1 source=$2 cmake=$3 cxx=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cmake" --install "$build" --prefix "$work/prefix" >/dev/null

"$cmake" -S "$source/tests/install/consumer" -B "$work/consumer" -DCMAKE_PREFIX_PATH="$work/prefix" \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=Release >/dev/null
"$cmake" --build "$work/consumer" >/dev/null
"$work/consumer/consumer"

pc=$(find "$work/prefix" -name audiogram-converter.pc)
test -n "$pc"
flags=$(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --cflags --libs audiogram-converter)
# shellcheck disable=SC2086 # the flags are a list of words
"$cxx" "$source/tests/install/consumer/consumer.cpp" $flags -o "$work/consumer-pc"
"$work/consumer-pc"

# the component a host loads
find "$work/prefix" -name VeskAudiogramConverter.so | grep -q .

"$work/prefix/bin/audconv" --version
