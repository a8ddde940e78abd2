#!/usr/bin/env bash
# Installs the Debian packages Tessaroo needs to build, test and run; does nothing
# when they are all present, so it is cheap to call before every build.
#   scripts/install-deps.sh               what the build and the tests need
#   scripts/install-deps.sh --packaging   and what scripts/package.sh needs besides
set -euo pipefail

packages=(
  cmake ninja-build g++ clang pkg-config
  # libFuzzer and the sanitizer runtimes of clang, which only recommends them, and
  # llvm-symbolizer for the stack traces of a finding
  libclang-rt-14-dev llvm
  # the layout tool that .clang-format is written for
  clang-format
  qt6-base-dev libgl-dev
  libpugixml-dev
  libcpp-httplib-dev libsqlite3-dev libssl-dev libpsl-dev publicsuffix
  libcli11-dev libexpat1-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libcurl4-openssl-dev
  xvfb xauth
  # the man pages, the icon's PNG sizes, and the checks of the desktop entry and the
  # AppStream metainfo that the installed test makes
  help2man librsvg2-bin desktop-file-utils appstream
)
if [ "${1:-}" = --packaging ]; then
  # dpkg-shlibdeps (and file, with which CPack finds the executables) for the package's
  # dependencies; lintian to check the package
  packages+=(dpkg-dev file lintian)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
