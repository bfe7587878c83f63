#!/usr/bin/env bash
# Runs the Windows build under Wine, headless, in a Wine prefix of its own:
#   1. the host-style test of the plug-in's binary interface;
#   2. regsvr32 registers and unregisters the plug-in: the registry holds, and then no longer
#      holds, the catalogued interfaces with the proxy/stub factory;
#   3. calls through the generated proxies from one apartment into another;
#   4. the samples rendered by the Windows host equal the Linux host's, byte for byte, for every
#      sample whose payload holds no device moniker (monikers parse differently on each system).
# Usage: run_wine_tests.sh [WINDOWS_BUILD_DIR] [LINUX_BUILD_DIR]
#   (defaults: build/windows and build/default, as the presets of the same names build them)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
windows_build=$(realpath "${1:-$root/build/windows}")
linux_build=$(realpath "${2:-$root/build/default}")

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
# No display, and no prompts to install Wine's Mono and Gecko.
unset DISPLAY WAYLAND_DISPLAY
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

echo "Creating the Wine prefix"
timeout 300 wineboot --init >/dev/null 2>&1
# COM activation can hang while the prefix is still being set up.
timeout 120 wineserver -w

plugin_dll=$windows_build/Veduvedad.er.dll
plugin=$(winepath -w "$plugin_dll")
tests=$windows_build/veduvedad_windows_tests.exe

# 1. The binary interface.
if timeout 120 wine "$tests" --gtest_filter='HostAbi.*' --gtest_brief=1; then
  pass "binary interface"
else
  fail "binary interface"
fi

# 2. Registration. The catalogued interfaces are the ones with a pointer_default in the IDL that
# the build writes from the catalogue; the first one's identifier names the factory.
idl=$windows_build/windows/generated/switching_interfaces.idl
mapfile -t iids < <(sed -n 's/^\[object, uuid(\(.*\)), pointer_default(unique)\]$/{\1}/p' "$idl")
factory=${iids[0]}
reg_value() {  # KEY: the key's default value, or nothing when the key is absent
  timeout 60 wine reg query "$1" /ve 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *(Default) *REG_SZ *//p'
}
check_registry() {  # registered|unregistered
  local state=$1 problems=0 iid
  for iid in "${iids[@]}"; do
    local clsid
    clsid=$(reg_value "HKCR\\Interface\\$iid\\ProxyStubClsid32")
    if [[ $state == registered && ${clsid^^} != "${factory^^}" ]] ||
       [[ $state == unregistered && -n $clsid ]]; then
      echo "  Interface\\$iid\\ProxyStubClsid32: '${clsid}'"
      problems=$((problems + 1))
    fi
  done
  local server
  server=$(reg_value "HKCR\\CLSID\\$factory\\InprocServer32")
  if [[ $state == registered && ${server,,} != *'\veduvedad.er.dll' ]] ||
     [[ $state == unregistered && -n $server ]]; then
    echo "  CLSID\\$factory\\InprocServer32: '${server}'"
    problems=$((problems + 1))
  fi
  return $((problems != 0))
}
if [[ ${#iids[@]} -ne 15 ]]; then
  fail "registration: ${#iids[@]} interfaces in $idl, not 15"
elif ! timeout 120 wine regsvr32 /s "$plugin"; then
  fail "registration: regsvr32 failed"
elif ! check_registry registered; then
  fail "registration: entries missing after regsvr32"
elif ! timeout 120 wine regsvr32 /s /u "$plugin"; then
  fail "registration: regsvr32 /u failed"
elif ! check_registry unregistered; then
  fail "registration: entries left after regsvr32 /u"
else
  pass "registration of ${#iids[@]} interfaces under $factory"
fi

# 3. Marshalling across apartments.
if timeout 120 wine "$tests" --gtest_filter='Marshaling.*' --gtest_brief=1; then
  pass "calls through the proxies"
else
  fail "calls through the proxies"
fi

# 4. The samples, block by block (each begins with its "== " heading line).
"$linux_build/veduvedad" samples >"$work/linux.txt"
status=0
timeout 120 wine "$windows_build/veduvedad.exe" samples >"$work/windows.txt" 2>"$work/windows.err" ||
  status=$?
if [[ $status -gt 1 ]]; then  # 1: some renderings failed, the samples with monikers
  fail "samples: the Windows host exited with $status"
  cat "$work/windows.err"
else
  split_blocks() { mkdir -p "$2" && awk -v dir="$2" '/^== /{n++} n{print > (dir "/" n)}' "$1"; }
  split_blocks "$work/linux.txt" "$work/linux"
  split_blocks "$work/windows.txt" "$work/windows"
  compared=0 skipped=0 differing=0
  for block in "$work"/linux/*; do
    name=$(basename "$block")
    if grep -q 'moniker="' "$block" && grep 'moniker="' "$block" | grep -qv 'moniker="(none)"'; then
      skipped=$((skipped + 1))
      continue
    fi
    compared=$((compared + 1))
    if ! cmp -s "$block" "$work/windows/$name"; then
      differing=$((differing + 1))
      echo "  sample $name: $(head -1 "$block")"
      diff "$block" "$work/windows/$name" | head -20 || true
    fi
  done
  if [[ $compared -eq 0 || $differing -ne 0 ]]; then
    fail "samples: $differing of $compared differ"
  else
    pass "samples: $compared identical, $skipped with device monikers left out"
  fi
fi

if [[ $failures -ne 0 ]]; then
  echo "$failures Wine test(s) failed"
  exit 1
fi
echo "All Wine tests passed"
