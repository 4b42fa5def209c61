#!/usr/bin/env bash
# The editor started where no window can be made ends with status 1 and its reason, not an abort.
set -u
editor=$1
out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$editor" 2>&1)
status=$?
if [ "$status" -ne 1 ]; then
  echo "exit status $status, expected 1; output: $out"
  exit 1
fi
if ! grep -q '^zentrax-editor: ' <<<"$out"; then
  echo "no reason given; output: $out"
  exit 1
fi
