#!/usr/bin/env bash
# Renders the program icon from its SVG into the PNG sizes of the hicolor theme. The PNGs are
# kept in the tree, so building needs no SVG renderer; run this after changing the SVG.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../app/resources/icons"
for size in 16 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" vendrel.svg -o "vendrel-$size.png"
done
