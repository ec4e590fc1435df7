#!/bin/sh
# CPU use of the idle editor: starts the editor on a virtual X display (Xvfb),
# optionally with a level open in edit mode, gives its window the keyboard
# focus so that the frame timer runs (it pauses while the application is
# inactive), waits, and then reads the editor's user and system time from
# /proc over a number of measuring windows. Prints each window and their median.
#
# usage: bench/scripts/idle-cpu.sh <kestrilo executable> [<data folder> [<level file in it>]]
#   The data folder (the objects file and its graphics, the level) is put
#   beside a copy of the executable as its Data/ folder, in a scratch folder
#   that also holds the run's own settings; without one, the executable runs
#   from where it is, with no level.
# environment: IDLE_SECONDS (length of a window, 10), IDLE_WINDOWS (3),
#   KESTRILO_BENCH_DISPLAY (display number, 97), KESTRILO_BENCH_SCREEN (1024x768x16),
#   IDLE_SCREENSHOT (a PNG file: the screen after the last window, to see what was measured).
# Without the focus the editor's time stays flat (the timer pauses), which is
# how one can check that the figure is that of a running frame loop.
set -eu
exe=$1
data=${2:-}
level=${3:-}
seconds=${IDLE_SECONDS:-10}
windows=${IDLE_WINDOWS:-3}
display=:${KESTRILO_BENCH_DISPLAY:-97}
screen=${KESTRILO_BENCH_SCREEN:-1024x768x16}

scratch=$(mktemp -d)
Xvfb "$display" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
editor=""
trap 'kill "$editor" 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; rm -rf "$scratch"' EXIT INT TERM
if [ -n "$data" ]; then
  cp "$exe" "$scratch/kestrilo"
  cp -r "$data" "$scratch/Data"
  exe=$scratch/kestrilo
fi
args=""
[ -n "$level" ] && args=$scratch/Data/$level
sleep 2
# shellcheck disable=SC2086
DISPLAY=$display XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/share "$exe" $args >/dev/null 2>&1 &
editor=$!
sleep 5
window=$(DISPLAY=$display xdotool search --sync --pid "$editor" --onlyvisible --name Kestrilo | head -n 1)
DISPLAY=$display xdotool windowactivate --sync "$window" 2>/dev/null || DISPLAY=$display xdotool windowfocus --sync "$window" || true
# The pointer away from the drawing area, as a designer who has left it alone.
DISPLAY=$display xdotool mousemove 0 0
sleep 3

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
figures=""
i=0
while [ "$i" -lt "$windows" ]; do
  start=$(ticks "$editor")
  sleep "$seconds"
  end=$(ticks "$editor")
  figure=$(awk -v a="$start" -v b="$end" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f", (b - a) / hz / s * 100 }')
  echo "window $((i + 1)) of $seconds s: $figure % of one core"
  figures="$figures $figure"
  i=$((i + 1))
done
[ -n "${IDLE_SCREENSHOT:-}" ] && DISPLAY=$display import -window root "$IDLE_SCREENSHOT"
median=$(printf '%s\n' $figures | sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
echo "editor CPU, median of $windows windows of $seconds s${level:+ with $level}: $median % of one core"
