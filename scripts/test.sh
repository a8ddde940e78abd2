#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice: once in the plain
# build and once under AddressSanitizer and UndefinedBehaviorSanitizer. A third build, with
# Clang, catches code that only GCC accepts and holds the fuzz targets, which then run for
# 20 seconds each; a finding fails the command. Warnings are errors in all of them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

scripts/build.sh build -DTESSAROO_WERROR=ON
ctest --test-dir build --output-on-failure -j2

scripts/build.sh build-asan -DTESSAROO_WERROR=ON -DTESSAROO_SANITIZE=ON -DTESSAROO_BENCH=OFF
ctest --test-dir build-asan --output-on-failure -j2

scripts/fuzz.sh all 20
