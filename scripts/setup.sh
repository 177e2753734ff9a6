#!/usr/bin/env bash
# Installs the Debian packages Tovrane needs to build and run (when missing), then builds it.
# Usage: scripts/setup.sh BUILD_DIR [extra cmake options...]
set -euo pipefail

# The fonts: Liberation Sans stands in for the design's Arial with the same metrics, DejaVu for
# every other character; the tests measure text against these two only.
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libgtest-dev
          libbenchmark-dev ffmpeg fontconfig fonts-liberation2 fonts-dejavu-core)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing missing packages: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Installing packages needs root or sudo." >&2; exit 1; }
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
shift
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" --parallel
