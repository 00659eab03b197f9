#!/bin/sh
# Measures the editor beside KWrite and FeatherPad as a user meets them, from
# outside the programs, on the same generated files under one virtual X
# display, and prints a table of medians:
#
#   xvfb-run -a -s '-screen 0 1280x1024x24' bench/compare-peer.sh BUILD [RUNS] [ONLY]
#
# BUILD is a build folder (a Release build: cmake -DCMAKE_BUILD_TYPE=Release);
# its bin/scrivlet is measured and its bin/xprobe does the watching: the
# program's window is found by its process id, the window is pinged
# (_NET_WM_PING) every few milliseconds to find the longest time it does not
# answer (a freeze), keys are typed through XTEST, and the program counts as
# ready when its threads stop running. CPU is the program's own, from
# /proc, from its start. RUNS (default 3) runs of every case go in turns, the
# programs in a different order each time. ONLY names the programs to measure
# (default "scrivlet kwrite featherpad"); a peer that is not installed is left
# out. The peers come from Debian:
#
#   apt-get install kwrite featherpad dbus-daemon
#
# (FeatherPad opens a second file in its running window over D-Bus.) The
# cases: a 20 MB Russian and English text (opening it, Ctrl+End, select all
# and copy until another program has the text), the whole-text commands on
# it (our Convert 1251->866 and EngToLower, the peers' lower case of all
# text, and Undo), Replace All over 50 MB with its Undo, switching between
# two open 50 MB texts, and a 50 MB text that is one line. The editor reads
# the files in Windows-1251, the peers in UTF-8.
set -eu
build=$(cd "$1" && pwd)
runs=${2:-3}
only=${3:-scrivlet kwrite featherpad}
probe=$build/bin/xprobe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# Lines of 1 to 24 Russian and English words; the one-line file has spaces
# where the lines end.
python3 - "$work" <<'PY'
import random, sys
words = "Привет world текст editor кодировка Scrivlet слово the Абв quick brown ёж fox Это".split()
def text(megabytes, seed):
    rng, out, size = random.Random(seed), [], 0
    while size < megabytes * 1024 * 1024:
        line = " ".join(rng.choice(words) for _ in range(rng.randint(1, 24))) + "\r\n"
        out.append(line)
        size += len(line.encode("cp1251"))
    return "".join(out)
def save(name, content):
    for suffix, encoding in (("", "cp1251"), ("-utf8", "utf-8")):
        open(f"{sys.argv[1]}/{name}{suffix}.txt", "wb").write(content.encode(encoding))
save("doc20", text(20, 1))
big = text(50, 2)
save("big50", big)
save("other50", text(50, 3))
save("line50", big.replace("\r\n", " "))
PY

results=$work/results
: >"$results"

# file NAME PROGRAM: the file the program reads.
file() {
    if [ "$2" = scrivlet ]; then echo "$work/$1.txt"; else echo "$work/$1-utf8.txt"; fi
}
command_of() {
    if [ "$1" = scrivlet ]; then echo "$build/bin/scrivlet"; else echo "$1"; fi
}

# run CASE PROGRAM FILE STEP...: starts the program on the file, probes it
# and records each line the probe prints as "CASE PROGRAM STEP FIELD VALUE".
run() {
    case_=$1 program=$2 path=$3
    shift 3
    start=$(date +%s%N)
    $launcher "$(command_of "$program")" "$path" >/dev/null 2>&1 &
    pid=$!
    probe_steps "$case_" "$program" "$pid" "$start" open "$@"
    stop "$pid"
}

# probe_steps CASE PROGRAM PID START STEP...
probe_steps() {
    case_=$1 program=$2 pid=$3 start=$4
    shift 4
    "$probe" "$pid" "$start" "$@" | awk -v c="$case_" -v p="$program" '
        $1 == "error" { print c, p, "error", "-", $2; next }
        { for (i = 2; i <= NF; i++) { split($i, kv, "="); print c, p, $1, kv[1], kv[2] } }
    ' >>"$results" || true
}

stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
    [ -z "${bus_pid:-}" ] || { kill "$bus_pid" 2>/dev/null || true; bus_pid=; }
}

# Keys per program: the editor's menus, KWrite's and FeatherPad's short-cuts.
# Our Find and Replace dialog: the two boxes, then Replace All is the
# tenth stop of Tab.
replace_all() {
    case $1 in
    scrivlet) echo "keys:ctrl+f wait:300 type:fox keys:Tab type:wolf keys:Tab,Tab,Tab,Tab,Tab,Tab,Tab,Tab,Tab,Tab keys:space keys:Escape keys:ctrl+z" ;;
    kwrite) echo "keys:ctrl+r wait:300 type:fox keys:Tab type:wolf keys:alt+a keys:Escape keys:ctrl+z" ;;
    featherpad) echo "keys:ctrl+r wait:300 type:fox keys:Tab type:wolf keys:F10 keys:Escape keys:ctrl+z" ;;
    esac
}
whole_text() {
    case $1 in
    scrivlet) echo "keys:alt+c,Down,Return keys:ctrl+z keys:alt+c,Right,Return keys:ctrl+z" ;;
    kwrite) echo "keys:ctrl+a keys:ctrl+shift+u keys:ctrl+z" ;;
    featherpad) echo "keys:ctrl+a keys:ctrl+shift+l keys:ctrl+z" ;;
    esac
}

# Two 50 MB files in one window, then Ctrl+Tab there and back.
switching() {
    program=$1
    [ "$program" != kwrite ] || return 0 # one document per window
    start=$(date +%s%N)
    if [ "$program" = featherpad ]; then
        bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || return 0
        DBUS_SESSION_BUS_ADDRESS=$(echo "$bus" | sed -n 1p)
        export DBUS_SESSION_BUS_ADDRESS
        bus_pid=$(echo "$bus" | sed -n 2p)
    fi
    "$(command_of "$program")" "$(file big50 "$program")" >/dev/null 2>&1 &
    pid=$!
    probe_steps switch "$program" "$pid" "$start" open
    "$(command_of "$program")" "$(file other50 "$program")" >/dev/null 2>&1 &
    second=$!
    [ "$program" = featherpad ] || wait "$second" 2>/dev/null || true
    probe_steps switch "$program" "$pid" "$start" attach idle keys:ctrl+Tab keys:ctrl+Tab
    kill "$second" 2>/dev/null || true
    stop "$pid"
    unset DBUS_SESSION_BUS_ADDRESS
}

launcher=nice
programs=
for p in $only; do
    if [ "$p" = scrivlet ] || command -v "$p" >/dev/null; then
        programs="$programs $p"
    else
        echo "compare-peer: $p is not installed, left out" >&2
    fi
done

i=0
while [ "$i" -lt "$runs" ]; do
    i=$((i + 1))
    # A different program goes first each run.
    order=$(echo $programs | awk -v r="$i" '{ for (k = 0; k < NF; k++) printf "%s ", $((k + r) % NF + 1) }')
    for program in $order; do
        run open "$program" "$(file doc20 "$program")" rss keys:ctrl+End keys:ctrl+a,ctrl+c clipboard
        # shellcheck disable=SC2046
        run whole "$program" "$(file doc20 "$program")" $(whole_text "$program")
        # shellcheck disable=SC2046
        run replace "$program" "$(file big50 "$program")" $(replace_all "$program")
        switching "$program"
        run line "$program" "$(file line50 "$program")" rss keys:ctrl+End type:x
    done
    echo "compare-peer: run $i of $runs done" >&2
done

python3 - "$results" $programs <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
programs = sys.argv[2:]
def values(case, program, step, field):
    return [float(r[4]) for r in rows
            if r[0] == case and r[1] == program and r[2] == step and r[3] == field]
def cell(case, program, step, field, scale):
    v = values(case, program, step, field)
    errors = [r[4] for r in rows if r[0] == case and r[1] == program and r[2] == "error"]
    if not v:
        return "failed: " + errors[0] if errors else "-"
    return f"{statistics.median(v) * scale:.2f}"
