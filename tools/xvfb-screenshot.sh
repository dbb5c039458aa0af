#!/usr/bin/env bash
# Runs Tessaran on the X display that xvfb-run gives this script, saves a
# screenshot of its window after a few seconds and closes it; fails unless
# the program ends by itself with status 0.
#   xvfb-screenshot.sh PROGRAM DRIVER SCREENSHOT.png
set -euo pipefail
program=$1 driver=$2 screenshot=$3

timeout 60 env QT_QPA_PLATFORM=xcb "$program" &  # a program that never ends fails with 124
pid=$!
if ! "$driver" "$screenshot" 3; then
  kill "$pid" 2>/dev/null || true
  exit 1
fi
status=0
wait "$pid" || status=$?
echo "Tessaran ended with status $status; screenshot in $screenshot"
exit "$status"
