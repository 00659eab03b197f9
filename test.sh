#!/usr/bin/env bash
# Builds Scrivlet (Debug, warnings as errors, address and undefined-behaviour
# sanitizers) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps --test
cmake -S . -B build/debug -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DSCRIVLET_SANITIZE=ON -DSCRIVLET_WERROR=ON >/dev/null
cmake --build build/debug
ctest --test-dir build/debug --output-on-failure -j2 "$@"
