#!/usr/bin/env bash
# Runs "zentrax-stats set" under strace with every pwrite64 failing with EIO: the real binary,
# the real system call. It must exit non-zero, say which file failed and why, and leave the
# file as it was. Exits 77 (skipped) where ptrace is not allowed.
# Usage: pwrite_eio.sh ZENTRAX_STATS MAKE_TEST_ROM
set -u
stats=$1
make_rom=$2

command -v strace >/dev/null || { echo "strace is not installed"; exit 77; }
strace -o /dev/null true 2>/dev/null || { echo "ptrace is not allowed here"; exit 77; }

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
rom="$dir/game.nes"
"$make_rom" "$rom" || exit 1
cp "$rom" "$dir/before"

strace -f -qq -o "$dir/trace" -e trace=pwrite64 -e inject=pwrite64:error=EIO \
  "$stats" set "$rom" base_top_speed=1 >"$dir/out" 2>"$dir/err"
status=$?

fail() {
  echo "FAIL: $*"
  echo "--- exit status $status; stderr:"
  cat "$dir/err"
  echo "--- trace:"
  cat "$dir/trace"
  exit 1
}

grep -q 'INJECTED' "$dir/trace" || fail "no pwrite64 was made, so none could fail"
[ "$status" -ne 0 ] || fail "a failed write was reported as success"
grep -q 'game.nes' "$dir/err" || fail "the message does not name the file"
grep -q 'Input/output error' "$dir/err" || fail "the message does not give the system's reason"
cmp -s "$rom" "$dir/before" || fail "the file changed although every write failed"
echo "ok: exit status $status: $(head -n 1 "$dir/err")"
