#!/bin/sh
# Runs a command on a private Xvfb display (size from TAVLORA_SCREEN, default
# 1280x1024x24) and stops the display afterwards. The command's exit code is returned.
set -eu
screen=${TAVLORA_SCREEN:-1280x1024x24}
fifo=$(mktemp -u /tmp/tavlora-xvfb.XXXXXX)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
display=$(head -n 1 "$fifo")
rm -f "$fifo"
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true' EXIT INT TERM
export DISPLAY=":$display"
status=0
"$@" || status=$?
exit $status
