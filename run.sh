#!/usr/bin/env bash
# Builds Scrivlet (Release) and starts it: ./run.sh [file]
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCRIVLET_TESTS=OFF >/dev/null
cmake --build build/release

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Scrivlet: no display to show a window on; run it under a virtual display: xvfb-run -a ./run.sh $*" >&2
  exit 1
fi
exec build/release/bin/scrivlet "$@"
