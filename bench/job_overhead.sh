#!/bin/sh
# Compresses a generated 30-second 640x360 clip through the program's job and through the same
# three tool runs done directly, several times each, and prints the job's time beyond its
# prescribed waits as a ratio to the direct runs (goal: under 1.03).
# Usage: bench/job_overhead.sh [BUILD_FOLDER] [RUNS]
set -eu
build=${1:-build}
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ffmpeg -v error -f lavfi -i testsrc=duration=30:size=640x360:rate=25 \
    -f lavfi -i sine=frequency=440:duration=30 -shortest \
    -c:v libx264 -preset ultrafast -c:a aac "$work/clip.mp4"
QT_QPA_PLATFORM=offscreen "$build/bench/JobBench" "$work/clip.mp4" "$runs"
