#!/usr/bin/env bash
# Builds and runs every test: installs what is missing, then builds with g++ and with
# clang 14 (warnings as errors) and runs the tests of each build (and the Python package's
# tests against the g++ build), runs the whole suite
# again under AddressSanitizer + UndefinedBehaviorSanitizer and the concurrency tests under
# ThreadSanitizer (both halting on the first report), fuzzes each libFuzzer target for a
# bounded time (FUZZ_SECONDS, default 60 per target), checks that the benchmarks build and
# run, tests the browser page in headless Chromium, checks the Debian package (with the page
# when it was built) and tests the Windows DLL under Wine. The run is a list of
# stages; to add one, write a function stage_NAME and put NAME into STAGES.
# `scripts/test.sh NAME...` runs only the stages named.
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
# The Python package of the gcc build, against that build's tool, with Debian's interpreter.
stage_python() {
  cmake --preset ci-gcc >/dev/null
  cmake --build --preset ci-gcc -j 2 --target audconv_python audconv
  PYTHONPATH=build/ci-gcc/python AUDCONV_TOOL=build/ci-gcc/tools/audconv/audconv PYTHONDONTWRITEBYTECODE=1 \
    /usr/bin/python3 -m pytest -q -p no:cacheprovider python/tests
}
# the Debian package, installed with dpkg and run as users get it
stage_package() { scripts/package-check.sh; }
# The browser page built with Emscripten and driven in headless Chromium against the tool of
# the gcc stage.
stage_page() { scripts/test-page.sh; }
# The COM DLL cross-built for Windows and run under Wine against the conversions that the
# gcc stage's tests wrote.
stage_windows() { scripts/test-windows.sh build/ci-gcc/wine-reference; }

stage_asan()  { build_and_test asan; }
stage_tsan()  { build_and_test tsan; }
stage_fuzz()  { scripts/fuzz.sh "${FUZZ_SECONDS:-60}"; }
# The figures themselves need a quiet machine (scripts/bench.sh); here the suite only has to
# build and run every benchmark once.
stage_bench() {
  cmake --preset bench >/dev/null
  cmake --build --preset bench -j 2
  build/bench/bench/audconv_bench --benchmark_min_time=0.001 >/dev/null
  AUDCONV_BATCH_FILES=20 scripts/bench-batch.sh --no-build >/dev/null
}

STAGES=(deps gcc python clang asan tsan fuzz bench page package windows)
[ $# -eq 0 ] || STAGES=("$@")

for stage in "${STAGES[@]}"; do
  echo "=== stage: $stage ($(date -u +%H:%M:%S))"
  SECONDS=0
  "stage_$stage"
  echo "=== stage: $stage took ${SECONDS}s"
done
