#!/usr/bin/env bash
# Writes the image files of the texture tests into OUTDIR, at test time:
#   OUTDIR/real/     one 6 x 4 picture in every format and variant that must load, written by
#                    ImageMagick, and manifest.txt: "file width height reference tolerance",
#                    the reference being the file whose texels it must match within tolerance;
#   OUTDIR/hostile/  files that must be refused quickly: huge or zero declared sizes, files
#                    cut short, empty or text files, run-length runs past the end.
# Usage: make_test_images.sh OUTDIR
set -euo pipefail

out=${1:?usage: make_test_images.sh OUTDIR}
real="$out/real"
hostile="$out/hostile"
mkdir -p "$real" "$hostile"
cd "$real"

# ---- byte helpers ---------------------------------------------------------------------------
bytes() { printf "$(printf '%s' "$1" | sed 's/../\\x&/g')"; }                   # hex to bytes
patch() { bytes "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }  # file offset hex
le16() { printf '%02x%02x' $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { printf '%02x%02x%02x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
be16() { printf '%02x%02x' $(($1 >> 8 & 255)) $(($1 & 255)); }
be32() { printf '%02x%02x%02x%02x' $(($1 >> 24 & 255)) $(($1 >> 16 & 255)) $(($1 >> 8 & 255)) $(($1 & 255)); }
# The CRC-32 of a PNG chunk's type and data, big-endian: gzip's trailer holds it little-endian.
png_crc() {
    local crc
    crc=$(bytes "$1" | gzip -c | tail -c 8 | head -c 4 | od -An -tx1 | tr -d ' \n')
    printf '%s' "${crc:6:2}${crc:4:2}${crc:2:2}${crc:0:2}"
}
# The offset of the first byte pair $2 (hex) in file $1.
offset_of() { od -An -v -tx1 -w1 "$1" | tr -d ' ' | paste -sd' ' | grep -ob "${2:0:2} ${2:2:2}" | head -1 | cut -d: -f1 | awk '{print $1 / 3}'; }

manifest=manifest.txt
: > "$manifest"
add() { echo "$1 6 4 $2 $3" >> "$manifest"; }  # file reference tolerance
# Lossy files are compared with ImageMagick's own reading of them.
add_lossy() { convert "$1" -depth 8 -type TrueColor "PNG24:$1.ref.png"; add "$1" "$1.ref.png" "$2"; }

# ---- the picture: four corner colours, every texel different, every row different ------------
convert -size 6x4 xc: -sparse-color bilinear '0,0 red 5,0 lime 0,3 blue 5,3 white' -depth 8 \
    PNG24:picture.png
convert picture.png -colorspace gray -type TrueColor PNG24:grey-reference.png
add picture.png picture.png 0

# PNG
convert picture.png -depth 16 PNG48:png-16bit.png;                            add png-16bit.png picture.png 1
convert picture.png -colorspace gray -type Grayscale PNG8:png-grey.png 2>/dev/null || \
    convert picture.png -colorspace gray -type Grayscale png-grey.png;         add png-grey.png grey-reference.png 1
convert picture.png -type Palette PNG8:png-palette.png;                       add png-palette.png picture.png 0
convert picture.png -alpha set -channel A -evaluate set 50% +channel PNG32:png-alpha.png
add png-alpha.png picture.png 0
convert picture.png -interlace PNG png-interlaced.png;                        add png-interlaced.png picture.png 0

# JPEG
convert picture.png -quality 95 jpeg-baseline.jpg;                            add_lossy jpeg-baseline.jpg 8
convert picture.png -quality 95 -interlace JPEG jpeg-progressive.jpg;         add_lossy jpeg-progressive.jpg 8
convert picture.png -quality 95 -colorspace gray jpeg-grey.jpg;               add_lossy jpeg-grey.jpg 8
convert picture.png -quality 95 -colorspace CMYK jpeg-cmyk.jpg;               add_lossy jpeg-cmyk.jpg 8

# BMP
convert picture.png BMP2:bmp-os2.bmp;                                         add bmp-os2.bmp picture.png 0
convert picture.png BMP3:bmp-v3.bmp;                                          add bmp-v3.bmp picture.png 0
convert picture.png bmp-default.bmp;                                          add bmp-default.bmp picture.png 0
convert picture.png -define bmp:format=bmp4 bmp-v4.bmp;                       add bmp-v4.bmp picture.png 0
convert picture.png -monochrome BMP3:bmp-1bit.bmp;                           add_lossy bmp-1bit.bmp 0
convert picture.png -define bmp:subtype=RGB565 bmp-16bit.bmp;                add_lossy bmp-16bit.bmp 8
convert picture.png -type Palette -compress none BMP3:bmp-palette.bmp;        add bmp-palette.bmp picture.png 0
convert picture.png -type Palette -compress RLE BMP3:bmp-palette-rle.bmp;     add bmp-palette-rle.bmp picture.png 0
convert picture.png -alpha set -channel A -evaluate set 50% +channel -define bmp:format=bmp4 \
    bmp-32bit.bmp;                                                            add bmp-32bit.bmp picture.png 0
# Top-down: the 24-bit BMP3 with a negative height and its 20-byte rows in the other order.
{
    head -c 54 bmp-v3.bmp
    for row in 3 2 1 0; do tail -c +$((55 + row * 20)) bmp-v3.bmp | head -c 20; done
} > bmp-top-down.bmp
patch bmp-top-down.bmp 22 "$(le32 $((2 ** 32 - 4)))";                        add bmp-top-down.bmp picture.png 0

# TGA: ImageMagick writes its rows in the same order whatever origin it is told, so each
# origin gets the picture turned to match, and the file holds the true picture.
convert picture.png -type TrueColor -orient TopLeft tga-top-left.tga;                 add tga-top-left.tga picture.png 0
convert picture.png -type TrueColor -flop -orient TopRight tga-top-right.tga;         add tga-top-right.tga picture.png 0
convert picture.png -type TrueColor -flip -orient BottomLeft tga-bottom-left.tga;     add tga-bottom-left.tga picture.png 0
convert picture.png -type TrueColor -flip -flop -orient BottomRight tga-bottom-right.tga
add tga-bottom-right.tga picture.png 0
convert picture.png -type TrueColor -compress RLE -orient TopLeft tga-rle.tga;        add tga-rle.tga picture.png 0
convert picture.png -type TrueColor -compress RLE -flop -orient TopRight tga-rle-right.tga
add tga-rle-right.tga picture.png 0
convert picture.png -type Palette -orient TopLeft tga-colour-mapped.tga;              add tga-colour-mapped.tga picture.png 0
convert picture.png -type Palette -compress RLE -orient TopLeft tga-colour-mapped-rle.tga
add tga-colour-mapped-rle.tga picture.png 0
convert picture.png -colorspace gray -type Grayscale -orient TopLeft tga-grey.tga;    add tga-grey.tga grey-reference.png 1
convert picture.png -colorspace gray -type Grayscale -compress RLE -flip -orient BottomLeft tga-grey-rle.tga
add tga-grey-rle.tga grey-reference.png 1

# GIF, PCX, PNM, TIFF, WebP
convert picture.png +dither gif.gif;                                          add gif.gif picture.png 0
convert picture.png pcx.pcx;                                                  add pcx.pcx picture.png 0
convert picture.png -type Palette pcx-palette.pcx;                            add pcx-palette.pcx picture.png 0
convert picture.png pnm.ppm;                                                  add pnm.ppm picture.png 0
convert picture.png -compress none pnm-text.ppm;                              add pnm-text.ppm picture.png 0
convert picture.png -colorspace gray pnm-grey.pgm;                            add pnm-grey.pgm grey-reference.png 1
convert picture.png -depth 16 pnm-16bit.ppm;                                  add pnm-16bit.ppm picture.png 1
convert picture.png -depth 16 -compress none pnm-16bit-text.ppm;              add pnm-16bit-text.ppm picture.png 1
convert picture.png -threshold 50% pnm-bitmap.pbm;                            add_lossy pnm-bitmap.pbm 0
convert picture.png -compress none tiff.tiff;                                 add tiff.tiff picture.png 0
convert picture.png -compress lzw tiff-lzw.tif;                               add tiff-lzw.tif picture.png 0
convert picture.png -define webp:lossless=true webp-lossless.webp;            add webp-lossless.webp picture.png 0
convert picture.png -quality 95 webp-lossy.webp;                              add_lossy webp-lossy.webp 12

# DDS, and the formats only DevIL reads
convert picture.png -define dds:compression=dxt1 -define dds:mipmaps=0 dds-dxt1.dds;  add_lossy dds-dxt1.dds 8
convert picture.png -define dds:compression=dxt3 -define dds:mipmaps=0 dds-dxt3.dds;  add_lossy dds-dxt3.dds 8
convert picture.png -define dds:compression=dxt5 -define dds:mipmaps=0 dds-dxt5.dds;  add_lossy dds-dxt5.dds 8
convert picture.png -define dds:compression=dxt1 dds-mipmapped.dds;                   add_lossy dds-mipmapped.dds 8
convert picture.png -alpha set -define dds:compression=none -define dds:mipmaps=0 dds-plain.dds
add dds-plain.dds picture.png 0
# The DX10 header: FourCC "DX10" and a 20-byte header (DXGI format, 2D, no flags, one layer).
with_dx10_header() {
    { head -c 128 "$1"; bytes "$(le32 "$2")$(le32 3)$(le32 0)$(le32 1)$(le32 0)"; tail -c +129 "$1"; } > "$3"
    patch "$3" 80 "$(le32 4)44583130"
}
with_dx10_header dds-dxt1.dds 71 dds-dx10-bc1.dds;    add dds-dx10-bc1.dds dds-dxt1.dds.ref.png 8
with_dx10_header dds-plain.dds 87 dds-dx10-bgra.dds;  add dds-dx10-bgra.dds picture.png 0
convert picture.png sgi.sgi;                                                  add sgi.sgi picture.png 0
convert picture.png sun.ras;                                                  add sun.ras picture.png 0
convert picture.png psd.psd;                                                  add psd.psd picture.png 0
convert picture.png -type Palette xpm.xpm;                                    add xpm.xpm picture.png 0
convert picture.png ico.ico;                                                  add ico.ico picture.png 0
convert picture.png hdr.hdr;                                                  add hdr.hdr picture.png 1
convert picture.png mng.mng;                                                  add mng.mng picture.png 0

# The decoder follows the content, not the name.
cp picture.png png-named.jpg;                                                 add png-named.jpg picture.png 0
cp bmp-default.bmp bmp-named.tga;                                             add bmp-named.tga picture.png 0
cp tga-top-left.tga tga-named.png;                                            add tga-named.png picture.png 0

# ---- odd sizes: rows of RGB texels that are no multiple of four bytes, sides no power of two -
add_sized() { echo "$1 $2 $3 $1 0" >> "$manifest"; }  # file width height, its own reference
# A PNG chunk: length, type, data and CRC, from the type and data in hex.
png_chunk() { printf '%s%s%s%s' "$(be32 $((${#2} / 2)))" "$1" "$2" "$(png_crc "$1$2")"; }
ascii_hex() { printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n'; }
# The chunks GIMP writes after IHDR: background colour, pixel density, time, a comment.
with_gimp_chunks() {
    local chunks
    chunks=$(png_chunk 624b4744 000000000000)$(png_chunk 70485973 00000b1300000b1301)
    chunks+=$(png_chunk 74494d45 07e80a0e0b1e2b)
    chunks+=$(png_chunk 69545874 "$(ascii_hex Comment)0000000000$(ascii_hex 'Created with GIMP')")
    { head -c 33 "$1"; bytes "$chunks"; tail -c +34 "$1"; } > "$2"
}
for size in 127x16 16x127 5x7 31x33 1x5; do
    width=${size%x*} height=${size#*x}
    # Noise: every texel differs from its neighbours, so that a smear or a shifted row shows.
    convert -seed "$width$height" -size "$size" xc:gray +noise Random -depth 8 \
        PNG24:"odd-rgb-$size.png";                                            add_sized "odd-rgb-$size.png" "$width" "$height"
    convert "odd-rgb-$size.png" -alpha set -channel A -fx '0.25+0.5*i/w' +channel -depth 8 \
        -define png:exclude-chunk=all \
        PNG32:odd-rgba.png
    with_gimp_chunks odd-rgba.png "odd-rgba-$size.png" && rm odd-rgba.png;    add_sized "odd-rgba-$size.png" "$width" "$height"
    convert "odd-rgb-$size.png" -type TrueColor -orient TopLeft "odd-rgb-$size.tga"
    add_sized "odd-rgb-$size.tga" "$width" "$height"
done

# ---- hostile files --------------------------------------------------------------------------
cd "$hostile"

# Huge declared sizes, one or more per format.
{ bytes "0000020000000000000000006358436718"; bytes 08; head -c 51 /dev/zero; } > tga-huge.tga  # 69 bytes
png_huge() {  # a PNG whose header is valid: width, height, 8-bit RGB, and a few bytes of IDAT
    local ihdr="49484452$(be32 "$1")$(be32 "$2")0802000000"
    { bytes 89504e470d0a1a0a0000000d; bytes "$ihdr$(png_crc "$ihdr")"
      bytes "0000000c49444154789cedc1010d000000c2a0f74f6d0e37a000"; bytes 0000000049454e44ae426082; } > "$3"
}
png_huge 25200 33300 png-huge.png
png_huge 16384 16384 png-1gb.png
png_huge 4294967295 1 png-wide.png
png_huge 0 4 png-zero-width.png
cp "$real/jpeg-baseline.jpg" jpeg-huge.jpg
sof=$(offset_of jpeg-huge.jpg ffc0)
patch jpeg-huge.jpg $((sof + 5)) "$(be16 65000)$(be16 65000)"
cp "$real/jpeg-baseline.jpg" jpeg-zero.jpg
patch jpeg-zero.jpg $((sof + 5)) "$(be16 0)$(be16 6)"
cp "$real/bmp-v3.bmp" bmp-huge.bmp;        patch bmp-huge.bmp 18 "$(le32 30000)$(le32 30000)"
cp "$real/bmp-v3.bmp" bmp-wraps.bmp;       patch bmp-wraps.bmp 18 "$(le32 65537)$(le32 65537)"
cp "$real/bmp-default.bmp" bmp-v5-huge.bmp; patch bmp-v5-huge.bmp 18 "$(le32 20000)$(le32 $((2 ** 32 - 20000)))"
cp "$real/bmp-v3.bmp" bmp-zero.bmp;        patch bmp-zero.bmp 18 "$(le32 0)"
cp "$real/tga-top-left.tga" tga-zero.tga;  patch tga-zero.tga 14 "$(le16 0)"
cp "$real/gif.gif" gif-huge.gif;           patch gif-huge.gif 6 "$(le16 65535)$(le16 65535)"
cp "$real/gif.gif" gif-huge-frame.gif
frame=$(offset_of gif-huge-frame.gif 2c00)
patch gif-huge-frame.gif $((frame + 5)) "$(le16 65535)$(le16 65535)"
cp "$real/gif.gif" gif-zero.gif;           patch gif-zero.gif 6 "$(le16 0)"
cp "$real/gif.gif" gif-zero-frame.gif;     patch gif-zero-frame.gif $((frame + 5)) "$(le16 0)"
cp "$real/pcx.pcx" pcx-huge.pcx;           patch pcx-huge.pcx 8 "$(le16 65535)$(le16 65535)"
cp "$real/pcx.pcx" pcx-inverted.pcx;       patch pcx-inverted.pcx 4 "$(le16 100)"
printf 'P6\n60000 60000\n255\n\1\2\3\4\5\6' > pnm-huge.ppm
printf 'P6\n0 4\n255\n\1\2\3' > pnm-zero.ppm
printf 'P5 99999999999999999999 1 255\n\1' > pnm-overflow.pgm
# A little-endian TIFF with one directory: 60000 x 60000, 8-bit RGB, one strip at offset 8.
tiff_huge() {
    bytes "49492a00$(le32 8)$(le16 4)"
    bytes "$(le16 256)$(le16 4)$(le32 1)$(le32 "$1")$(le16 257)$(le16 4)$(le32 1)$(le32 "$2")"
    bytes "$(le16 262)$(le16 3)$(le32 1)$(le32 2)$(le16 273)$(le16 4)$(le32 1)$(le32 8)$(le32 0)"
}
tiff_huge 60000 60000 > tiff-huge.tif
tiff_huge 0 10 > tiff-zero.tif
cp "$real/webp-lossless.webp" webp-huge.webp; patch webp-huge.webp 21 "ffffff0f"  # 16384 x 16384
cp "$real/dds-plain.dds" dds-huge.dds;     patch dds-huge.dds 12 "$(le32 60000)$(le32 60000)"
cp "$real/dds-plain.dds" dds-cube-huge.dds
patch dds-cube-huge.dds 12 "$(le32 4096)$(le32 4096)"; patch dds-cube-huge.dds 112 "$(le32 $((0x200 | 0xfc00)))"
cp "$real/dds-plain.dds" dds-volume-huge.dds
patch dds-volume-huge.dds 12 "$(le32 2048)$(le32 2048)$(le32 0)$(le32 1000)"; patch dds-volume-huge.dds 112 "$(le32 $((0x200000)))"
cp "$real/dds-dx10-bgra.dds" dds-dx10-array-huge.dds; patch dds-dx10-array-huge.dds 12 "$(le32 4096)$(le32 4096)"
patch dds-dx10-array-huge.dds 140 "$(le32 100)"
cp "$real/dds-dx10-bgra.dds" dds-layers-overflow.dds  # a volume of cube arrays: 2^32 x 6 x 2^32 x 6
patch dds-layers-overflow.dds 24 "$(le32 $((2 ** 32 - 1)))"; patch dds-layers-overflow.dds 112 "$(le32 $((0x200200)))"
patch dds-layers-overflow.dds 136 "$(le32 4)$(le32 $((2 ** 32 - 1)))"
cp "$real/dds-plain.dds" dds-zero.dds;     patch dds-zero.dds 16 "$(le32 0)"
cp "$real/dds-plain.dds" dds-bit-count.dds; patch dds-bit-count.dds 88 "$(le32 $((0x04000000)))"
cp "$real/dds-dxt1.dds" dds-levels-cut.dds  # twelve mipmap levels promised, one there
patch dds-levels-cut.dds 8 "$(le32 $((0xa1007)))"; patch dds-levels-cut.dds 28 "$(le32 12)"
cp "$real/sgi.sgi" sgi-huge.sgi;           patch sgi-huge.sgi 6 "$(be16 65535)$(be16 65535)"
cp "$real/sun.ras" sun-huge.ras;           patch sun-huge.ras 4 "$(be32 100000)$(be32 100000)"
cp "$real/psd.psd" psd-huge.psd;           patch psd-huge.psd 14 "$(be32 30000)$(be32 30000)"
cp "$real/ico.ico" ico-many.ico;           patch ico-many.ico 4 "$(le16 65535)"

# Run-length runs past the end of the picture: a TGA of 24 pixels with a run of 128, BMP runs
# and jumps below the last row, a PCX whose runs overflow its pixels.
{ bytes "00000a000000000000000000$(le16 6)$(le16 4)1820"; bytes ff112233; } > tga-run-past-end.tga
{ bytes "00000a000000000000000000$(le16 6)$(le16 4)1820"; bytes 96112233 ff445566; } > tga-runs-past-end.tga
cp "$real/bmp-palette-rle.bmp" bmp-run-past-end.bmp
size=$(stat -c %s bmp-run-past-end.bmp); pixels=$(od -An -tu4 -j10 -N4 bmp-run-past-end.bmp | tr -d ' ')
{ head -c "$pixels" bmp-run-past-end.bmp; for i in $(seq 4); do bytes 06010000; done; bytes ff010001; } > bmp-runs.tmp
mv bmp-runs.tmp bmp-run-past-end.bmp
{ head -c "$pixels" "$real/bmp-palette-rle.bmp"; bytes 0002 0010 ff01 0001; } > bmp-jump-past-end.bmp
cp "$real/pcx.pcx" pcx-run-past-end.pcx
{ head -c 128 "$real/pcx.pcx"; for i in $(seq 300); do bytes ff07; done; } > pcx-run-past-end.pcx

# Cut short: every real file of the main formats at a quarter, a half and three quarters.
for file in "$real"/*.{png,jpg,bmp,tga,gif,pcx,ppm,pgm,tiff,webp,dds}; do
    name=$(basename "$file")
    case "$name" in *.ref.png | picture.png | grey-reference.png | *-named.*) continue ;; esac
    size=$(stat -c %s "$file")
    for part in 1 2 3; do head -c $((size * part / 4)) "$file" > "cut-$part-of-4-$name"; done
done

# Nothing, or not an image.
: > empty.png
: > empty.dds
printf 'This is not a picture, only text saved with the wrong name.\n' > text.png
printf 'This is not a picture either.\n' > text.tga
head -c 4096 /dev/zero > zeros.bmp
