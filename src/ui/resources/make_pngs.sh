#!/bin/sh
# Renders the program's pictures from their SVG drawings. Run it after
# editing an SVG; the build embeds the PNG files (see vexa.qrc). Eight bits
# per channel: sixteen would only make them slower to decode and larger in
# memory.
set -e
cd "$(dirname "$0")"
for size in 256 128 64 48 32 24 16; do
  convert -background none icon.svg -resize ${size}x${size} -depth 8 icon${size}.png
done
convert -background none logo.svg -resize 200x64 -depth 8 logo.png
# The window icon and the logo are embedded as raw 8-bit RGBA pixels (see
# vexa.qrc): they become images without a decoder, so the program loads no
# image format plugin at start.
for size in 48 32 16; do
  convert icon${size}.png -depth 8 RGBA:icon${size}.rgba
done
convert logo.png -depth 8 RGBA:logo.rgba
