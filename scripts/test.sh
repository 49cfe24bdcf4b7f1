#!/usr/bin/env bash
# Builds and runs every test: installs what is missing, then builds with g++ and with
# clang 14 (warnings as errors) and runs the tests of each build. The run is a list of
# stages; to add one, write a function stage_NAME and put NAME into STAGES.
set -euo pipefail
cd "$(dirname "$0")/.."

build_and_test() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j 2
  ctest --preset "$preset" -j 2
}

stage_deps()  { scripts/install-deps.sh; }
stage_gcc()   { build_and_test ci-gcc; }
stage_clang() { build_and_test ci-clang; }
# the Debian package, installed with dpkg and run as users get it
stage_package() { scripts/package-check.sh; }
# The COM DLL cross-built for Windows and run under Wine against the conversions that the
# gcc stage's tests wrote.
stage_windows() { scripts/test-windows.sh build/ci-gcc/wine-reference; }

STAGES=(deps gcc clang package windows)

for stage in "${STAGES[@]}"; do
  echo "=== stage: $stage"
  "stage_$stage"
done
