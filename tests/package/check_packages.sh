#!/usr/bin/env bash
# Checks what scripts/package.sh made, as its users get it:
#   1. the release build installed with cmake --install and then moved elsewhere: a viewer's build
#      finds it with find_package and with pkg-config, and the example of docs/viewer.md and a
#      program that links the plug-in run against it; the installed host, with nothing on its
#      paths, renders the samples as reviewed;
#   2. the .deb, installed with dpkg -i on this machine (as root): veduvedad samples and
#      man veduvedad work, and dpkg --purge leaves nothing of it behind;
#   3. the .zip of each Windows architecture: its files, and the machine type of the DLL and the
#      program in it.
# Usage: check_packages.sh [PACKAGES_DIR] [RELEASE_BUILD_DIR]
#   (defaults: build/packages and build/release, as scripts/package.sh makes them)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
packages=$(realpath "${1:-$root/build/packages}")
release=$(realpath "${2:-$root/build/release}")
expected_samples=$root/tests/host/samples.expected
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$release/CMakeCache.txt")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# The samples as the tests reviewed them: in colour, 24-bit.
samples_match() {  # VEDUVEDAD [ENVIRONMENT...]
  local host=$1
  shift
  env -i COLORTERM=truecolor "$@" "$host" samples --color=always >"$work/samples.txt" &&
    cmp -s "$work/samples.txt" "$expected_samples"
}

# 1. An installation, moved after installing.
cmake --install "$release" --prefix "$work/staging" >/dev/null
mv "$work/staging" "$work/prefix"
prefix=$work/prefix
installed_version=$(env -i "$prefix/bin/veduvedad" --version 2>&1)
if samples_match "$prefix/bin/veduvedad" &&
   [[ $installed_version == *$'\n'"plug-in: $prefix/lib/libveduvedader.so.1 (in the library folder)"$'\n'* ]]; then
  pass "installed host: samples as reviewed, plug-in found in the library folder"
else
  fail "installed host: $installed_version"
fi

expected_sentence="A scheduled switch successfully switched the site from home to 2.048Mbps, consuming 1.5MHz of bandwidth from the dynamic pool."
viewers_run() {  # FOLDER: the two viewers built there run against the installation
  env -i "$1/viewer_example" >"$work/example.txt" &&
    grep -qxF "$expected_sentence" "$work/example.txt" &&
    grep -qxF "The same event cut short, as XML: failed with 0x80020009: an underflow occured" "$work/example.txt" &&
    [[ $(env -i "$1/linked_viewer") == "30 event types; An internal switch resulted in no operation being performed." ]]
}
consumer=$root/tests/package/consumer
if cmake -S "$consumer" -B "$work/with-cmake" -G Ninja -DCMAKE_C_COMPILER=gcc \
     -DCMAKE_PREFIX_PATH="$prefix" -DVIEWER_EXAMPLE="$root/docs/viewer_example.c" >"$work/cmake.log" 2>&1 &&
   cmake --build "$work/with-cmake" >>"$work/cmake.log" 2>&1 && viewers_run "$work/with-cmake"; then
  pass "viewers built with find_package(Veduvedader $version) run against the installation"
else
  fail "viewers built with find_package"
  tail -20 "$work/cmake.log"
fi

mkdir "$work/with-pkg-config"
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
built=true
for source in "$root/docs/viewer_example.c" "$consumer/linked_viewer.c"; do
  # The program finds the plug-in where pkg-config says it is.
  gcc -std=c99 -Wall -Wextra -Wpedantic -Werror $(pkg-config --cflags veduvedader) "$source" \
    $(pkg-config --libs veduvedader) -Wl,-rpath,"$(pkg-config --variable=libdir veduvedader)" -ldl \
    -o "$work/with-pkg-config/$(basename "$source" .c)" || built=false
done
if $built && [[ $(pkg-config --modversion veduvedader) == "$version" ]] && viewers_run "$work/with-pkg-config"; then
  pass "viewers built with pkg-config veduvedader $version run against the installation"
else
  fail "viewers built with pkg-config"
fi
unset PKG_CONFIG_PATH

# 2. The Debian package, on this machine.
deb=$packages/veduvedader_${version}_$(dpkg --print-architecture).deb
if dpkg-query -W -f='${Status}' veduvedader 2>/dev/null | grep -q "ok installed"; then
  fail "deb: veduvedader is installed already; remove it first"
elif [[ ! -f $deb ]]; then
  fail "deb: no $deb"
else
  depends=$(dpkg-deb -f "$deb" Depends)
  # What the package adds to the system: every path it holds that is not there yet.
  dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' | grep -v '^$' |
    while read -r path; do [[ -e $path || -L $path ]] || echo "$path"; done >"$work/added"
  purged=false
  trap 'if ! $purged; then dpkg --purge veduvedader >/dev/null; fi; rm -rf "$work"' EXIT
  dpkg -i "$deb" >/dev/null
  dpkg -L veduvedader >"$work/listed"
  problems=()
  [[ $depends == *libc6* && $depends == *libstdc++6* ]] || problems+=("depends on '$depends'")
  [[ $(command -v veduvedad) == /usr/bin/veduvedad ]] || problems+=("no veduvedad on PATH")
  samples_match veduvedad PATH=/usr/bin || problems+=("veduvedad samples differ")
  manual=$(MANWIDTH=80 man veduvedad 2>/dev/null) || true
  [[ $manual == *"veduvedad samples"* ]] || problems+=("man veduvedad")
  dpkg --purge veduvedader >/dev/null
  purged=true
  left=()
  while read -r path; do
    if [[ -e $path || -L $path ]]; then left+=("$path"); fi
  done <"$work/added"
  ((${#left[@]} == 0)) || problems+=("left after purging: ${left[*]}")
  if ((${#problems[@]} == 0)); then
    pass "deb: $(wc -l <"$work/listed") paths installed, samples and manual page, $(wc -l <"$work/added") added paths gone after purging; depends on $depends"
  else
    fail "deb: ${problems[*]}"
  fi
fi

# 3. The Windows archives.
for arch in win32 win64; do
  archive=$packages/veduvedader-$version-$arch.zip
  top=veduvedader-$version-$arch
  if [[ $arch == win32 ]]; then format="pei-i386 PE32"; else format="pei-x86-64 PE32+"; fi
  expected_files="$top/README.md $top/Veduvedad.er.dll $top/include/veduvedader/eventui.h $top/veduvedad.exe"
  if [[ ! -f $archive ]]; then
    fail "$arch: no $archive"
    continue
  fi
  files=$(cmake -E tar tf "$archive" | grep -v '/$' | sort | tr '\n' ' ')
  mkdir "$work/$arch"
  (cd "$work/$arch" && cmake -E tar xf "$archive")
  machines=()
  for file in Veduvedad.er.dll veduvedad.exe; do
    machines+=("$(objdump -p "$work/$arch/$top/$file" | awk '
      /file format/ { format = $NF } /^Magic/ { magic = $3 }
      END { gsub(/[()]/, "", magic); print format, magic }')")
  done
  if [[ $files != "$expected_files " ]]; then
    fail "$arch: holds $files"
  elif [[ ${machines[0]} != "$format" || ${machines[1]} != "$format" ]]; then
    fail "$arch: DLL ${machines[0]}, program ${machines[1]}, not $format"
  else
    pass "$arch: $(basename "$archive") holds the DLL, the program, the header and the README; both $format"
  fi
done

if ((failures != 0)); then
  echo "$failures package check(s) failed"
  exit 1
fi
echo "All package checks passed"
