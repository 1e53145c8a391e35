#!/usr/bin/env bash
# The graph screen of the real program on a demo library, five times under a virtual X display:
# time from main() to the first painted graph with ten History runs, Refresh of twenty runs
# (re-read and re-plot, the replot included) and resident memory with the twenty plotted.
# Prints the median of each.
#   bench/graph_screen.sh BUILD_DIR
set -euo pipefail
build=$1
tool="$build/src/tolvane-tool"
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
scripts/seed-demo "$tool" "$data" >/dev/null 2>&1
ini="$data/ZezeDur_USB.Ini"
# Ten History entries (a file may stand twice), all opened at start-up.
for n in 9 10; do
    "$tool" config set "$ini" History "History $n" '\Yamaha\R1\Jenkins\02dyno.SWP' >/dev/null
done
"$tool" config set "$ini" History File_Index 10 --type int >/dev/null

runs=$(mktemp)
for _ in 1 2 3 4 5; do
    # The launch time is taken inside the display's session, just before the program starts.
    xvfb-run -a -s "-screen 0 1280x800x24" sh -c \
        'echo "launch clock: $(date +%s%3N)"; exec "$0" --data-dir "$1" --measure' \
        "$build/src/tolvane" "$data" 2>/dev/null >>"$runs"
done
awk '/^launch clock/ { launch = $3 } /^first paint clock/ { print "from launch to first paint: " $4 - launch " ms" }' \
    "$runs" >>"$runs.launch"
cat "$runs.launch" >>"$runs"
rm -f "$runs.launch"
median() { grep "$1" "$runs" | grep -oE '[0-9]+(\.[0-9]+)? (ms|MB)' | sort -n | sed -n 3p; }
echo "first paint of the graph screen (10 History runs): median $(median 'first paint of') after main()," \
    "$(median 'from launch') after the process was launched"
echo "Refresh of 20 runs including the replot: median $(median 'Refresh')"
echo "resident memory with 20 runs plotted: median $(median 'resident')"
rm -f "$runs"
