#!/usr/bin/env bash
# Builds and runs every benchmark: each program built from bench/ and each bench/*.sh script
# (given the build folder), one after the other, unattended, printing their figures.
# With --brief each runs once on a small load (TOVRANE_BENCH_BRIEF=1) under a time limit: a
# check that every benchmark still runs to its end. Fails when any benchmark fails or overruns.
# Usage: scripts/bench.sh [--brief] [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
limit=1800
if [ "${1:-}" = --brief ]; then
    export TOVRANE_BENCH_BRIEF=1
    limit=300
    shift
fi
build="${1:-$root/build}"
"$root/scripts/setup.sh" "$build" >/dev/null
build="$(cd "$build" && pwd)"
[ -d "$build/bench" ] || { echo "No benchmarks in $build: built with TOVRANE_BENCH=OFF?" >&2; exit 1; }

benchmarks=()
while IFS= read -r program; do benchmarks+=("$program"); done < <(
    find "$build/bench" -maxdepth 1 -type f -perm -u+x | sort)
for script in "$root"/bench/*.sh; do benchmarks+=("$script"); done

failed=()
for benchmark in "${benchmarks[@]}"; do
    name="$(basename "$benchmark")"
    echo "== $name"
    arguments=()
    [[ "$benchmark" == *.sh ]] && arguments=("$build")
    status=0
    timeout --kill-after=10 "$limit" "$benchmark" "${arguments[@]}" || status=$?
    if ((status == 124 || status == 137)); then
        echo "$name did not finish within $limit s" >&2
        failed+=("$name")
    elif ((status != 0)); then
        echo "$name failed (exit status $status)" >&2
        failed+=("$name")
    fi
done

if ((${#failed[@]})); then
    echo "Benchmarks that failed: ${failed[*]}" >&2
    exit 1
fi
echo "All ${#benchmarks[@]} benchmarks ran to their end."
