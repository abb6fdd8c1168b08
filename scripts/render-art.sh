#!/usr/bin/env bash
# Renders Orvane's pictures from their SVG sources in resources/art/:
#   resources/splash.ppm                 start-up picture, 411 x 276
#   resources/icon-16.png, -32, -256     program icon
#   resources/orvane.ico                 16 and 32 pixel icons in one file
# splash.svg itself is drawn by tools/draw_splash.py; run that first when the
# drawing is to change.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
art="$root/resources/art"
out="$root/resources"

install_packages() {
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "$@"
}

missing=()
command -v rsvg-convert >/dev/null 2>&1 || missing+=(librsvg2-bin)
[ -x /usr/bin/convert ] || command -v convert >/dev/null 2>&1 || missing+=(imagemagick)
# The lettering of the splash picture is set in DejaVu Serif Bold Italic.
fc-list : file 2>/dev/null | grep "DejaVuSerif-BoldItalic" >/dev/null || missing+=(fontconfig fonts-dejavu-extra)
if [ "${#missing[@]}" -gt 0 ]; then
  install_packages "${missing[@]}"
fi

# The system's ImageMagick, in preference to any wrapper earlier on the PATH.
if [ -x /usr/bin/convert ]; then im=/usr/bin/convert; else im=convert; fi

render() { # source width height target [label]
  rsvg-convert --format=png --width="$2" --height="$3" "$1" --output="$4"
  echo "  ${5:-$(basename "$4")}  ${2}x${3}"
}

echo "rendering into $out"
# The two large pictures are read at every start, before the planner is shown. The
# start-up picture is a binary PPM, whose rows Qt reads as they are (2 million
# instructions, where even a PNG stored without compression costs 12 million in
# libpng); the icon, which needs its alpha channel, is a PNG stored (zlib level 0, no
# row filter). The pixels are the same either way.
stored=(-define png:compression-level=0 -define png:compression-filter=0 -define png:compression-strategy=0
  -define png:exclude-chunks=date,time,tEXt,zTXt)
# The splash picture: 24-bit, no alpha channel.
render "$art/splash.svg" 411 276 "$out/splash.png.tmp" splash.ppm
"$im" "$out/splash.png.tmp" -background white -alpha remove -alpha off "$out/splash.ppm"
rm -f "$out/splash.png.tmp"

render "$art/icon-16.svg" 16 16 "$out/icon-16.png"
render "$art/icon.svg" 32 32 "$out/icon-32.png"
render "$art/icon.svg" 256 256 "$out/icon-256.png.tmp" icon-256.png
"$im" "$out/icon-256.png.tmp" "${stored[@]}" -define png:exclude-chunks=date,time,tEXt,zTXt,gAMA,cHRM "$out/icon-256.png"
rm -f "$out/icon-256.png.tmp"

"$im" "$out/icon-16.png" "$out/icon-32.png" "$out/orvane.ico"
echo "  orvane.ico  16x16 32x32"
