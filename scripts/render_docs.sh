#!/usr/bin/env bash
# Renders every example graph into docs/NAME.png with `plotix --render` and rewrites the
# README's gallery between its two gallery marks, one picture per example with its graph
# kind, so the README shows what the program draws today.
# Usage: scripts/render_docs.sh [PLOTIX]   (default build/release/plotix)
set -euo pipefail
cd "$(dirname "$0")/.."
plotix="${1:-build/release/plotix}"
kinds=("" "2D Cartesian" "Polar" "3D Cartesian")  # by the graph kind in the file header
mkdir -p docs
rm -f docs/*.png
cells=()
for graph in examples/*.pxg; do
  name=$(basename "$graph" .pxg)
  "$plotix" --render "$graph" "docs/$name.png"
  kind=${kinds[$(od -An -tu4 -j53 -N4 "$graph" | xargs)]:-Graph}
  cells+=("<td align=\"center\"><img src=\"docs/$name.png\" width=\"250\" alt=\"$kind: $name\"><br>$kind: <code>examples/$name.pxg</code></td>")
done
{
  echo "<table>"
  for ((i = 0; i < ${#cells[@]}; i += 3)); do
    echo "<tr>${cells[*]:i:3}</tr>" | sed 's#</td> <td#</td><td#g'
  done
  echo "</table>"
} > docs/gallery.html
# The README keeps everything outside the marks.
python3 - <<'PY'
import re
readme = open("README.md").read()
gallery = open("docs/gallery.html").read()
begin, end = "<!-- gallery: scripts/render_docs.sh -->\n", "<!-- /gallery -->"
assert begin in readme and end in readme, "README.md lacks the gallery marks"
head, rest = readme.split(begin, 1)
open("README.md", "w").write(head + begin + gallery + rest[rest.index(end):])
PY
rm docs/gallery.html
