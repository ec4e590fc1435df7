#!/bin/sh
# Whole-level render of the stress level by two builds of kestrilo-tool,
# taking turns: wall time, CPU time (user + system) and peak resident size of
# each run under /usr/bin/time, the median of each for each tool, the ratio
# new / old, and whether the two pictures have the same pixels. Builds
# nothing: it takes the two tools and the data.
#
# usage: bench/scripts/render-speed.sh OLD-TOOL NEW-TOOL STRESS-DATA [RUNS]
#   STRESS-DATA: a folder written by bench/kestrilo-stress-level (stress.mtf and its library)
#   RUNS: runs of each tool, 7 unless given
# Needs ImageMagick's compare. The load average is printed before and after:
# other programs on the machine lengthen wall times most.
set -eu
old=$1 new=$2 stress=$3
runs=${4:-7}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
i=0
while [ "$i" -lt "$runs" ]; do
  for which in old new; do
    tool=$old
    [ "$which" = new ] && tool=$new
    /usr/bin/time -o "$scratch/time" -f '%e %U %S %M' \
      "$tool" level render "$stress/stress.mtf" --data "$stress" --out "$scratch/$which.png" >/dev/null 2>&1
    read -r wall user system peak <"$scratch/time"
    echo "$wall" >>"$scratch/$which.wall"
    echo "$user $system" | awk '{ print $1 + $2 }' >>"$scratch/$which.cpu"
    echo "$peak" >>"$scratch/$which.peak"
  done
  i=$((i + 1))
done
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"

printf '%-6s %10s %10s %14s\n' tool "wall s" "cpu s" "peak MB"
for which in old new; do
  printf '%-6s %10s %10s %14s\n' "$which" "$(median <"$scratch/$which.wall")" "$(median <"$scratch/$which.cpu")" \
    "$(median <"$scratch/$which.peak" | awk '{ printf "%.1f", $1 / 1024 }')"
done
for figure in wall cpu peak; do
  printf 'new / old, %s: %s\n' "$figure" \
    "$(echo "$(median <"$scratch/new.$figure") $(median <"$scratch/old.$figure")" | awk '{ printf "%.3f", $1 / $2 }')"
done
echo "pixels differing: $(compare -metric AE "$scratch/old.png" "$scratch/new.png" null: 2>&1 || true)"
