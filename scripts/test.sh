#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite headless.
# Usage: scripts/test.sh [BUILD_DIR [extra cmake options...]]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
shift || true
"$root/scripts/setup.sh" "$build" "$@"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
