#!/usr/bin/env bash
# Builds the benchmark suite (preset bench: optimised, g++) and runs it: every conversion
# on the empty, typical and heavy record beside its baselines, then the ratios of the
# performance targets; then the batch against cp (scripts/bench-batch.sh), the fifth ratio.
# Extra arguments go to Google Benchmark, e.g.
#   scripts/bench.sh --benchmark_filter=500to200
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >/dev/null
cmake --preset bench >/dev/null
cmake --build --preset bench -j 2 >/dev/null
build/bench/bench/audconv_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.2 "$@"
scripts/bench-batch.sh --no-build
