#!/bin/sh
# The run-length bitmaps of ImageMagick, decoded by kestrilo-tool and by
# ImageMagick itself, compared pixel for pixel. Run by hand where ImageMagick
# is installed (the test suite builds its own bitmaps byte by byte and needs
# no image tools):
#
#   tests/scripts/rle-against-imagemagick.sh build-test/tools/kestrilo-tool
#
# RLE8 files are written by ImageMagick (`-compress RLE BMP3:`), which codes
# each row's padding pixels too. ImageMagick writes no RLE4, so those are
# written here in the same manner, as runs and as absolute runs, each with
# an uncompressed 24-bit copy. Widths 1 and 2 are left out for RLE8:
# ImageMagick misreads its own files of those widths (see
# tests/data/bmpsuite/README.md). It misreads RLE4 files narrower than 4
# pixels as well (every pixel index 0), so those are compared with its
# decoding of the uncompressed copy instead.
set -eu
tool=$(realpath "$1")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
failures=0

check() {  # $1: a bitmap file; $2: the file ImageMagick decodes for reference (default $1)
  rm -f t.dxg
  "$tool" pictures add t.dxg "$1" --name x >/dev/null
  "$tool" pictures extract t.dxg out >/dev/null
  convert "${2:-$1}" png32:ref.png
  differing=$(compare -metric AE ref.png out/0.png null: 2>&1 || true)
  if [ "$differing" = "0" ]; then
    echo "$1: same"
  else
    echo "$1: $differing pixels differ"
    failures=$((failures + 1))
  fi
}

for width in 3 5 7 13 37 255 257; do
  convert -size "${width}x5" xc:white -fill red -draw "point 0,0" -fill blue -draw "line 1,4 $((width - 1)),4" \
    -fill lime -draw "point $((width / 2)),2" -type Palette -compress RLE "BMP3:rle8-$width.bmp"
  check "rle8-$width.bmp"
done

python3 - <<'PY'
import struct
def rle4(width, height, literals):
    padded = (width * 4 + 31) // 32 * 8
    index = lambda x, y: (x // 2 + y) % 4 if x < width else 0
    data = bytearray()
    for y in range(height):
        x = 0
        while x < padded:
            if literals and padded - x >= 3:
                n = min(padded - x, 254)
                nibbles = [index(x + i, y) for i in range(n)] + [0]
                chunk = bytes(nibbles[i] << 4 | nibbles[i + 1] for i in range(0, n, 2))
                data += bytes([0, n]) + chunk + (b"\x00" if len(chunk) % 2 else b"")
                x += n
            else:
                n = 1
                while x + n < padded and n < 255 and index(x + n, y) == index(x, y):
                    n += 1
                data += bytes([n, index(x, y) * 17])
                x += n
        data += b"\x00\x00"
    data += b"\x00\x01"
    colours = [(0x10, 0x10, 0x10), (0xFF, 0, 0), (0, 0xFF, 0), (0, 0, 0xFF)]
    row_bytes = (width * 3 + 3) // 4 * 4
    plain = bytearray()
    for y in range(height):
        for x in range(width):
            r, g, b = colours[index(x, y)]
            plain += bytes([b, g, r])
        plain += b"\x00" * (row_bytes - width * 3)
    plain_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(plain), 2835, 2835, 0, 0)
    plain_file = b"BM" + struct.pack("<IHHI", 54 + len(plain), 0, 0, 54) + plain_header + bytes(plain)
    palette = b"\x10\x10\x10\x00" + b"\x00\x00\xff\x00" + b"\x00\xff\x00\x00" + b"\xff\x00\x00\x00"
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 2, len(data), 2835, 2835, 4, 0)
    body = header + palette + bytes(data)
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, 14 + 40 + len(palette)) + body, plain_file
for width in (1, 2, 3, 5, 7, 9, 13, 37):
    for literals in (False, True):
        coded, plain = rle4(width, 3, literals)
        open("rle4-%d-%s.bmp" % (width, "literals" if literals else "runs"), "wb").write(coded)
    open("plain-%d.bmp" % width, "wb").write(plain)
PY
for width in 1 2 3 5 7 9 13 37; do
  for coding in runs literals; do
    if [ "$width" -lt 4 ]; then
      check "rle4-$width-$coding.bmp" "plain-$width.bmp"
    else
      check "rle4-$width-$coding.bmp"
    fi
  done
  # The uncompressed copy is the source picture: ImageMagick's own decoding agrees.
  check "rle4-$width-runs.bmp" "plain-$width.bmp"
done

echo "$failures file(s) differ"
[ "$failures" -eq 0 ]
