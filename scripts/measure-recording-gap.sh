#!/usr/bin/env bash
# scripts/measure-recording-gap.sh [MINUTES] (default 10): under Xvfb, the
# window connected to zan1sim --realtime records both actual values into a CSV
# file ("Datei" -> "Messwerte aufzeichnen..."); halfway through, the file dialog
# of "Datei" -> "Parametersatz laden" stays open for 10 s and is cancelled
# (Escape); at the end the same menu item ("Aufzeichnung beenden") stops the
# recording. Prints the rows, the largest gap between consecutive t_s values
# and where it was. RECORDING_KEEP=FILE keeps the CSV file.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${ZAN1_UNDER_XVFB:-}" ]; then
    scripts/deps.sh xdotool
    scripts/build.sh build >/dev/null
fi
source scripts/xwindow.sh

minutes=${1:-10}
seconds=$(awk -v m="$minutes" 'BEGIN {print int(m * 60 + 0.5)}')
[ "$seconds" -ge 30 ] || { echo "at least half a minute" >&2; exit 2; }
hold=10
csv=$work/werte.csv
verbinden=(796 326)
# Items of "Datei" reached with Down: 1 "Parametersatz laden", 3 the recording.
laden=1
messwerte=3

rows() { [ -f "$csv" ] && wc -l <"$csv" || echo 0; }
rows_above() { [ "$(rows)" -gt "$1" ]; }
# The file is written every 500 ms while recording: no growth in 1.5 s means stopped.
stopped() {
    local before
    before=$(rows)
    sleep 1.5
    [ "$(rows)" -eq "$before" ]
}

restart_simulator none
start_window
click "${verbinden[@]}"
acknowledge Info || echo "note: no \"Info\" warning appeared" >&2
wait_for 10 port_open || { echo "did not connect" >&2; exit 1; }

file_menu_item $messwerte
wait_for 10 visible_window "Messwerte aufzeichnen" >/dev/null ||
    { echo "no file dialog for the recording" >&2; exit 1; }
xdotool windowfocus --sync "$(visible_window "Messwerte aufzeichnen")"
xdotool type --delay 5 "$csv"
xdotool key Return
wait_for 10 rows_above 2 || { echo "the recording did not start" >&2; exit 1; }
start=$SECONDS
echo "recording $seconds s; load $(cut -d' ' -f1-3 /proc/loadavg)"

sleep $((seconds / 2 - (SECONDS - start)))
file_menu_item $laden
wait_for 10 visible_window "Laden" >/dev/null || { echo "no file dialog to load" >&2; exit 1; }
opened=$((SECONDS - start))
sleep $hold
xdotool windowfocus --sync "$(visible_window "Laden")" key Escape
wait_for 10 window_gone "Laden" || { echo "the dialog did not close" >&2; exit 1; }
echo "dialog held open from $opened s for $hold s; load $(cut -d' ' -f1-3 /proc/loadavg)"

remaining=$((seconds - (SECONDS - start)))
[ $remaining -gt 0 ] && sleep $remaining
file_menu_item $messwerte
wait_for 20 stopped || { echo "the recording did not stop" >&2; exit 1; }
if [ -n "${RECORDING_KEEP:-}" ]; then cp "$csv" "$RECORDING_KEEP"; fi

awk -F, -v load="$(cut -d' ' -f1-3 /proc/loadavg)" '
    NR == 1 {next}
    NR > 2 && $2 - t > gap {gap = $2 - t; from = t; to = $2; row = NR - 1}
    {t = $2; n++}
    END {
        printf "rows %d over %.1f s (%.1f per second)\n", n, t, n / t
        printf "largest gap %.3f s, from t_s %.3f to %.3f (data row %d); load %s\n",
            gap, from, to, row, load
    }' "$csv"
