#!/usr/bin/env bash
# Draws the start-up picture, ui/plintho.bmp: a runner on a track at
# sunset under the program's name, 336 x 479 pixels, 8 bits a pixel with a
# full 256-colour palette, uncompressed, bottom-up (162,022 bytes as a file,
# 162,008 as the resource). Needs ImageMagick and the DejaVu fonts.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
W=336 H=479
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
book=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

convert -size ${W}x270 gradient:'#0b1d4a'-'#f08a3c' "$tmp/sky.png"
convert -size ${W}x209 gradient:'#b5452e'-'#7a2a1e' "$tmp/track.png"
convert "$tmp/sky.png" "$tmp/track.png" -append \
  -fill '#ffd36b' -draw "circle 238,262 238,222" \
  -fill '#f7b04f' -draw "rectangle 0,266 $W,272" \
  -fill none -stroke '#f4efe6' -strokewidth 3 \
  -draw "ellipse 168,560 420,250 180,360" \
  -draw "ellipse 168,560 340,200 180,360" \
  -draw "ellipse 168,560 260,150 180,360" \
  -draw "ellipse 168,560 180,100 180,360" \
  -stroke '#0d1430' -fill none -strokewidth 12 \
  -draw "stroke-linecap round path 'M 152,302 L 165,356'" \
  -strokewidth 8 \
  -draw "stroke-linecap round stroke-linejoin round path 'M 154,314 L 132,338 L 114,330'" \
  -draw "stroke-linecap round stroke-linejoin round path 'M 157,313 L 184,330 L 200,312'" \
  -draw "stroke-linecap round stroke-linejoin round path 'M 165,358 L 196,388 L 188,428'" \
  -draw "stroke-linecap round stroke-linejoin round path 'M 165,358 L 140,392 L 110,398'" \
  -stroke none -fill '#0d1430' -draw "circle 146,286 146,272" \
  -fill white -font "$bold" -pointsize 72 -gravity north -annotate +0+34 'VELTO' \
  -fill '#ffe7c2' -font "$book" -pointsize 15 -annotate +0+118 'A Pacing Calculator for Runners' \
  -fill '#ffe7c2' -pointsize 12 -annotate +0+142 'Version 1.0' \
  -dither FloydSteinberg -colors 256 -type Palette -compress none BMP3:"$tmp/logo.bmp"

# Pad the palette to all 256 entries, as the picture's format asks.
python3 - "$tmp/logo.bmp" ui/plintho.bmp <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
offset = struct.unpack_from('<I', data, 10)[0]
width, height, planes, bits, compression = struct.unpack_from('<iiHHI', data, 18)
used = struct.unpack_from('<I', data, 46)[0] or 256
assert (width, height, bits, compression) == (336, 479, 8, 0), (width, height, bits, compression)
palette = data[54:54 + 4 * used].ljust(1024, b'\0')
pixels = data[offset:offset + 336 * 479]
header = struct.pack('<IiiHHIIiiII', 40, 336, 479, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
body = header + palette + pixels
open(sys.argv[2], 'wb').write(b'BM' + struct.pack('<IHHI', 14 + len(body), 0, 0, 14 + 40 + 1024) + body)
PY
echo "ui/plintho.bmp: $(stat -c %s ui/plintho.bmp) bytes"
