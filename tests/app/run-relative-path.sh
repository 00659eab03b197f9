#!/bin/sh
# ./run.sh started from another folder opens the files named as from there:
# run.sh is copied into a tree whose set-up, build and program are stand-ins,
# and the stand-in program says which of its arguments it can open.
set -eu
run_sh=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/root/scripts" "$tree/root/build/release/bin" "$tree/tools" "$tree/here/sub"
cp "$run_sh" "$tree/root/run.sh"
printf '#!/bin/sh\nexit 0\n' > "$tree/root/scripts/install-deps"
printf '#!/bin/sh\nexit 0\n' > "$tree/tools/cmake"
: > "$tree/root/build/release/build.ninja"
cat > "$tree/root/build/release/bin/scrivlet" <<'PROGRAM'
#!/bin/sh
for f in "$@"; do
  if [ -f "$f" ]; then echo "opens $f"; else echo "cannot open $f"; fi
done
PROGRAM
chmod +x "$tree/root/run.sh" "$tree/root/scripts/install-deps" "$tree/tools/cmake" \
  "$tree/root/build/release/bin/scrivlet"
echo text > "$tree/here/sub/letter.txt"
cd "$tree/here"
out=$(PATH="$tree/tools:$PATH" QT_QPA_PLATFORM=offscreen ../root/run.sh sub/letter.txt)
echo "$out"
[ "$out" = "opens sub/letter.txt" ]
