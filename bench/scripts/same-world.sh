#!/bin/sh
# Whether two builds of kestrilo-tool play and draw the same world: the demo
# replay, a seeded run of the demo level, 300 ticks of the stress level (every
# sprite's state written every 50 ticks) and renders of both levels, each run
# by both tools. State files and frames must be byte for byte the same;
# rendered pictures pixel for pixel (their files may be compressed
# differently). Builds nothing: it takes the two tools and the data.
#
# usage: bench/scripts/same-world.sh OLD-TOOL NEW-TOOL DEMO-DATA STRESS-DATA [SCRATCH]
#   DEMO-DATA:   a folder written by kestrilo-sample-data (matrix1.mtf and its library)
#   STRESS-DATA: a folder written by bench/kestrilo-stress-level (stress.mtf and its library)
# Needs ImageMagick's compare. Prints one line per run and exits 1 on any difference.
set -eu
old=$1 new=$2 demo=$3 stress=$4
scratch=${5:-$(mktemp -d)}
replay=$(dirname "$0")/../../tests/data/replays/demo.replay
failed=0

run_both() {  # name, then the arguments after the tool, with OUT for the run's folder
  name=$1
  shift
  for which in old new; do
    tool=$old
    [ "$which" = new ] && tool=$new
    out=$scratch/$name/$which
    rm -rf "$out" && mkdir -p "$out/frames"
    # shellcheck disable=SC2046
    "$tool" $(printf '%s\n' "$@" | sed "s|OUT|$out|g") >/dev/null 2>"$out/stderr" || {
      echo "$name: $which tool failed: $(cat "$out/stderr")"
      failed=1
    }
  done
}

same_files() {  # name
  if diff -r "$scratch/$1/old" "$scratch/$1/new" >/dev/null; then
    echo "$1: same bytes ($(find "$scratch/$1/new" -type f | wc -l) files)"
  else
    echo "$1: DIFFERENT"
    failed=1
  fi
}

same_pixels() {  # name
  differing=$(compare -metric AE "$scratch/$1/old/picture.png" "$scratch/$1/new/picture.png" null: 2>&1 || true)
  if [ "$differing" = 0 ]; then
    echo "$1: same pixels"
  else
    echo "$1: $differing pixels differ"
    failed=1
  fi
}

run_both demo-replay play "$demo/matrix1.mtf" --data "$demo" --input "$replay" --ticks 1242 \
  --state OUT/state.json --frames OUT/frames --every 50
same_files demo-replay
run_both demo-seed7 play "$demo/matrix1.mtf" --data "$demo" --seed 7 --ticks 3000 --state OUT/state.json \
  --frames OUT/frames --every 500
same_files demo-seed7
run_both stress-300 play "$stress/stress.mtf" --data "$stress" --seed 3 --ticks 300 --state OUT/state.json \
  --frames OUT/frames --every 50
same_files stress-300
run_both render-demo-30 level render "$demo/matrix1.mtf" --data "$demo" --ticks 30 --out OUT/picture.png
same_pixels render-demo-30
run_both render-demo-view level render "$demo/matrix1.mtf" --data "$demo" --view 20 10 --ticks 7 --out OUT/picture.png
same_pixels render-demo-view
run_both render-stress level render "$stress/stress.mtf" --data "$stress" --out OUT/picture.png
same_pixels render-stress
run_both render-stress-40 level render "$stress/stress.mtf" --data "$stress" --ticks 40 --out OUT/picture.png
same_pixels render-stress-40
exit $failed
