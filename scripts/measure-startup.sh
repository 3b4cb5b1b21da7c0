#!/usr/bin/env bash
# Measures, under Xvfb, how long zan1steuerung takes from start to its shown
# main window, and its resident memory once idle. Prints one line per run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
command -v xdotool >/dev/null || apt-get install -y -qq xdotool >/dev/null
scripts/build.sh build
runs="${1:-5}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cat >"$work/measure.sh" <<SCRIPT
#!/usr/bin/env bash
cd "$work"
for i in \$(seq $runs); do
    start=\$(date +%s%N)
    "$PWD/build/app/zan1steuerung" &
    pid=\$!
    until xdotool search --onlyvisible --name '^ZAN-1B Steuerung\$' >/dev/null 2>&1; do
        sleep 0.01
    done
    shown=\$(date +%s%N)
    sleep 2
    rss=\$(awk '/VmRSS/ {print \$2}' /proc/\$pid/status)
    kill \$pid; wait \$pid 2>/dev/null || true
    echo "run \$i: window shown after \$(( (shown - start) / 1000000 )) ms, idle RSS \$(( rss / 1024 )) MB"
done
SCRIPT
chmod +x "$work/measure.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/measure.sh" 2>/dev/null
