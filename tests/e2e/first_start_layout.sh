#!/usr/bin/env bash
# A first start without a saved layout, as an operator meets it: under a virtual X display of
# 1280 x 800 and of 1920 x 1080, with no window manager and with a light one (openbox), the graph
# screen must fill the screen with its three windows laid out, not open small with collapsed
# windows.
#   first_start_layout.sh PROGRAM TOOL
set -euo pipefail
program=$1
tool=$2
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (scripts/install-deps)"; exit 1; }
command -v openbox >/dev/null || { echo "openbox is missing (scripts/install-deps)"; exit 1; }
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

for size in 1280x800 1920x1080; do
    for manager in none openbox; do
        data="$work/$size-$manager"
        mkdir -p "$data"
        # The company is known, so no question stops the start; nothing else is set.
        "$tool" config set "$data/ZezeDur_USB.Ini" About "Company Name" "Speed Shop" >/dev/null
        "$tool" config set "$data/ZezeDur_USB.Ini" About "Company Addr" "Leeds" >/dev/null
        report=$(xvfb-run -a -s "-screen 0 ${size}x24" sh -c '
            if [ "$0" = openbox ]; then openbox >/dev/null 2>&1 & sleep 1; fi
            exec "$1" --data-dir "$2" --layout' "$manager" "$program" "$data" 2>/dev/null)
        echo "== $size, window manager: $manager"
        echo "$report"
        echo "$report" | awk -v where="$size/$manager" '
            { r[$1 "x"] = $2; r[$1 "y"] = $3; r[$1 "w"] = $4; r[$1 "h"] = $5 }
            function fail(why) { print "FAIL " where ": " why; bad = 1 }
            END {
                if (r["mainw"] < 0.95 * r["screenw"] || r["mainh"] < 0.95 * r["screenh"])
                    fail("the main window does not fill the screen")
                if (r["browserh"] < 150 || r["browserw"] < 0.4 * r["clientw"])
                    fail("the browser is collapsed")
                if (r["graphh"] < 0.5 * r["clienth"] || r["graphw"] < 0.4 * r["clientw"])
                    fail("the graph window is too small")
                if (r["viewerw"] < 0.3 * r["clientw"] || r["viewerh"] < 0.8 * r["clienth"])
                    fail("the run viewer is too small")
                if (r["viewerx"] + r["viewerw"] > r["clientw"] || r["graphy"] + r["graphh"] > r["clienth"])
                    fail("a window reaches out of the main window")
                exit bad
            }' || failed=1
    done
done
exit $failed
