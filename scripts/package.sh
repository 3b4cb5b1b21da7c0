#!/usr/bin/env bash
# Builds the Debian package the way a packager would (Release, no tests) and
# prints its path. dpkg-dev finds the shared-library dependencies.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh dpkg-dev >&2
dir=build-package
# Debian's hardening flags, as a package build would set them.
if command -v dpkg-buildflags >/dev/null; then
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
    LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
    export CXXFLAGS LDFLAGS
fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr "$@" >/dev/null
rm -f "$dir"/zan1steuerung_*.deb
# Only the package's path goes to standard output; a failing step shows its log.
if ! cmake --build "$dir" -j "$(nproc)" >"$dir.log" 2>&1 ||
    ! (cd "$dir" && cpack -G DEB) >>"$dir.log" 2>&1; then
    cat "$dir.log" >&2
    exit 1
fi
ls "$PWD/$dir"/zan1steuerung_*.deb
