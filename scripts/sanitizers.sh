#!/usr/bin/env bash
# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# concurrency tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset asan >/dev/null
cmake --build --preset asan
ASAN_OPTIONS=detect_leaks=1 ctest --preset asan
cmake --preset tsan >/dev/null
cmake --build --preset tsan --target reliability_tests
TSAN_OPTIONS=halt_on_error=1 ctest --preset tsan
