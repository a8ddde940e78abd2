#!/usr/bin/env bash
# Regenerates docs/window.png: the window with the example tree, on a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja
cmake --build build --target tessaroo_screenshot

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp demo/tree.xml "$work/tree.xml"
mkdir -p docs
picture=$(pwd)/docs/window.png
(cd "$work" && xvfb-run -a -s "-screen 0 1024x768x24" "$OLDPWD/build/app/tessaroo_screenshot" "$picture")
echo "Wrote $picture"
