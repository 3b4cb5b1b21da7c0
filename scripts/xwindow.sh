# shellcheck shell=bash
# Sourced by the scripts that drive the real operator window under Xvfb with
# xdotool, as a user would, against zan1sim --realtime in a temporary working
# folder whose zan1ports.ini maps COM 1 to the simulator.
#
# Xvfb has no window manager: the main window sits at the screen's top left
# without a frame, so the main panel's coordinates (app/resource.cpp) are the
# window's. The menu bar covers the top 24 px of the panel.
#
# Sourcing it re-runs the calling script inside xvfb-run first (with the same
# arguments), so the rest of the script runs with the display set.
#
# restart_simulator FAULT   zan1sim anew, module 1 with FAULT (silent, ...; none)
# start_window          starts build/app/zan1steuerung and waits for its window
# click X Y             a left click at panel coordinates
# file_menu_item N      "Datei", then the Nth enabled item by keyboard
# acknowledge TITLE     Return in the dialog TITLE, waiting up to 10 s for it
# port_open             whether the window holds the simulator's terminal open
# wait_for SECONDS COMMAND...   until COMMAND succeeds; fails after SECONDS

if [ -z "${ZAN1_UNDER_XVFB:-}" ]; then
    ZAN1_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" \
        "$PWD/scripts/$(basename "$0")" "$@"
fi

root=$PWD
work=$(mktemp -d)
sim=
app=
origin_x=0
origin_y=0

stop() {  # stop PID: ends a process this script started and reaps it
    if [ -n "$1" ] && kill "$1" 2>/dev/null; then wait "$1" 2>/dev/null || true; fi
}
window_cleanup() {
    stop "$app"
    stop "$sim"
    rm -rf "$work"
}
trap window_cleanup EXIT
trap 'exit 130' INT TERM

wait_for() {
    local tenths=$(($1 * 10)) i
    shift
    for ((i = 0; i < tenths; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

restart_simulator() {
    stop "$sim"
    rm -f "$work/zan1sim.pty"
    local fault=()
    [ "$1" = none ] || fault=(--fault "1:$1")
    "$root/build/sim/zan1sim" --link "$work/zan1sim.pty" --realtime "${fault[@]}" >/dev/null &
    sim=$!
    wait_for 5 test -e "$work/zan1sim.pty" || { echo "zan1sim did not start" >&2; exit 1; }
    printf '[Ports]\r\ncom1 = %s\r\n' "$work/zan1sim.pty" >"$work/zan1ports.ini"
}

visible_window() {  # visible_window TITLE: prints the id of the visible window TITLE
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 | grep .
}

start_window() {
    (cd "$work" && exec "$root/build/app/zan1steuerung") >"$work/window.log" 2>&1 &
    app=$!
    wait_for 30 visible_window "ZAN-1B Steuerung" >/dev/null ||
        { echo "the main window did not appear" >&2; exit 1; }
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$(visible_window "ZAN-1B Steuerung")" |
        grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    # The clicks below assume the panel's size and layout.
    if [ "$WIDTH" != 856 ] || [ "$HEIGHT" != 624 ]; then
        echo "main window is ${WIDTH}x$HEIGHT, not 856x624: check the coordinates" >&2
        exit 1
    fi
    origin_x=$X
    origin_y=$Y
    sleep 1
}

# No --sync: xdotool can wait for ever when the pointer is already there, and
# the server keeps the move and the click in order anyway.
click() {
    xdotool mousemove $((origin_x + $1)) $((origin_y + $2)) click 1
}

app_windows() { xdotool search --onlyvisible --pid "$app" 2>/dev/null | wc -l; }
more_windows_than() { [ "$(app_windows)" -gt "$1" ]; }
window_gone() { ! visible_window "$1" >/dev/null; }

file_menu_item() {
    local before
    before=$(app_windows)
    click 22 10
    # Keys sent before the menu shows would go to the main window.
    wait_for 5 more_windows_than "$before" || { echo "the menu did not open" >&2; exit 1; }
    local keys=() i
    for ((i = 0; i < $1; i++)); do keys+=(Down); done
    xdotool key "${keys[@]}" Return
}

acknowledge() {
    wait_for 10 visible_window "$1" >/dev/null || return 1
    xdotool windowfocus --sync "$(visible_window "$1")" key Return
    wait_for 5 window_gone "$1"
}

port_open() {
    local pts
    pts=$(readlink -f "$work/zan1sim.pty")
    for fd in /proc/"$app"/fd/*; do
        [ "$(readlink "$fd" 2>/dev/null)" = "$pts" ] && return 0
    done
    return 1
}

port_closed() { ! port_open; }
