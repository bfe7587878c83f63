#!/usr/bin/env bash
# Cross-builds Veduvedad.er.dll, the host and the Windows tests with MinGW-w64 for 32-bit Windows
# (preset windows32: the DLL that 32-bit viewers load) and 64-bit Windows (preset windows), and
# runs each build's tests under Wine, headless, against the Linux host's renderings.
set -euo pipefail
cd "$(dirname "$0")/.."
# 32-bit programs run with Wine's i386 packages.
scripts/install-deps.sh mingw-w64 mingw-w64-tools wine wine64 wine32:i386 libwine-dev

# The Linux host renders what the Windows hosts' renderings must equal.
cmake --preset default >/dev/null
cmake --build --preset default --target veduvedad
presets=(windows32 windows)
for preset in "${presets[@]}"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
status=0
for preset in "${presets[@]}"; do
  tests/windows/run_wine_tests.sh "build/$preset" build/default || status=1
done
exit $status
