#!/usr/bin/env bash
# Renders the program icon's PNG sizes from data/icons/plotix.svg (rsvg-convert, from
# Debian's librsvg2-bin). Run it after changing the SVG and commit the PNG files.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 48 256; do
  rsvg-convert --width "$size" --height "$size" --output "plotix-$size.png" plotix.svg
done
