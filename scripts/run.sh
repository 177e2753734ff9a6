#!/usr/bin/env bash
# Sets up, builds and starts Tovrane.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" "$root/build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Tovrane is built ($root/build/src/tovrane) but there is no display to show it on:" >&2
    echo "start it from a desktop session (DISPLAY or WAYLAND_DISPLAY must be set)." >&2
    exit 1
fi
exec "$root/build/src/tovrane"
