#!/usr/bin/env bash
# Runs one Windows build (32- or 64-bit, as its DLL says) under Wine, headless, in a Wine prefix
# of its own of the same bitness:
#   1. the DLL exports its five entry points as ordinals 1 to 5, undecorated, and nothing else;
#      it carries, in US English, the registry script that registration runs (resource 101 of
#      type REGISTRY, the bytes of com/module.rgs) and its name (string 100); the DLL and the
#      host carry a version resource with the project's version;
#   2. calls through the generated proxies from one apartment into another;
#   3. a viewer written in C checks the binary interface and renders the reviewed samples through
#      every entry, and the example of docs/viewer.md runs;
#   4. regsvr32 registers and unregisters the plug-in: the registry view of the DLL's bitness
#      holds, and then no longer holds, the catalogued interfaces with the proxy/stub factory;
#   5. the committed fuzz corpus and the reviewed samples, as one batch, render identically
#      through the Windows host and the Linux host, text, colour, document and result alike.
# Events whose payload holds a device moniker are left out of 5, since monikers parse differently
# on each system.
# Usage: run_wine_tests.sh [WINDOWS_BUILD_DIR] [LINUX_BUILD_DIR]
#   (defaults: build/windows and build/default, as the presets of the same names build them)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
windows_build=$(realpath "${1:-$root/build/windows}")
linux_build=$(realpath "${2:-$root/build/default}")

plugin_dll=$windows_build/Veduvedad.er.dll
case $(objdump -f "$plugin_dll" | sed -n 's/.*file format //p') in
  pei-i386) bits=32 triplet=i686-w64-mingw32 ;;
  pei-x86-64) bits=64 triplet=x86_64-w64-mingw32 ;;
  *) echo "$plugin_dll is no Windows DLL" >&2; exit 2 ;;
esac
echo "Testing the $bits-bit build in $windows_build"

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEARCH=win$bits
# No display, and no prompts to install Wine's Mono and Gecko.
unset DISPLAY WAYLAND_DISPLAY
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
pass() { echo "PASS ($bits-bit): $*"; }
fail() {
  echo "FAIL ($bits-bit): $*"
  failures=$((failures + 1))
}

