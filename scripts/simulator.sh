# Sourced by the scripts that need a module: start_simulator DIR starts
# zan1sim --realtime with its pty linked at DIR/zan1sim.pty, maps COM 1 to it
# in DIR/zan1ports.ini and stops it when the script exits (running CLEANUP too).
start_simulator() {
    local dir="$1"
    build/sim/zan1sim --link "$dir/zan1sim.pty" --realtime >/dev/null &
    simulator=$!
    trap 'kill "$simulator" 2>/dev/null; wait "$simulator" 2>/dev/null; eval "${CLEANUP:-}"' EXIT
    for _ in $(seq 50); do [ -e "$dir/zan1sim.pty" ] && break; sleep 0.1; done
    printf '[Ports]\r\ncom1 = %s\r\n' "$dir/zan1sim.pty" >"$dir/zan1ports.ini"
}
