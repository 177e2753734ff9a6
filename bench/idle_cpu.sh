#!/usr/bin/env bash
# CPU use of the idle program: the main window open, no run, for SECONDS (default 30).
# Runs under its own Xvfb display when Xvfb is installed, otherwise on Qt's offscreen platform.
# Usage: bench/idle_cpu.sh [PROGRAM] [SECONDS]   (PROGRAM defaults to build/src/tovrane)
set -euo pipefail

program="${1:-$(dirname "$0")/../build/src/tovrane}"
seconds="${2:-30}"
[ -x "$program" ] || { echo "No program at $program: build it first." >&2; exit 1; }

xvfb_pid=""
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if command -v Xvfb >/dev/null; then
    display=":$((100 + RANDOM % 400))"
    Xvfb "$display" -screen 0 1920x1080x24 >/dev/null 2>&1 &
    xvfb_pid=$!
    sleep 1
    export DISPLAY="$display"
    platform="xcb on Xvfb $display"
else
    export QT_QPA_PLATFORM=offscreen
    platform="offscreen"
fi

"$program" >/dev/null 2>&1 &
program_pid=$!
sleep 3 # let the start-up settle

# utime + stime in clock ticks: fields 14 and 15, counted after the command name's ")".
cpu_ticks() { sed 's/.*) //' "/proc/$program_pid/stat" | awk '{ print $12 + $13 }'; }

before=$(cpu_ticks)
sleep "$seconds"
after=$(cpu_ticks)
ticks_per_second=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$ticks_per_second" -v s="$seconds" -v p="$platform" \
    'BEGIN { printf "idle CPU over %d s (%s): %.2f %% of one core\n", s, p, 100 * t / hz / s }'
