#!/usr/bin/env bash
# Configures and builds one build tree:
#   scripts/build.sh <dir> [cmake options...] [-- targets...]
# The first call configures the tree; later calls pass their options again (cheap when
# nothing changed) so that a tree configured earlier picks up the options of today.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
[ $# -gt 0 ] && shift
targets=()
for t in "$@"; do targets+=(--target "$t"); done

if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja "${options[@]}"
elif [ ${#options[@]} -gt 0 ]; then
  cmake -S . -B "$dir" "${options[@]}" >/dev/null
fi
cmake --build "$dir" "${targets[@]}"
