#!/usr/bin/env bash
# The graph screen of the real program on a demo library, five times under a virtual X display:
# time from main() to the first painted graph with ten History runs, Refresh of twenty runs
# (re-read and re-plot, the replot and paint included) and resident memory with the twenty
# plotted, for the demo library's runs and for twenty long sweeps of 1000 and of 20,000 data lines
# each; then the first paint again with 50,000 files in the folder the browser opens at start-up.
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

# Twenty sweep files of LINES data lines in the make folder "Bench LINES lines", which the
# program's measurement plots on their own. They are laid out as the sweep window writes them,
# each run a little off the others.
long_runs() {
    local lines=$1 make="Bench $1 lines" run folder
    folder="$data/dynoruns/$make/Sweep/Bench/V1"
    mkdir -p "$folder"
    for run in $(seq -w 1 20); do
        # Line 2, the file's own place below the library root, keeps its backslashes out of awk's
        # escapes by coming through the environment.
        stored="$make\\Sweep\\Bench\\V1\\run$run.SWP" awk -v lines="$lines" -v run="$run" 'BEGIN {
            printf "QV512e Auto Sweep   12/9/2026 11:00:00 AM\r\n%s\r\n\r\n", ENVIRON["stored"]
            printf "Max BHP:  0.00  @  0 RPM.\r\nMax Ft/Lbs:  0.00  @  0 RPM.\r\n\r\nBench run\r\n \r\n"
            printf "Correction Factor Applied - 1.0300\r\nEng. Tachometer Ratio - 2.4500\r\n \r\n"
            printf "RPM\tMPH\tBHP\tFt/Lbs\tAcc \tD_Tq \tS_Tq \tAngO \t\r\n \r\n"
            for (i = 0; i < lines; i++) {
                rpm = 2000 + i * 10000 / lines + run
                power = 10 + i * 90 / lines + run * 0.5
                printf "%.0f\t%.1f\t%.1f\t%.1f\t%.2f\t%.3f\t%.3f\t0\t\r\n", rpm, rpm / 100, power,
                    power * 5252 / rpm, 1.2 + i / lines, 3.125 + i / lines, 12.5 + i / lines
            }
            printf "end.\r\n \r\n--Test Setup--\r\nMin Rpm:2000\r\nRedline:12000\r\nInertia:3.5000\r\n"
            printf "--Test Setup--\r\n\r\n\r\nTolvane Demo Motorcycles\r\n12 Rollers Lane\r\n"
        }' >"$folder/run$run.SWP"
    done
}
long_runs 1000
long_runs 20000

# Five starts of the program on the data directory, each printing its measurements into $1,
# with the launch time taken inside the display's session, just before the program starts.
measure() {
    local out=$1
    for _ in 1 2 3 4 5; do
        xvfb-run -a -s "-screen 0 1280x800x24" sh -c \
            'echo "launch clock: $(date +%s%3N)"; exec "$0" --data-dir "$1" --measure' \
            "$build/src/tolvane" "$data" 2>/dev/null >>"$out"
    done
    awk '/^launch clock/ { launch = $3 } /^first paint clock/ { print "from launch to first paint: " $4 - launch " ms" }' \
        "$out" >>"$out.launch"
    cat "$out.launch" >>"$out"
    rm -f "$out.launch"
}
median() { grep -F "$1" "$2" | grep -oE '[0-9]+(\.[0-9]+)? (ms|MB)$' | sort -n | sed -n 3p; }

runs=$(mktemp)
measure "$runs"
echo "first paint of the graph screen (10 History runs): median $(median 'first paint of' "$runs") after" \
    "main(), $(median 'from launch' "$runs") after the process was launched"
for group in library "Bench 1000 lines" "Bench 20000 lines"; do
    echo "Refresh of 20 runs ($group) including the replot: median $(median "runs ($group): median" "$runs")," \
        "resident memory with them plotted: median $(median "plotted ($group):" "$runs")"
done

# A shop's busy folder: 50,000 files beside the newest History file, whose folder the browser
# lists at start-up (the list shows names only, so they may be empty).
(cd "$data/dynoruns/Yamaha/R1/Jenkins" && seq -f "x%05g.STP" 1 50000 | xargs touch)
big=$(mktemp)
measure "$big"
echo "first paint with 50,000 files in the current folder: median $(median 'first paint of' "$big") after" \
    "main(), $(median 'from launch' "$big") after the process was launched"
rm -f "$big"
rm -f "$runs"
