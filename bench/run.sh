#!/usr/bin/env bash
# The editor's start-up time and peak memory against a bare Qt window with 60 plain spin boxes,
# measured side by side in one run, and the system calls one patch makes on the ROM file against
# the least a patch can make. Prints ratios: machines differ, ratios travel.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build}
runs=${RUNS:-21}
if [ ! -x "$build/bench/bench_editor_startup" ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release -j "$(nproc)" >/dev/null
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$tmp}

# One start: nanoseconds from launch to the window shown with the loop idle, and peak RSS in KiB.
measure() {
  local start out ready peak
  start=$(date +%s%N)
  out=$("$1")
  ready=${out#ready_ns=}
  ready=${ready%% *}
  peak=${out##*peak_kb=}
  echo "$((ready - start)) $peak"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for _ in $(seq "$runs"); do
  measure "$build/bench/bench_bare_window" >>"$tmp/bare"
  measure "$build/bench/bench_editor_startup" >>"$tmp/editor"
done
bare_ns=$(cut -d' ' -f1 "$tmp/bare" | median)
editor_ns=$(cut -d' ' -f1 "$tmp/editor" | median)
bare_kb=$(cut -d' ' -f2 "$tmp/bare" | median)
editor_kb=$(cut -d' ' -f2 "$tmp/editor" | median)

echo "start-up, median of $runs runs each ($QT_QPA_PLATFORM platform):"
awk -v e="$editor_ns" -v b="$bare_ns" \
  'BEGIN { printf "  time to window shown and loop idle: %.2fx the bare window (target 1.10x)\n", e / b }'
awk -v e="$editor_kb" -v b="$bare_kb" \
  'BEGIN { printf "  peak memory:                        %.2fx the bare window (target 1.10x)\n", e / b }'

# One patch through the editor's own actions, traced on the ROM file alone.
if ! command -v strace >/dev/null; then
  echo "patch: strace is not installed; skipped"
  exit 0
fi
rom="$tmp/game.nes"
marker="$tmp/patch-starts-here"
"$build/bench/bench_make_rom" "$rom"
if ! strace -f -qq -o "$tmp/trace" -P "$rom" -P "$marker" \
  "$build/bench/bench_editor_patch" "$rom" "$marker" >/dev/null 2>&1; then
  echo "patch: strace cannot trace here (ptrace not allowed?); skipped"
  exit 0
fi
size=$(stat -c %s "$rom")
# The least a patch can do: open, lock, read the signature, one write per table, flush, close.
floor_calls=10
awk -v floor="$floor_calls" -v size="$size" '
  /patch-starts-here/ { on = 1; next }
  !on { next }
  {
    sub(/^[0-9]+ +/, "")
    name = $0; sub(/\(.*/, "", name)
    result = $0; sub(/.*= /, "", result); result += 0
    calls[name]++; total++
    if (name == "pwrite64") { written += result; writes++ }
    if (name == "pread64") { read += result; if (result > biggest) biggest = result }
  }
  END {
    printf "patch of one %d-byte image:\n", size
    printf "  system calls on the file: %d, %.2fx the floor of %d (", total, total / floor, floor
    sep = ""
    for (n in calls) { printf "%s%s %d", sep, n, calls[n]; sep = ", " }
    printf ")\n"
    printf "  bytes written: %d in %d writes, %.2fx the 98 value bytes\n", written, writes, written / 98
    printf "  bytes read: %d, the largest read %d bytes (%.4fx the file)\n", read, biggest, biggest / size
  }' "$tmp/trace"
