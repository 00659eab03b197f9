#!/usr/bin/env bash
# Builds Scrivlet (Release) and starts it: ./run.sh [file ...]
# Files are named as from the folder the script is started in.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build=$root/build/release

"$root/scripts/install-deps"
if [ ! -f "$build/build.ninja" ]; then
  echo "run.sh: the first build compiles the whole program: a few minutes on two cores" \
       "(later builds take seconds)." >&2
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCRIVLET_TESTS=OFF >/dev/null
cmake --build "$build" --target scrivlet rtfcat

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Scrivlet: no display to show a window on; run it under a virtual display: xvfb-run -a $0 $*" >&2
  exit 1
fi
exec "$build/bin/scrivlet" "$@"
