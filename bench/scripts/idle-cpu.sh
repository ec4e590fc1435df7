#!/bin/sh
# CPU use of the idle editor: starts the editor on a virtual X display (Xvfb,
# 16 bits per pixel), gives its window the keyboard focus so that the frame
# timer runs (it pauses while the application is inactive), waits, and then
# reads the editor's user and system time from /proc over a measuring window.
#
# usage: bench/scripts/idle-cpu.sh <path of the kestrilo executable> [seconds]
# Without the focus the editor's time stays flat (the timer pauses), which is
# how one can check that the figure is that of a running frame loop.
set -eu
exe=$1
seconds=${2:-20}
display=:${KESTRILO_BENCH_DISPLAY:-97}

Xvfb "$display" -screen 0 1024x768x16 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
editor=""
trap 'kill "$editor" 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT INT TERM
sleep 2
DISPLAY=$display "$exe" >/dev/null 2>&1 &
editor=$!
sleep 3
window=$(DISPLAY=$display xdotool search --sync --pid "$editor" --onlyvisible | head -n 1)
DISPLAY=$display xdotool windowfocus --sync "$window" || true
sleep 2

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
start=$(ticks "$editor")
sleep "$seconds"
end=$(ticks "$editor")
awk -v a="$start" -v b="$end" -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "editor CPU over %d s: %.1f %% of one core\n", s, (b - a) / hz / s * 100 }'
