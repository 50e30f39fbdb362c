#!/usr/bin/env bash
# Sets up, builds and runs every check: formatting, the tests with warnings as errors, the
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer, the build without Qt and
# its tests, short fuzzing runs, a short benchmark run with the window's keystroke,
# Print-to-first-byte and start-up timings (which only measure), the Windows programs and their
# tests under Wine with screenshots of their window, and the packages (made, checked, and
# installed on a clean Debian 12).
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."

bash tools/setup.sh

echo "== Formatting"
# The sources are found without git, so that an unpacked archive of the tree is checked too.
find . \( -path ./build -o -path ./.git \) -prune -o -type f \( -name '*.h' -o -name '*.cpp' \) \
  -print0 | xargs -0 clang-format --dry-run --Werror

echo "== Tests, warnings as errors"
cmake --workflow --preset ci

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --workflow --preset asan

echo "== Tests of the build without Qt"
cmake --workflow --preset noqt

echo "== Fuzzing every target of fuzz/targets.list for 15 s, on every processor"
TARNWICK_FUZZ_MAX_SECONDS=15 bash tools/fuzz-long.sh 0

echo "== Benchmarks (figures only)"
build/bin/tarnwick-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
build/bin/tarnwick-window-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
build/bin/tarnwick-print-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
bash tools/measure-startup.sh 20
bash tools/measure-window-instructions.sh

echo "== Windows programs, cross-built with mingw-w64, and their tests under Wine"
bash tools/setup.sh g++-mingw-w64-x86-64-posix googletest wine64 jq unzip fonts-wine xdg-utils \
  librsvg2-bin icoutils imagemagick nsis
cmake --workflow --preset windows
echo "== The Windows window photographed under Wine (build/screenshots/windows-*.png)"
bash tools/test-windows.sh

echo "== Packages: made, then checked and installed on a clean Debian 12"
bash tools/package.sh
bash tools/check-packages.sh
