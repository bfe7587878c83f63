#!/usr/bin/env bash
# Builds with g++ and with clang (both warning-clean) and runs every test with each.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for preset in default clang; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
