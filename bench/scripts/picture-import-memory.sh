#!/bin/sh
# Peak memory of taking pictures into a graphics file (kestrilo-tool pictures
# add), against the bound of 100 MB plus three times the 24-bit bitmap the
# picture becomes. Writes into a scratch folder:
#
#   bomb-5790.png         a one-bit PNG of 5790 x 5790 pixels in about 4 KB
#   bomb-screen.gif       a 1 x 1 frame on a logical screen of 5600 x 5600
#   bomb-frame.gif        a 5600 x 5600 frame on a screen of 0 x 0
#   bomb-65535.gif        a 1 x 1 frame on a screen of 65535 x 65535
#   bomb-20000x15000.jpg  a 204-byte JPEG claiming 20000 x 15000 pixels
# which are refused from their headers, and pictures just within the limit of
# 64 MB (4096 x 5461 is 67,104,822 bytes as a 24-bit bitmap), which are taken:
#   near-limit.png        8-bit RGB
#   near-limit-alpha.png  8-bit RGBA, half of it transparent (keyed)
#   near-limit-16bit.png  16-bit RGBA, which Qt decodes at 8 bytes a pixel
#   near-limit.jpg        a 204-byte JPEG of 4500 x 4500 grey pixels
#   screen-4000.gif       a 1 x 1 frame on a screen of 4000 x 4000
#
# usage: bench/scripts/picture-import-memory.sh <path of kestrilo-tool> [scratch folder]
# Use a release build (make bench, or -DCMAKE_BUILD_TYPE=Release): sanitizers
# multiply the figures.
set -eu
tool=$(realpath "$1")
dir=${2:-$(mktemp -d)}
[ -x "$tool" ] || { echo "not an executable: $tool" >&2; exit 2; }
mkdir -p "$dir"

python3 - "$dir" <<'PY'
import os, struct, sys, zlib
d = sys.argv[1]

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

def png(width, height, depth, colour, rows):
    # rows(y) gives the bytes of row y without its filter byte.
    raw = b"".join(b"\x00" + rows(y) for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b"")

def gif(screen_w, screen_h, frame_w, frame_h):
    # One black-and-white frame whose pixel data is a clear code and an end code.
    return (b"GIF89a" + struct.pack("<HH", screen_w, screen_h) + b"\x80\x00\x00" + b"\x00\x00\x00\xff\xff\xff"
            + b"," + struct.pack("<HHHH", 0, 0, frame_w, frame_h) + b"\x00\x02\x02\x44\x01\x00;")

def seg(marker, body):
    return b"\xff" + bytes([marker]) + struct.pack(">H", len(body) + 2) + body

def jpeg(width, height):
    # Baseline, one grey component, one-code Huffman tables (DC difference 0,
    # AC end of block): every 8 x 8 block is two bits of zeros.
    return (b"\xff\xd8" + seg(0xDB, b"\x00" + b"\x01" * 64)
            + seg(0xC0, struct.pack(">BHHB", 8, height, width, 1) + b"\x01\x11\x00")
            + seg(0xC4, b"\x00" + bytes([1] + [0] * 15) + b"\x00")
            + seg(0xC4, b"\x10" + bytes([1] + [0] * 15) + b"\x00")
            + seg(0xDA, b"\x01\x01\x00\x00\x3f\x00") + b"\x00" * 64 + b"\xff\xd9")

W, H = 4096, 5461
# 64 rows of colour bands, repeated down the picture.
rgb_rows = [bytes((x + y * 4) & 0xFF for x in range(W * 3)) for y in range(64)]
rgba_rows = [b"".join(bytes((x & 0xFF, y * 4, (x ^ y) & 0xFF, 255 if (x // 64 + y // 32) % 2 else 0))
                      for x in range(W)) for y in range(64)]
rgba16_rows = [b"".join(bytes((v, v)) for v in row) for row in rgba_rows]

files = {
    "bomb-5790.png": png(5790, 5790, 1, 0, lambda y: b"\x00" * ((5790 + 7) // 8)),
    "bomb-screen.gif": gif(5600, 5600, 1, 1),
    "bomb-frame.gif": gif(0, 0, 5600, 5600),
    "bomb-65535.gif": gif(65535, 65535, 1, 1),
    "bomb-20000x15000.jpg": jpeg(20000, 15000),
    "near-limit.png": png(W, H, 8, 2, lambda y: rgb_rows[y % 64]),
    "near-limit-alpha.png": png(W, H, 8, 6, lambda y: rgba_rows[y % 64]),
    "near-limit-16bit.png": png(W, H, 16, 6, lambda y: rgba16_rows[y % 64]),
    "near-limit.jpg": jpeg(4500, 4500),
    "screen-4000.gif": gif(4000, 4000, 1, 1),
}
for name, data in files.items():
    open(os.path.join(d, name), "wb").write(data)
PY

# The bytes of the 24-bit bitmap a taken picture becomes: headers, rows padded to 4 bytes.
stored() { echo $((54 + ($1 * 3 + 3) / 4 * 4 * $2)); }
bound_mb() { echo $(((100 * 1048576 + 3 * $1) / 1048576)); }

printf '%-22s %10s  %-9s %8s %8s\n' file bytes result peak_MB bound_MB
for entry in bomb-5790.png:0:0 bomb-screen.gif:0:0 bomb-frame.gif:0:0 bomb-65535.gif:0:0 \
            bomb-20000x15000.jpg:0:0 near-limit.png:4096:5461 near-limit-alpha.png:4096:5461 \
            near-limit-16bit.png:4096:5461 near-limit.jpg:4500:4500 screen-4000.gif:4000:4000; do
  file=${entry%%:*}; rest=${entry#*:}; width=${rest%%:*}; height=${rest#*:}
  bitmap=0
  [ "$width" -gt 0 ] && bitmap=$(stored "$width" "$height")
  rm -f "$dir/out.dxg"
  if QT_QPA_PLATFORM=offscreen /usr/bin/time -f "%M" -o "$dir/time.txt" \
       "$tool" pictures add "$dir/out.dxg" "$dir/$file" --name picture > /dev/null 2> "$dir/err.txt"; then
    result=taken
  else
    result=refused
  fi
  peak_kb=$(tail -n 1 "$dir/time.txt")
  printf '%-22s %10s  %-9s %8s %8s\n' "$file" "$(stat -c %s "$dir/$file")" "$result" \
    $((peak_kb / 1024)) "$(bound_mb "$bitmap")"
done
