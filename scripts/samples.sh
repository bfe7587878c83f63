#!/usr/bin/env bash
# Builds the plug-in and its command-line host, then renders the built-in sample events.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/veduvedad samples "$@"