# Each program's step for a measure; None where the program has no such command.
def ours(step, theirs=None, featherpad=None):
    return {"scrivlet": step, "kwrite": theirs, "featherpad": featherpad if featherpad else theirs}
def same(step):
    return ours(step, step)
table = [
    ("20 MB text", None, None, None, None),
    ("open: until ready, s", "open", same("open"), "ready_ms", 0.001),
    ("open: window shown, s", "open", same("open"), "window_ms", 0.001),
    ("open: longest freeze, s", "open", same("open"), "freeze_ms", 0.001),
    ("open: CPU until idle, s", "open", same("open"), "cpu_s", 1),
    ("resident memory after open, MB", "open", same("rss"), "mb", 1),
    ("Ctrl+End, s", "open", same("keys:ctrl+End"), "busy_ms", 0.001),
    ("select all + copy: busy, s", "open", same("keys:ctrl+a,ctrl+c"), "busy_ms", 0.001),
    ("select all + copy: longest freeze, s", "open", same("keys:ctrl+a,ctrl+c"), "freeze_ms", 0.001),
    ("then another program has the text, s", "open", same("clipboard"), "ms", 0.001),
    ("whole-text commands, 20 MB", None, None, None, None),
    ("Convert 1251->866: busy, s", "whole", ours("keys:alt+c,Down,Return"), "busy_ms", 0.001),
    ("Convert 1251->866: longest freeze, s", "whole", ours("keys:alt+c,Down,Return"), "freeze_ms", 0.001),
    ("Undo of either: busy, s", "whole", same("keys:ctrl+z"), "busy_ms", 0.001),
    ("lower case (EngToLower): busy, s", "whole", ours("keys:alt+c,Right,Return", "keys:ctrl+shift+u", "keys:ctrl+shift+l"), "busy_ms", 0.001),
    ("lower case: longest freeze, s", "whole", ours("keys:alt+c,Right,Return", "keys:ctrl+shift+u", "keys:ctrl+shift+l"), "freeze_ms", 0.001),
    ("Replace All, 50 MB", None, None, None, None),
    ("Replace All: busy, s", "replace", ours("keys:space", "keys:alt+a", "keys:F10"), "busy_ms", 0.001),
    ("Replace All: longest freeze, s", "replace", ours("keys:space", "keys:alt+a", "keys:F10"), "freeze_ms", 0.001),
    ("its Undo: busy, s", "replace", same("keys:ctrl+z"), "busy_ms", 0.001),
    ("its Undo: longest freeze, s", "replace", same("keys:ctrl+z"), "freeze_ms", 0.001),
    ("two open 50 MB texts", None, None, None, None),
    ("Ctrl+Tab to the other: longest freeze, s", "switch", ours("keys:ctrl+Tab", None, "keys:ctrl+Tab"), "freeze_ms", 0.001),
    ("Ctrl+Tab: busy, s", "switch", ours("keys:ctrl+Tab", None, "keys:ctrl+Tab"), "busy_ms", 0.001),
    ("50 MB text in one line", None, None, None, None),
    ("open: until ready, s", "line", same("open"), "ready_ms", 0.001),
    ("open: longest freeze, s", "line", same("open"), "freeze_ms", 0.001),
    ("resident memory after open, MB", "line", same("rss"), "mb", 1),
    ("Ctrl+End: busy, s", "line", same("keys:ctrl+End"), "busy_ms", 0.001),
    ("typing a character there: busy, s", "line", same("type:x"), "busy_ms", 0.001),
    ("typing: longest freeze, s", "line", same("type:x"), "freeze_ms", 0.001),
]
print("| | " + " | ".join(programs) + " |")
print("|---" * (len(programs) + 1) + "|")
for label, case, steps, field, scale in table:
    if case is None:
        print(f"| **{label}** |" + " |" * len(programs))
        continue
    cells = [cell(case, p, steps[p], field, scale) if steps.get(p) else "-" for p in programs]
    print(f"| {label} | " + " | ".join(cells) + " |")
PY
