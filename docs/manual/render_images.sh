#!/usr/bin/env bash
# Renders the manual's pictures with `plotix --render` from graph files that Plotix
# itself saved: the examples of the repository and the manual's own examples.
# Usage: docs/manual/render_images.sh [PLOTIX]   (default build/release/plotix)
set -euo pipefail
cd "$(dirname "$0")/../.."
plotix="${1:-build/release/plotix}"
out=docs/manual/images
mkdir -p "$out"

# The repository's examples.
"$plotix" --render examples/bounded.pxg "$out/bounded.png"
"$plotix" --render examples/curves.pxg "$out/curves.png"
"$plotix" --render examples/labels.pxg "$out/labels.png"
"$plotix" --render examples/polar.pxg "$out/polar.png"
"$plotix" --render examples/polynomials.pxg "$out/polynomials.png"
"$plotix" --render examples/solid_of_revolution.pxg "$out/solid_of_revolution.png"
"$plotix" --render examples/surface.pxg "$out/surface.png"
"$plotix" --render examples/trigonometry.pxg "$out/trigonometry.png"

# The manual's own examples, saved from the program's windows.
"$plotix" --render docs/manual/examples/first_graph.pxg "$out/first_graph.png"
"$plotix" --render docs/manual/examples/asymptote.pxg "$out/asymptote.png"

# A graph drawn at 16 colours (pictures.md): the light blue fill becomes grey.
"$plotix" --render examples/labels.pxg "$out/labels_4bit.png" --depth 4

# functions_dock.png (functions_list.md) is a screenshot of the program's window, typed as
# functions_list.md's "A first graph from the keyboard" does, the Parameters dock hidden.
# points_at_a_click.png (analysis.md) is a screenshot of the program's window, not rendered
# here: examples/polynomials.pxg, its cubic clicked at its minimum and the minimum's tip kept.
