#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice: once in the plain
# build and once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

scripts/build.sh build
ctest --test-dir build --output-on-failure -j2

scripts/build.sh build-asan -DTESSAROO_SANITIZE=ON -DTESSAROO_BENCH=OFF
ctest --test-dir build-asan --output-on-failure -j2
