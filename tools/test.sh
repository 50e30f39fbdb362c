#!/usr/bin/env bash
# Sets up, builds and runs every check: formatting, the tests with warnings as errors, the
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer, a short fuzzing run, a
# short benchmark run (which only measures), and the Windows programs under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

echo "== Formatting"
git ls-files -- '*.h' '*.cpp' | xargs clang-format --dry-run --Werror

echo "== Tests, warnings as errors"
cmake --workflow --preset ci

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --workflow --preset asan

echo "== Fuzzing the weight texts for 30 s"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp fuzz/corpus/* "$corpus"/
build/fuzz/bin/fuzz-weight-text -max_total_time=30 -print_final_stats=1 "$corpus"

echo "== Benchmarks (figures only)"
build/bin/tarnwick-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

echo "== Windows programs, cross-built with mingw-w64 and run under Wine"
bash tools/test-windows.sh
