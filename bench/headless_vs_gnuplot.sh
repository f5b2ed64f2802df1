#!/usr/bin/env bash
# Whole-process time of `plotix --render` against gnuplot drawing the same ten functions
# into a 500 x 500 PNG, measured in one run by hyperfine; prints each median and the ratio.
# Usage: bench/headless_vs_gnuplot.sh [PLOTIX] [RUNS]   (default build/release/plotix, 40)
set -euo pipefail
cd "$(dirname "$0")/.."
plotix="$(realpath "${1:-build/release/plotix}")"
runs="${2:-40}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
for tool in hyperfine gnuplot; do
  command -v "$tool" > /dev/null || { echo "needs $tool (apt-get install $tool)" >&2; exit 1; }
done
hyperfine -N --warmup 5 --runs "$runs" --export-json "$out/times.json" \
  -n plotix "$plotix --render bench/ten_functions.pxg $out/plotix.png" \
  -n gnuplot-png "gnuplot -e \"term='png'; out='$out/png.png'\" bench/ten_functions.gp" \
  -n gnuplot-pngcairo "gnuplot -e \"term='pngcairo'; out='$out/cairo.png'\" bench/ten_functions.gp" > /dev/null
python3 - "$out/times.json" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
median = {name: r["median"] * 1000 for name, r in results.items()}
for name, ms in median.items():
    print(f"{name:18} median {ms:7.1f} ms   user+sys {1000 * (results[name]['user'] + results[name]['system']):6.1f} ms")
for peer in ("gnuplot-png", "gnuplot-pngcairo"):
    print(f"plotix / {peer}: {median['plotix'] / median[peer]:.2f}")
PY
