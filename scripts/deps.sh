#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, if missing,
# and any further packages named as arguments.
set -euo pipefail

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

packages=(g++ cmake ninja-build libgtest-dev libbenchmark-dev python3 clang-format locales qt6-base-dev qt6-l10n-tools qt6-translations-l10n xvfb xauth clang libclang-rt-14-dev man-db ser2net libmosquitto-dev mosquitto mosquitto-clients "$@")
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} > 0)); then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A German locale, so the tests can show that numbers never take a decimal comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
