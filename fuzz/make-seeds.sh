#!/usr/bin/env bash
# Makes the seed corpus in fuzz/corpus/ from synthetic pictures: ImageMagick for the common
# variants, a few hand-made bitmaps (RLE4, top-down, bit fields) for what it does not write.
# The seeds are committed; run this again only to change them. Files named found-<sha1> are
# inputs that fuzzing found (a coverage-minimal merge, and any that once crashed); they are kept.
set -euo pipefail
cd "$(dirname "$0")"
im=/usr/bin/convert
[ -x "$im" ] || im=convert
out=corpus
mkdir -p "$out"
find "$out" -type f ! -name 'found-*' -delete
mkdir -p "$out"/{bmp,jpeg,png,gif,tiff,ico,any}
# PNG files would carry the time they were made.
nodate=(-define png:exclude-chunks=date,time)
grad=(-size 24x16 gradient:red-blue)
checks=(-size 16x16 pattern:checkerboard)

# BMP
$im "${grad[@]}" -type truecolor BMP3:$out/bmp/rgb24.bmp
$im "${grad[@]}" -colors 200 -type palette BMP3:$out/bmp/palette8.bmp
$im "${grad[@]}" -colors 12 -type palette BMP3:$out/bmp/palette4.bmp
$im "${checks[@]}" -monochrome BMP3:$out/bmp/mono.bmp
$im "${checks[@]}" -colors 8 -type palette -compress RLE BMP3:$out/bmp/rle8.bmp
$im "${grad[@]}" -define bmp:subtype=RGB565 BMP:$out/bmp/rgb565.bmp
$im -size 16x8 gradient:'rgba(255,0,0,0.2)'-'rgba(0,0,255,0.9)' BMP:$out/bmp/argb-v5.bmp
python3 - "$out/bmp" <<'PY'
import struct, sys
folder = sys.argv[1]
def bmp(name, width, height, bits, compression, palette, pixels, header=40, masks=b""):
    offset = 14 + header + len(masks) + 4 * len(palette)
    info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bits, compression,
                       len(pixels) if compression in (1, 2) else 0, 0, 0, len(palette), 0)
    info += bytes(header - 40)
    pal = b"".join(struct.pack("<BBBB", c & 255, (c >> 8) & 255, c >> 16, 0) for c in palette)
    data = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + masks + pal + pixels
    open(f"{folder}/{name}", "wb").write(data)
# RLE4 with runs, a literal, a move and both end marks.
bmp("rle4.bmp", 8, 4, 4, 2, [0x000000, 0xFF0000, 0x00FF00, 0x0000FF],
    bytes([8, 0x12, 0, 0, 0, 4, 0x01, 0x23, 0, 0, 0, 2, 2, 1, 4, 0x33, 0, 1]))
# Top-down 24 bits.
bmp("topdown24.bmp", 4, -3, 24, 0, [], bytes(range(36)))
# 32 bits in the program's own layout, alpha varying.
bmp("own32.bmp", 4, 2, 32, 0, [], bytes(i * 8 % 256 for i in range(32)))
# 32-bit bit fields after a 40-byte header, red in the low byte.
bmp("bitfields32.bmp", 2, 2, 32, 3, [], bytes(range(16)),
    masks=struct.pack("<III", 0xFF, 0xFF00, 0xFF0000))
PY

# JPEG
$im "${grad[@]}" -quality 75 $out/jpeg/baseline.jpg
$im "${grad[@]}" -quality 60 -interlace JPEG $out/jpeg/progressive.jpg
$im "${grad[@]}" -colorspace Gray -quality 80 $out/jpeg/grey.jpg
$im "${grad[@]}" -colorspace CMYK -quality 80 $out/jpeg/cmyk.jpg
$im "${grad[@]}" -sampling-factor 1x1 -quality 90 $out/jpeg/444.jpg
$im "${grad[@]}" -define jpeg:arithmetic-coding=true $out/jpeg/arithmetic.jpg 2>/dev/null || true

