#!/bin/sh
# check-launcher.sh LAUNCHER: the window starts in
# ${XDG_CONFIG_HOME:-$HOME/.config}/zan1steuerung, made when missing, and never
# without a home. LAUNCHER runs pwd in place of the window.
set -eu
launcher=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

expect() {
    expected=$1
    shift
    got=$(env "$@" "$launcher")
    if [ "$got" != "$expected" ]; then
        echo "with $*: started in '$got', expected '$expected'"
        exit 1
    fi
}
expect "$tmp/config/zan1steuerung" HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config"
expect "$tmp/home/.config/zan1steuerung" HOME="$tmp/home" XDG_CONFIG_HOME=
# A relative XDG_CONFIG_HOME is invalid and ignored.
expect "$tmp/home/.config/zan1steuerung" HOME="$tmp/home" XDG_CONFIG_HOME=config
if env -u HOME XDG_CONFIG_HOME= "$launcher" >/dev/null 2>&1; then
    echo "started without a home"
    exit 1
fi
