#!/usr/bin/env bash
# Builds with g++ and runs every test. (clang 14 builds the same sources, warnings as errors, in
# the sanitizer presets that scripts/sanitizers.sh runs.)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default
