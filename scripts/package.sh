#!/usr/bin/env bash
# Builds the Debian package the way a packager would (Release, no tests) and
# prints its path. Needs dpkg-dev for the shared-library dependencies.
set -euo pipefail
cd "$(dirname "$0")/.."
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
cmake --build "$dir" -j "$(nproc)" >/dev/null
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$PWD/$dir"/zan1steuerung_*.deb