# 1. The export table.
exports=$(objdump -p "$plugin_dll" | awk '
  /^Ordinal Base/ { base = $3 }
  /^\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
  names && /^\t\[/ { gsub(/[][]/, ""); print $1 + base, $2; next }
  names { names = 0 }' | sort -n | tr '\n' ' ')
expected_exports="1 UI_EnumEVENTUI 2 DllCanUnloadNow 3 DllGetClassObject 4 DllRegisterServer 5 DllUnregisterServer "
if [[ $exports == "$expected_exports" ]]; then
  pass "exports by ordinal: $exports"
else
  fail "exports: '$exports', expected '$expected_exports'"
fi

# The resources, as windres writes them out, one line each without comments and blank lines.
resources() {
  "$triplet-windres" -i "$1" -O rc | grep -v -e '^$' -e '^/\*' -e '\*/$' | tr '\n' '|'
}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows_build/CMakeCache.txt")
version_resource="FILEVERSION ${version//./, }, 0|"
version_value="VALUE \"FileVersion\", \"$version\"|"
# The script's bytes as windres shows them: 16-bit little-endian units.
script_units=$(od -An -v -tx2 "$root/com/module.rgs" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//; s/ /\\x/g')
dll_resources=$(resources "$plugin_dll")
host_resources=$(resources "$windows_build/veduvedad.exe")
if [[ $dll_resources != 'LANGUAGE 9, 1|101 "REGISTRY"|BEGIN|  L"\x'"$script_units"'"|END|'* ]]; then
  fail "resources: no registry script 101 in US English: ${dll_resources:0:200}"
elif [[ $dll_resources != *'STRINGTABLE|BEGIN|  100, "Veduvedad.er"|END|'* ]]; then
  fail "resources: no string 100 \"Veduvedad.er\""
elif [[ $(grep -o LANGUAGE <<<"$dll_resources$host_resources" | wc -l) -ne 2 ]]; then
  fail "resources: not all in US English"
elif [[ $dll_resources != *"$version_resource"*"$version_value"* ||
        $host_resources != *"$version_resource"*"$version_value"* ]]; then
  fail "resources: no version $version in the DLL and the host"
else
  pass "resources: registry script 101, string 100, version $version in the DLL and the host"
fi

echo "Creating the Wine prefix"
timeout 300 wineboot --init >/dev/null 2>&1
# COM activation can hang while the prefix is still being set up.
timeout 120 wineserver -w

plugin=$(winepath -w "$plugin_dll")

# 2. The calls through the proxies.
if timeout 240 wine "$windows_build/veduvedad_windows_tests.exe" --gtest_brief=1; then
  pass "calls through the proxies"
else
  fail "calls through the proxies"
fi

# 3. The viewer written in C: the binary interface and the samples.
transcript=$(winepath -w "$root/tests/host/samples.expected")
if report=$(timeout 120 wine "$windows_build/c_viewer_test.exe" "$transcript"); then
  pass "viewer in C: ${report//$'\r'/}"
else
  fail "viewer in C: ${report//$'\r'/}"
fi
# The example of docs/viewer.md, beside the DLL it loads by name.
example=$(timeout 120 wine "$windows_build/viewer_example.exe" 2>&1 | tr -d '\r') || true
if [[ $example == *$'\n'"A scheduled switch successfully switched the site from home to 2.048Mbps, consuming 1.5MHz of bandwidth from the dynamic pool."$'\n'* &&
      $example == *"failed with 0x80020009: an underflow occured"* ]]; then
  pass "the guide's viewer renders an event both ways and shows the error of one cut short"
else
  fail "the guide's viewer: ${example:0:300}"
fi

# 4. Registration. The catalogued interfaces are the ones with a pointer_default in the IDL that
# the build writes from the catalogue; the first one's identifier names the factory. Wine's reg
# reads the view of its own bitness unless told which.
idl=$windows_build/windows/generated/switching_interfaces.idl
mapfile -t iids < <(sed -n 's/^\[object, uuid(\(.*\)), pointer_default(unique)\]$/{\1}/p' "$idl")
factory=${iids[0]}
reg_value() {  # KEY: the key's default value, or nothing when the key is absent
  timeout 60 wine reg query "$1" /ve "/reg:$bits" 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *(Default) *REG_SZ *//p'
}
registry() {  # every interface's proxy/stub class, then the file name of the factory's server
  local iid
  for iid in "${iids[@]}"; do reg_value "HKCR\\Interface\\$iid\\ProxyStubClsid32"; done
  reg_value "HKCR\\CLSID\\$factory\\InprocServer32" | sed 's/.*\\//'
}
registered=$(for iid in "${iids[@]}"; do echo "${factory^^}"; done; echo VEDUVEDAD.ER.DLL)
if [[ ${#iids[@]} -ne 15 ]]; then
  fail "registration: ${#iids[@]} interfaces in $idl, not 15"
elif ! timeout 120 wine regsvr32 /s "$plugin" || [[ $(registry | tr a-z A-Z) != "$registered" ]]
then
  fail "registration: regsvr32 failed or wrote other entries: $(registry | tr '\n' ' ')"
elif ! timeout 120 wine regsvr32 /s /u "$plugin" || [[ -n $(registry) ]]; then
  fail "registration: regsvr32 /u failed or left entries: $(registry | tr '\n' ' ')"
else
  pass "registration of ${#iids[@]} interfaces under $factory"
fi

# 5. The differential run. A corpus file is the fuzzer's input: the row (first byte, modulo the
# 30 rows), two bytes of form and buffer size that the batch does not need, then the payload.
"$linux_build/veduvedad" samples >"$work/linux.txt"
mapfile -t types < <("$linux_build/veduvedad" list |
  sed -n 's/^ *[0-9]\{1,2\} \{1,\}\({[0-9A-F-]\{36\}}\) .*/\1/p')
batch=$work/differential.jsonl
{
  for file in "$root"/fuzz/corpus/*; do
    hex=$(od -An -v -tx1 "$file" | tr -d ' \n')
    if [[ ${#hex} -ge 8 ]]; then echo "$((16#${hex:0:2} % 30)) ${hex:8}"; fi
  done
  awk '/^== / { row = $2 } /^payload / { print row, $2 }' "$work/linux.txt"
} | while read -r row payload; do
  printf '{"type": "%s", "payload": "%s", "row": %d}\n' "${types[row]}" "$payload" "$row"
done >"$batch"
# Exit status 1: some events failed, as many of the corpus's do.
linux_status=0 windows_status=0
"$linux_build/veduvedad" batch "$batch" --jobs 2 >"$work/linux.jsonl" 2>/dev/null ||
  linux_status=$?
timeout 300 wine "$windows_build/veduvedad.exe" batch "$(winepath -w "$batch")" --jobs 2 \
  >"$work/windows.jsonl" 2>/dev/null || windows_status=$?
events=$(wc -l <"$batch")
if [[ ${#types[@]} -ne 30 || $linux_status -gt 1 || $windows_status -gt 1 ]]; then
  fail "differential: ${#types[@]} event types listed, exit status $linux_status and $windows_status"
elif [[ $(wc -l <"$work/linux.jsonl") -ne $events || $(wc -l <"$work/windows.jsonl") -ne $events ]]; then
  fail "differential: $events events in, $(wc -l <"$work/linux.jsonl") and $(wc -l <"$work/windows.jsonl") out"
else
  compared=0 monikers=0 code_page=0 differing=0
  # Left out: a payload that holds a device moniker, as the rendering on either system names one
  # (an attribute neither empty nor "(none)") or fails to parse one (an MK_E_ result); and narrow
  # text with bytes 0x80 to 0x9F, which the ANSI code pages map differently (Latin-1 here,
  # Windows-1252 there).
  named_moniker='moniker=\\"[^(\\]'
  moniker_failure='"hr":"0x800401E[0-9A-F]"'
  c1_control=$'\xc2[\x80-\x9f]|\\\\u00[89][0-9A-Fa-f]'
  LC_ALL=C  # the patterns match bytes
  while IFS= read -r linux && IFS= read -r windows <&3; do
    windows=${windows%$'\r'}
    if [[ $linux =~ $named_moniker || $windows =~ $named_moniker ||
          $linux =~ $moniker_failure || $windows =~ $moniker_failure ]]; then
      monikers=$((monikers + 1))
    elif [[ $linux =~ $c1_control ]]; then
      code_page=$((code_page + 1))
    else
      compared=$((compared + 1))
      if [[ $linux != "$windows" ]]; then
        differing=$((differing + 1))
        [[ $differing -gt 5 ]] || printf '  Linux:   %.300s\n  Windows: %.300s\n' "$linux" "$windows"
      fi
    fi
  done <"$work/linux.jsonl" 3<"$work/windows.jsonl"
  unset LC_ALL
  if [[ $compared -eq 0 || $differing -ne 0 ]]; then
    fail "differential: $differing of $compared events differ"
  else
    pass "differential: $compared of $events events identical; left out $monikers with device" \
      "monikers, $code_page with narrow text the code pages map differently"
  fi
fi

if [[ $failures -ne 0 ]]; then
  echo "$failures Wine test(s) failed ($bits-bit)"
  exit 1
fi
echo "All Wine tests passed ($bits-bit)"
