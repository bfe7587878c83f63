#!/usr/bin/env bash
# Builds the packages into build/packages: the Debian package (the plug-in with its runtime
# library, the viewers' header, the CMake and pkg-config files, the host and its manual page)
# from the release build, and a .zip for each Windows architecture (the DLL, veduvedad.exe, the
# header and the README) from the windows32 and windows builds. A build folder that is already up
# to date is reused as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps and file work out the .deb's dependencies.
scripts/install-deps.sh dpkg-dev file mingw-w64 mingw-w64-tools libwine-dev

presets=(release windows32 windows)
for preset in "${presets[@]}"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
rm -rf build/packages
for package in deb windows32 windows; do
  cpack --preset "$package" >/dev/null
done
rm -rf build/packages/_CPack_Packages
ls -l build/packages
