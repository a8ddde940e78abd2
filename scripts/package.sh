#!/usr/bin/env bash
# Builds the Debian package build-package/tessaroo_<version>_amd64.deb and checks it with
# lintian:
#   scripts/package.sh [cmake options...]
# The package is what `cmake --install` puts under /usr, made by CPack's DEB generator, with
# the dependencies that dpkg-shlibdeps finds in the programs. They are built with Debian's
# own compiler and linker flags (the hardening ones included) and stripped.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --packaging

dir=build-package
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr -DTESSAROO_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS=$CXXFLAGS $CPPFLAGS" "-DCMAKE_EXE_LINKER_FLAGS=$LDFLAGS" "$@" \
  -- tessaroo tessaroo-feed tessaroo-tree corvane-site tessaroo_install_files

rm -f "$dir"/tessaroo_*.deb
(cd "$dir" && cpack -G DEB)
package=$(ls "$dir"/tessaroo_*.deb)
lintian --fail-on error --display-info "$package"
echo "Built $package"
