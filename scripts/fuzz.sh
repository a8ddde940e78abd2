#!/usr/bin/env bash
# Builds and runs a fuzz target for a number of seconds:
#   scripts/fuzz.sh TARGET SECONDS    e.g. scripts/fuzz.sh response-reader 300
#   scripts/fuzz.sh all SECONDS       builds the whole Clang tree and runs every target
# The targets are built in build-clang, where everything is compiled with Clang under
# AddressSanitizer and UndefinedBehaviorSanitizer (see TESSAROO_FUZZ in CMakeLists.txt).
#
# A target starts from its seeds in fuzz/corpus/TARGET/ and keeps the inputs it finds new
# in build-clang/fuzz/corpus/TARGET/, so the seeds in the repository never change and
# later runs go on from where earlier ones stopped. A finding (a crash, a sanitizer
# report, a leak, a broken property, an input that runs longer than 10 seconds) ends the
# script with an error; its input is kept in build-clang/fuzz/findings/TARGET/. Replay it
# with `build-clang/fuzz/fuzz-TARGET FILE`, make it a regression test of the module, and
# add the input to fuzz/corpus/TARGET/.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(response-reader cookie-store url-resolution tree-xml-reader page-lookups)
usage="usage: scripts/fuzz.sh TARGET|all SECONDS, with TARGET one of: ${targets[*]}"
if [ $# -ne 2 ] || ! [[ $2 =~ ^[0-9]+$ ]]; then
  echo "$usage" >&2
  exit 2
fi
if [ "$1" = all ]; then
  chosen=("${targets[@]}")
  build_targets=()
elif [[ " ${targets[*]} " == *" $1 "* ]]; then
  chosen=("$1")
  build_targets=("fuzz-$1")
else
  echo "$usage" >&2
  exit 2
fi
seconds=$2
build=build-clang

scripts/install-deps.sh
scripts/build.sh "$build" -DTESSAROO_WERROR=ON -DTESSAROO_BENCH=OFF -DTESSAROO_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -- "${build_targets[@]}"

export UBSAN_OPTIONS=print_stacktrace=1
status=0
for target in "${chosen[@]}"; do
  work=$PWD/$build/fuzz
  mkdir -p "$work/corpus/$target" "$work/findings/$target"
  log=$work/$target.log
  echo "Fuzzing $target for $seconds s (log: $log)"
  if "$work/fuzz-$target" "$work/corpus/$target" "$PWD/fuzz/corpus/$target" \
      -dict="$PWD/fuzz/dictionaries/$target.dict" -max_total_time="$seconds" -timeout=10 \
      -artifact_prefix="$work/findings/$target/" -print_final_stats=1 >"$log" 2>&1; then
    grep -E '^Done [0-9]+ runs' "$log" || true
  else
    tail -n 60 "$log"
    echo "FINDING in $target: its input is in $work/findings/$target/"
    status=1
  fi
done
exit $status
