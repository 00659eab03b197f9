#!/bin/sh
# Opens the same big text in the editor and in a peer (FeatherPad by
# default) under one virtual X display, and prints for each: seconds until
# the window is shown, the CPU seconds from then until the program is idle
# with Ctrl+End pressed at once (what the user waits for before the end of
# the text shows), and resident memory then.
#   xvfb-run -a bench/compare-peer.sh SCRIVLET_BINARY [MEGABYTES] [PEER]
# It needs xdotool (installed by scripts/install-deps --test) and the peer
# (apt-get install featherpad).
set -eu
scrivlet=$1
megabytes=${2:-20}
peer=${3:-featherpad}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# Russian and English words in lines of 1 to 24 words, in Windows-1251 for
# the editor and as UTF-8 for the peer.
python3 - "$work" "$megabytes" <<'PY'
import random, sys
words = "Привет world текст editor кодировка Scrivlet слово the Абв quick brown ёж fox Это".split()
rng, out, size = random.Random(1), [], 0
target = float(sys.argv[2]) * 1024 * 1024
while size < target:
    line = " ".join(rng.choice(words) for _ in range(rng.randint(1, 24))) + "\r\n"
    out.append(line)
    size += len(line.encode("cp1251"))
text = "".join(out)
open(sys.argv[1] + "/doc.txt", "wb").write(text.encode("cp1251"))
open(sys.argv[1] + "/doc-utf8.txt", "wb").write(text.encode("utf-8"))
PY

minus() { awk -v a="$1" -v b="$2" 'BEGIN { print a - b }'; }
cpu() { awk '{ print ($14 + $15) / 100 }' "/proc/$1/stat"; }
rss() { awk '/VmRSS/ { print $2 / 1024 }' "/proc/$1/status"; }
# Waits until the process has used no CPU for half a second.
idle() {
    last=-1
    while now=$(cpu "$1") && [ "$now" != "$last" ]; do
        last=$now
        sleep 0.5
    done
}

measure() {
    name=$1 file=$2
    shift 2
    start=$(date +%s.%N)
    "$@" "$file" >/dev/null 2>&1 &
    pid=$!
    window=$(xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | head -n 1)
    shown=$(date +%s.%N)
    before=$(cpu "$pid")
    xdotool key --window "$window" ctrl+End 2>/dev/null
    idle "$pid"
    after=$(cpu "$pid")
    printf '%-12s shown %.2f s  then ctrl+end busy %.2f s  rss %.0f MB\n' \
        "$name" "$(minus "$shown" "$start")" "$(minus "$after" "$before")" "$(rss "$pid")"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

measure scrivlet "$work/doc.txt" "$scrivlet"
measure "$peer" "$work/doc-utf8.txt" "$peer"
