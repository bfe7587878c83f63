#!/usr/bin/env bash
# readme_examples.sh README BUILD_DIR: runs the host's examples in README as printed, one after the
# other in a scratch directory where build/release is BUILD_DIR. Each must end with the exit status
# its comment names ("exit status N"; 0 otherwise) and show every output line printed below it
# ("..." stands for lines left out).
set -uo pipefail
readme=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/build"
ln -s "$(realpath "$2")" "$work/build/release"
cd "$work" || exit 1

failures=0
examples=0
command=
expected=()

check() {
  [[ -n $command ]] || return 0
  ((++examples))
  local want=0 output status line
  [[ $command =~ exit\ status\ ([0-9]+) ]] && want=${BASH_REMATCH[1]}
  output=$(bash -c "$command" 2>&1)
  status=$?
  if ((status != want)); then
    echo "FAILED (exit status $status, not $want): $command"
    printf '%s\n' "$output" | head -5
    ((++failures))
  fi
  for line in "${expected[@]}"; do
    [[ ${line// /} == ... ]] && continue
    if ! grep -Fxq -- "$line" <<<"$output"; then
      echo "FAILED (no line '$line'): $command"
      ((++failures))
    fi
  done
  command=
  expected=()
}

while IFS= read -r line; do
  if [[ $line == '    $ build/release/veduvedad'* ]]; then
    check
    command=${line#'    $ '}
  elif [[ -n $command && $line == '    '* ]]; then
    expected+=("${line#    }")
  else
    check
  fi
done <"$readme"
check

echo "$examples examples, $failures failures"
((examples > 0 && failures == 0))
