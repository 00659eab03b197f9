#!/usr/bin/env bash
# Fuzzes the RTF reader with libFuzzer, seeded with the shared RTF corpus.
#   bench/fuzz-rtf.sh [seconds]      (default 600)
# Inputs that crash or hang land in build/fuzz/crashes/; turn each into a
# regression test before fixing it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps --test
CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSCRIVLET_FUZZ=ON -DSCRIVLET_TESTS=OFF -DSCRIVLET_BENCH=OFF >/dev/null
cmake --build build/fuzz --target fuzz_rtf

mkdir -p build/fuzz/corpus build/fuzz/crashes
seeds=()
[ -d ../shared/corpus/rtf ] && seeds+=(../shared/corpus/rtf)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
build/fuzz/bin/fuzz_rtf -max_total_time="${1:-600}" -timeout=10 -rss_limit_mb=4096 \
  -max_len=262144 -artifact_prefix=build/fuzz/crashes/ build/fuzz/corpus "${seeds[@]}"
