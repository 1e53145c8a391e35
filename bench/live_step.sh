#!/usr/bin/env bash
# The live cost of a step test in the real program on the Demo Dyno, under a virtual X display:
# CPU per minute, tick duration (median, 99th percentile) and late ticks over SECONDS of real
# time (default 300).
#   bench/live_step.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$1
seconds=${2:-300}
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
xvfb-run -a -s "-screen 0 1280x800x24" "$build/bench/live_step_test" "$seconds" 2>/dev/null
