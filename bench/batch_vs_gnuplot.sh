#!/usr/bin/env bash
# 100 pictures of the ten-function graph in one run each: `plotix --render` with 100 FILE
# OUT pairs against gnuplot drawing the same 100 plots from one script (png terminal),
# measured in one run by hyperfine; prints each median and the ratio.
# Usage: bench/batch_vs_gnuplot.sh [PLOTIX] [RUNS]   (default build/release/plotix, 10)
set -euo pipefail
cd "$(dirname "$0")/.."
plotix="$(realpath "${1:-build/release/plotix}")"
runs="${2:-10}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
for tool in hyperfine gnuplot; do
  command -v "$tool" > /dev/null || { echo "needs $tool (apt-get install $tool)" >&2; exit 1; }
done
pairs=()
for i in $(seq 1 100); do
  cp bench/ten_functions.pxg "$out/g$i.pxg"
  pairs+=("$out/g$i.pxg" "$out/p$i.png")
done
# The plot of ten_functions.gp, once per output file.
{
  grep -v '^plot\|^     \|^set output' bench/ten_functions.gp | sed 's/@term/png/'
  echo "do for [i=1:100] {"
  echo "  set output sprintf('$out/q%d.png', i)"
  sed -n '/^plot/,/^[^ p]/p' bench/ten_functions.gp | grep '^plot\|^     '
  echo "}"
} > "$out/batch.gp"
hyperfine -N --warmup 2 --runs "$runs" --export-json "$out/times.json" \
  -n plotix "$plotix --render ${pairs[*]}" \
  -n gnuplot-png "gnuplot $out/batch.gp" > /dev/null
python3 - "$out/times.json" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
median = {name: r["median"] * 1000 for name, r in results.items()}
for name, ms in median.items():
    print(f"{name:12} median {ms:7.1f} ms")
print(f"plotix / gnuplot-png: {median['plotix'] / median['gnuplot-png']:.2f}")
PY
