#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and runs the installed programs there as a
# normal user with a home folder of their own: `tessaroo --version`, `tessaroo-tree import
# outline`, and a `tessaroo-feed` into the installed `corvane-site`. Passes when the desktop
# entry and the metainfo validate, the man pages are there, nothing was written beside the
# installed programs, and the logs are in the user's state folder.
#   InstalledProgramsTest.sh CMAKE BUILD VERSION BINDIR DATADIR MANDIR
# (the last three as the build installs them, without DESTDIR)
set -euo pipefail
cmake=$1 build=$2 version=$3 bindir=$4 datadir=$5 mandir=$6

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

work=$(mktemp -d)
site_pid=""
cleanup() {
  [ -n "$site_pid" ] && kill "$site_pid" 2>/dev/null && wait "$site_pid" 2>/dev/null
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"

destdir=$work/destdir
DESTDIR=$destdir "$cmake" --install "$build" >/dev/null
installed=$destdir$bindir
for file in "$installed"/{tessaroo,tessaroo-feed,tessaroo-tree,corvane-site} \
    "$destdir$datadir"/applications/tessaroo.desktop \
    "$destdir$datadir"/metainfo/org.tessaroo.Tessaroo.metainfo.xml \
    "$destdir$datadir"/icons/hicolor/scalable/apps/tessaroo.svg \
    "$destdir$datadir"/icons/hicolor/{16x16,48x48,256x256}/apps/tessaroo.png \
    "$destdir$mandir"/man1/{tessaroo,tessaroo-feed,tessaroo-tree,corvane-site}.1.gz \
    "$destdir$datadir"/doc/tessaroo/{README.md,copyright,changelog.gz}; do
  [ -s "$file" ] || fail "not installed: ${file#"$destdir"}"
done
for page in "$destdir$mandir"/man1/*.1.gz; do
  zcat "$page" | grep -q '^\.TH ' || fail "not a man page: ${page#"$destdir"}"
done
desktop-file-validate "$destdir$datadir"/applications/tessaroo.desktop || fail "desktop entry"
appstreamcli validate --no-net "$destdir$datadir"/metainfo/org.tessaroo.Tessaroo.metainfo.xml || fail "metainfo"

# The programs run as a normal user: root could write beside them, where an installed
# program's user cannot. A user who owns the installed files is kept out by the rights.
home=$work/home run=$work/run temp=$work/temp runtime=$work/runtime state=$work/state
mkdir -p "$home" "$run" "$temp" "$runtime" "$state"
chmod 700 "$runtime"
chmod -R a-w "$destdir"
user_env=(env -u XDG_STATE_HOME -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$runtime" temp="$temp"
          TMPDIR="$temp" QT_QPA_PLATFORM=offscreen)
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$home" "$run" "$temp" "$runtime" "$state"
  drop_root=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
else
  drop_root=()
fi
# The leak checker of a sanitized build reads its suppressions as that user.
if [[ "${LSAN_OPTIONS:-}" =~ suppressions=([^:]*) ]] && [ -f "${BASH_REMATCH[1]}" ]; then
  cp "${BASH_REMATCH[1]}" "$work/lsan.supp"
  chmod 644 "$work/lsan.supp"
  export LSAN_OPTIONS=${LSAN_OPTIONS/${BASH_REMATCH[1]}/$work/lsan.supp}
fi
as_user() {
  (cd "$run" && "${drop_root[@]}" "${user_env[@]}" "$@")
}

before=$(find "$destdir" -printf '%p %s %T@\n' | sort)

[ "$(as_user "$installed/tessaroo" --version)" = "tessaroo $version" ] || fail "tessaroo --version"

printf 'Arts\n  Music\n    Jazz\nScience\n  @Sounds -> Top/Arts/Music\n' >"$work/outline.txt"
chmod 644 "$work/outline.txt"
as_user "$installed/tessaroo-tree" import outline "$work/outline.txt" -o tree.xml || fail "tessaroo-tree import outline"
[ -s "$run/tree.xml" ] || fail "tessaroo-tree wrote no tree.xml"

(cd "$run" && exec "${drop_root[@]}" "${user_env[@]}" "$installed/corvane-site" --port 0 --db site.db >site.out 2>&1) &
site_pid=$!
for _ in $(seq 100); do
  grep -q '^http://' "$run/site.out" 2>/dev/null && break
  sleep 0.1
done
address=$(head -n 1 "$run/site.out")
[[ "$address" =~ ^http://([^/]+)/ ]] || fail "corvane-site did not start: $(cat "$run/site.out")"
domain=${BASH_REMATCH[1]}
TESSAROO_PASSWORD=demo as_user "$installed/tessaroo-feed" --domain "$domain" --user admin --tree tree.xml \
  >"$work/feed.out" 2>&1 || fail "tessaroo-feed: $(cat "$work/feed.out")"
kill "$site_pid"
wait "$site_pid" || fail "corvane-site: $(cat "$run/site.out")"
site_pid=""

# With XDG_STATE_HOME the logs go there instead.
user_env+=(XDG_STATE_HOME="$state")
as_user "$installed/tessaroo-tree" stats tree.xml >/dev/null || fail "tessaroo-tree stats"

after=$(find "$destdir" -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] || fail "files written into the installation: $(diff <(echo "$before") <(echo "$after"))"
logs=$home/.local/state/tessaroo/logs
[ -s "$logs/xmlpersistance.log" ] || fail "no log in $logs: $(find "$home" "$temp")"
[ -s "$home/.local/state/tessaroo/http-${domain//:/-}.journal" ] || fail "no feed journal: $(find "$home")"
[ -s "$state/tessaroo/logs/xmlpersistance.log" ] || fail "no log under XDG_STATE_HOME: $(find "$state")"
[ -s "$temp/Brevin_Logger_Critical_tessaroo-tree.log" ] || fail "no critical log in the temporary folder"
ls "$temp"/Critical* >/dev/null 2>&1 && fail "a log could not be set up: $(ls "$temp")"
echo "The installed programs ran as user $(as_user id -un) and wrote only to $home, $state, $temp and $run."