# PNG
$im "${checks[@]}" -monochrome "${nodate[@]}" PNG:$out/png/grey1.png
$im "${grad[@]}" -depth 16 "${nodate[@]}" PNG48:$out/png/rgb16.png
$im "${grad[@]}" -colors 6 -transparent red "${nodate[@]}" PNG8:$out/png/palette-trns.png
$im "${grad[@]}" -interlace PNG "${nodate[@]}" PNG24:$out/png/interlaced.png
$im -size 16x8 gradient:'rgba(255,0,0,0.2)'-'rgba(0,0,255,0.9)' "${nodate[@]}" PNG32:$out/png/rgba.png
$im -size 16x8 gradient:'graya(20%,0.3)'-'graya(90%,1)' -type GrayscaleAlpha "${nodate[@]}" PNG:$out/png/grey-alpha.png

# GIF
$im "${grad[@]}" -colors 32 $out/gif/plain.gif
$im "${grad[@]}" -colors 16 -interlace GIF $out/gif/interlaced.gif
$im "${grad[@]}" -colors 8 -transparent blue $out/gif/transparent.gif
$im -size 12x12 xc:red -size 12x12 xc:blue -loop 0 $out/gif/two-frames.gif

# TIFF
$im "${grad[@]}" -compress LZW $out/tiff/lzw.tif
$im "${grad[@]}" -compress Zip $out/tiff/zip.tif
$im "${grad[@]}" -compress RLE $out/tiff/packbits.tif
$im "${grad[@]}" -colorspace Gray -compress None $out/tiff/grey.tif
$im "${grad[@]}" -colors 8 -type palette $out/tiff/palette.tif
$im "${grad[@]}" -depth 8 -compress Zip -define tiff:tile-geometry=16x16 $out/tiff/tiled.tif
$im "${grad[@]}" -depth 16 $out/tiff/rgb16.tif
$im "${grad[@]}" -depth 8 -colorspace CMYK $out/tiff/cmyk.tif
$im "${grad[@]}" -compress JPEG -quality 70 $out/tiff/jpeg.tif
$im "${checks[@]}" -monochrome -compress Group4 $out/tiff/fax.tif

# ICO: bitmap entries, and a PNG entry for the 256 size
$im -size 16x16 gradient:red-blue \( +clone -resize 8x8 \) $out/ico/bitmaps.ico
$im -size 256x256 xc:green \( +clone -resize 16x16 \) $out/ico/with-png.ico

# Projects: tiny cards written byte by byte from the file layout (pictures as 32-bit BMP streams,
# 108-byte layer records, the size list and the trailer), not by the program's own writer.
mkdir -p $out/project
python3 - "$out/project" <<'PY'
import struct, sys
folder = sys.argv[1]
def bmp32(width, height, seed):
    pixels = bytes((seed * 37 + i * 11) % 256 for i in range(4 * width * height))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(pixels), 0, 0, 0, 0)
    return b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54) + info + pixels
def record(opacity, place, scaled=1, cropped=0, interpolate=1):
    r = bytes([6]) + b"bitmap" + bytes(65) + struct.pack("<I4f", opacity, *place)
    r += bytes([scaled, cropped]) + bytes(10) + bytes([interpolate]) + bytes(3)
    assert len(r) == 108
    return r
FRAME = bytes(108)
def project(name, base, layers=(), records=None):
    parts = list(layers) + [base]
    if records is not None:
        parts.append(b"".join(records))
    sizes = "".join(f"{len(p)}\r\n" for p in parts).encode()
    data = b"".join(parts) + sizes + struct.pack("<i", len(sizes) + 4)
    open(f"{folder}/{name}", "wb").write(data)
project("no-layers.vlm", bmp32(3, 2, 1))
project("two-layers.vlm", bmp32(4, 3, 2), [bmp32(2, 2, 3), bmp32(1, 3, 4)],
        [record(255, (0, 0, 2, 2)), record(128, (1.5, 0.25, 2.5, 3.25), interpolate=0)])
project("frame-between.vlm", bmp32(4, 4, 5), [bmp32(2, 1, 6), bmp32(1, 1, 7)],
        [record(255, (0, 0, 2, 1)), FRAME, record(64, (3, 3, 4, 4), cropped=1)])
project("scaled-far.vlm", bmp32(2, 2, 8), [bmp32(3, 2, 9)],
        [record(200, (-10.5, 20, 310.5, 220), scaled=0)])
project("band-only.vlm", bmp32(2, 3, 10), [], [FRAME])
PY

# The signature-sniffing reader gets one of each.
cp $out/bmp/rle8.bmp $out/jpeg/progressive.jpg $out/png/palette-trns.png \
   $out/gif/transparent.gif $out/tiff/lzw.tif $out/ico/bitmaps.ico $out/any/
du -sh "$out"
