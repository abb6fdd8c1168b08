#!/usr/bin/env bash
# Renders Orvane's pictures from their SVG sources in resources/art/:
#   resources/splash.rgbx                start-up picture, 411 x 276, raw RGB and a pad byte
#   resources/icon-16.rgba, -32, -64     the windows' icon, raw RGBA
#   resources/icon-16.png, -32, -256     program icon installed for the desktop
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
# The pictures the program shows are read before the planner is: stored as raw pixels,
# row after row with no header, at the sizes src/windows/app_icon.cpp gives, they are
# used as they lie (no decoder runs at start-up).
render "$art/splash.svg" 411 276 "$out/splash.png.tmp" splash.rgbx
"$im" "$out/splash.png.tmp" -background white -alpha remove -alpha opaque -depth 8 "rgba:$out/splash.rgbx"
rm -f "$out/splash.png.tmp"

render "$art/icon-16.svg" 16 16 "$out/icon-16.png"
render "$art/icon.svg" 32 32 "$out/icon-32.png"
render "$art/icon.svg" 64 64 "$out/icon-64.png.tmp" icon-64.rgba
render "$art/icon.svg" 256 256 "$out/icon-256.png"
for size in 16 32; do "$im" "$out/icon-$size.png" -depth 8 "rgba:$out/icon-$size.rgba"; done
"$im" "$out/icon-64.png.tmp" -depth 8 "rgba:$out/icon-64.rgba"
rm -f "$out/icon-64.png.tmp"
echo "  icon-16.rgba, icon-32.rgba, icon-64.rgba"

"$im" "$out/icon-16.png" "$out/icon-32.png" "$out/orvane.ico"
echo "  orvane.ico  16x16 32x32"
