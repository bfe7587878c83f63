#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the host need, and any named as
# arguments, when any is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev libxml2-dev libsimdjson-dev
  help2man man-db
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  # A package of another architecture (name:arch) needs that architecture enabled first.
  for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/^[^:]*:\(.*\)$/\1/p' | sort -u); do
    dpkg --print-foreign-architectures | grep -qx "$arch" ||
      "${sudo_cmd[@]}" dpkg --add-architecture "$arch"
  done
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
