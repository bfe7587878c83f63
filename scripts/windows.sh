#!/usr/bin/env bash
# Cross-builds Veduvedad.er.dll, the host and the Windows tests with MinGW-w64 (preset windows),
# and runs the tests under Wine, headless, against the Linux host's renderings.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh mingw-w64 mingw-w64-tools wine wine64 libwine-dev

# The Linux host renders the samples that the Windows host's must equal.
cmake --preset default >/dev/null
cmake --build --preset default --target veduvedad
cmake --preset windows >/dev/null
cmake --build --preset windows
exec tests/windows/run_wine_tests.sh build/windows build/default
