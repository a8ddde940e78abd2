#!/usr/bin/env bash
# Regenerates the README's pictures of the window, on a virtual X display:
#   docs/window.png          the window with the example tree (demo/tree.xml)
#   docs/window-find.png     the find field open on a small directory (demo/directory.txt)
#   docs/window-menu.png     the tree's context menu
#   docs/window-preview.png  the preview of a feed into the stand-in site, after the example
#                            tree was fed into it
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja
cmake --build build --target tessaroo_screenshot tessaroo-tree tessaroo-feed corvane-site

work=$(mktemp -d)
site_pid=""
trap '[ -n "$site_pid" ] && kill "$site_pid" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p docs "$work/example" "$work/directory"
docs=$(pwd)/docs
shot() { xvfb-run -a -s "-screen 0 1024x768x24" "$OLDPWD/build/app/tessaroo_screenshot" "$@"; }

cp demo/tree.xml "$work/example/tree.xml"
(cd "$work/example" && shot "$docs/window.png")

build/cli/tree/tessaroo-tree import outline demo/directory.txt -o "$work/directory/tree.xml"
(cd "$work/directory" && shot "$docs/window-find.png" find music && shot "$docs/window-menu.png" menu)

# The site prints its address first; the example tree goes in before the preview.
build/tools/corvane-site --port 0 --db "$work/site.db" --user admin --password demo >"$work/site.out" &
site_pid=$!
until [ -s "$work/site.out" ]; do sleep 0.1; done
domain=$(head -1 "$work/site.out" | sed -e 's|^http://||' -e 's|/$||')
export XDG_STATE_HOME="$work/state"
TESSAROO_PASSWORD=demo build/cli/feed/tessaroo-feed --domain "$domain" --user admin --tree demo/tree.xml >/dev/null
(cd "$work/directory" && shot "$docs/window-preview.png" preview "$domain" admin demo)
echo "Wrote docs/window.png, docs/window-find.png, docs/window-menu.png, docs/window-preview.png"
