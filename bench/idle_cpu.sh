#!/usr/bin/env bash
# CPU use of the idle program: the main window open, no run, for SECONDS (default 30; 2 in a
# brief run, TOVRANE_BENCH_BRIEF=1). Goal: under 2 % of one core.
# Runs under its own Xvfb display when Xvfb is installed (a free one, or TOVRANE_BENCH_DISPLAY
# such as :91), otherwise on Qt's offscreen platform.
# Usage: bench/idle_cpu.sh [BUILD_FOLDER] [SECONDS]   (BUILD_FOLDER defaults to build)
set -euo pipefail

program="${1:-build}/src/tovrane"
default_seconds=30
[ "${TOVRANE_BENCH_BRIEF:-}" = 1 ] && default_seconds=2
seconds="${2:-$default_seconds}"
[ -x "$program" ] || { echo "No program at $program: build it first." >&2; exit 1; }

xvfb_pid=""
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 143' TERM INT
# Sleeps so that a signal ends the script at once (and the cleanup runs).
pause() { sleep "$1" & wait $!; }

if command -v Xvfb >/dev/null; then
    # Xvfb writes its display number to the file once it is ready.
    display_file=$(mktemp)
    Xvfb ${TOVRANE_BENCH_DISPLAY:-} -displayfd 3 -screen 0 1920x1080x24 3>"$display_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    display=":$(cat "$display_file")"
    rm -f "$display_file"
    [ "$display" != ":" ] || { echo "Xvfb did not start." >&2; exit 1; }
    export DISPLAY="$display"
    export QT_QPA_PLATFORM=xcb
    platform="xcb on Xvfb $display"
else
    export QT_QPA_PLATFORM=offscreen
    platform="offscreen"
fi

"$program" >/dev/null 2>&1 &
program_pid=$!
pause 3 # let the start-up settle

# utime + stime in clock ticks: fields 14 and 15, counted after the command name's ")".
cpu_ticks() { sed 's/.*) //' "/proc/$program_pid/stat" | awk '{ print $12 + $13 }'; }

before=$(cpu_ticks)
pause "$seconds"
after=$(cpu_ticks)
ticks_per_second=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$ticks_per_second" -v s="$seconds" -v p="$platform" \
    'BEGIN { printf "idle CPU over %d s (%s): %.2f %% of one core\n", s, p, 100 * t / hz / s }'
