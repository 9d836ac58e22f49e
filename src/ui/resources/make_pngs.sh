#!/bin/sh
# Renders the program's pictures from their SVG drawings. Run it after
# editing an SVG; the build embeds the PNG files (see vexa.qrc).
set -e
cd "$(dirname "$0")"
convert -background none icon.svg -resize 256x256 icon256.png
convert -background none icon.svg -resize 48x48 icon48.png
convert -background none icon.svg -resize 32x32 icon32.png
convert -background none icon.svg -resize 16x16 icon16.png
convert -background none logo.svg -resize 200x64 logo.png
