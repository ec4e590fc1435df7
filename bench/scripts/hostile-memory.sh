#!/bin/sh
# Peak memory of kestrilo-tool on hostile files, against the bound of 16 times
# the file's size plus 64 MB. Writes the files into a scratch folder:
#
#   items.dxg     a graphics file of 5,000,000 empty items (10 MB)
#   block.dxg     one item whose picture block claims 4 GB in a file of 60 bytes
#   rle.dxg       150 items, each a 64 KB run-length bitmap that claims
#                 8192 x 8192 pixels (10 MB; 256 MB each once decoded)
#   noise.mtf     a level of random bytes, with random back planes (noisemtb)
#   big.obj       an objects file of random records (10 MB) with items.dxg
#                 as its graphics file
#
# and runs every command of the tool on them under /usr/bin/time -v, printing
# the peak resident size, the file size and the bound. Opening in the editor
# reads the same files through the same readers (objects, graphics, level).
#
# With the path of kestrilo-sample-data as a third argument, the random level
# is also rendered and played on the sample library (a level of tens of
# thousands of objects).
#
# usage: bench/scripts/hostile-memory.sh <path of kestrilo-tool> [scratch folder] [kestrilo-sample-data]
# Use a release build (make bench, or -DCMAKE_BUILD_TYPE=Release): sanitizers
# multiply the figures.
set -eu
tool=$(realpath "$1")
dir=${2:-$(mktemp -d)}
[ -x "$tool" ] || { echo "not an executable: $tool" >&2; exit 2; }
sample_data=${3:+$(realpath "$3")}
mkdir -p "$dir"

python3 - "$dir" <<'PY'
import os, random, struct, sys
d = sys.argv[1]
rng = random.Random(15)

def short(s):
    b = s.encode("ascii")
    return bytes([len(b)]) + b

def graphics(items):
    stream = b"TPF0" + short("TPictureCollectionComponent") + b"\x00" + short("List") + b"\x0e"
    stream += items + b"\x00\x00\x00"
    name = b"KESTRILOGRAPHICSRESOURCE\x00"
    return b"\xff" + struct.pack("<H", 10) + name + struct.pack("<HI", 0x1030, len(stream)) + stream

def picture_item(payload):
    return b"\x01" + short("Picture.Data") + b"\x0a" + struct.pack("<I", len(payload)) + payload + b"\x00"

def rle_bomb(width, height, data_bytes):
    # RLE8 whose data ends the bitmap at once: every pixel index 0, from a
    # block about a thousandth of the pixel count.
    data = b"\x00\x01" + b"\x00" * (data_bytes - 2)
    palette = b"\x00\x00\x00\x00" * 2
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(data), 2835, 2835, 2, 0)
    bmp_body = header + palette + bytes(data)
    bmp = b"BM" + struct.pack("<IHHI", 14 + len(bmp_body), 0, 0, 14 + 40 + len(palette)) + bmp_body
    payload = short("TBitmap") + struct.pack("<I", len(bmp)) + bmp
    return payload

open(os.path.join(d, "items.dxg"), "wb").write(graphics(b"\x01\x00" * 5_000_000))
block = b"\x01" + short("Picture.Data") + b"\x0a" + struct.pack("<I", 0xFFFFFFF0) + b"\x00" * 8
open(os.path.join(d, "block.dxg"), "wb").write(graphics(block))
bomb = picture_item(rle_bomb(8192, 8192, 65536))
open(os.path.join(d, "rle.dxg"), "wb").write(graphics(bomb * 150))
open(os.path.join(d, "noise.mtf"), "wb").write(rng.randbytes(360000))
open(os.path.join(d, "noisemtb"), "wb").write(rng.randbytes(480000))
records = bytearray(rng.randbytes(48 * 218_000))
open(os.path.join(d, "big.obj"), "wb").write(records)
os.link(os.path.join(d, "items.dxg"), os.path.join(d, "big.dxg")) if not os.path.exists(os.path.join(d, "big.dxg")) else None
# A data folder for the level commands: the objects and graphics of big.*,
# under the names the editor reads.
data = os.path.join(d, "data")
os.makedirs(data, exist_ok=True)
for src, dst in (("big.obj", "test.obj"), ("items.dxg", "test.dxg"), ("rle.dxg", "DinObj.dxg")):
    p = os.path.join(data, dst)
    if not os.path.exists(p):
        os.link(os.path.join(d, src), p)
open(os.path.join(data, "1.mon"), "wb").write(rng.randbytes(184 * 1000))
# A 1 x 1 bitmap to add.
bmp_body = struct.pack("<IiiHHIIiiII", 40, 1, 1, 1, 24, 0, 4, 2835, 2835, 0, 0) + b"\x00\x00\xff\x00"
open(os.path.join(d, "tiny.bmp"), "wb").write(b"BM" + struct.pack("<IHHI", 14 + len(bmp_body), 0, 0, 54) + bmp_body)
PY

measure() {
  # $1: the files the command reads (their sizes make the bound), quoted as
  # one word; the rest: the tool's arguments.
  files=$1
  shift
  size=0
  for f in $files; do size=$((size + $(stat -L -c %s "$f"))); done
  status=0
  /usr/bin/time -v -o time.txt "$tool" "$@" >/dev/null 2>stderr.txt || status=$?
  peak=$(awk '/Maximum resident set size/ { print $6 }' time.txt)
  message=$(head -c 60 stderr.txt | tr '\n' ' ')
  awk -v peak="$peak" -v size="$size" -v what="$*" -v status="$status" -v message="$message" 'BEGIN {
    bound = 16 * size / 1024 + 64 * 1024
    printf "%-56s peak %7.1f MB  files %5.1f MB  bound %6.1f MB  %-6s exit %d %s\n", what, peak / 1024,
           size / 1048576, bound / 1024, (peak <= bound ? "within" : "OVER"), status, message
  }'
}

out=$dir/out
cd "$dir"
measure items.dxg pictures list items.dxg
measure items.dxg pictures list items.dxg --json
measure items.dxg pictures extract items.dxg out
cp items.dxg add.dxg
measure "add.dxg tiny.bmp" pictures add add.dxg tiny.bmp --name x
measure block.dxg pictures list block.dxg
measure rle.dxg pictures list rle.dxg
measure rle.dxg pictures extract rle.dxg out
measure big.obj objects list big.obj
measure data/1.mon monsters list data/1.mon
measure "noise.mtf noisemtb" level info noise.mtf
measure "noise.mtf noisemtb data/test.obj data/test.dxg data/DinObj.dxg data/1.mon" level render noise.mtf --data data --out render.png
measure "noise.mtf noisemtb data/test.obj data/test.dxg data/DinObj.dxg data/1.mon" play noise.mtf --data data --ticks 5
if [ -n "$sample_data" ]; then
  "$sample_data" sample >/dev/null
  measure "noise.mtf noisemtb sample/test.obj sample/test.dxg sample/DinObj.dxg sample/1.mon" \
    level render noise.mtf --data sample --out render.png
  measure "noise.mtf noisemtb sample/test.obj sample/test.dxg sample/DinObj.dxg sample/1.mon" \
    play noise.mtf --data sample --ticks 5
fi
