#!/usr/bin/env bash
# Whole-process times of `plotix --render` against gnuplot drawing the same ten functions
# into 500 x 500 PNGs, measured by hyperfine; prints each median and the ratios:
#  - one picture per process (gnuplot with its png and pngcairo terminals);
#  - 100 pictures in one run each: --render with 100 FILE OUT pairs against one gnuplot
#    script plotting 100 times (png terminal).
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
  grep '^plot\|^     ' bench/ten_functions.gp
  echo "}"
} > "$out/batch.gp"

hyperfine -N --warmup 5 --runs "$runs" --export-json "$out/one.json" \
  -n plotix "$plotix --render bench/ten_functions.pxg $out/plotix.png" \
  -n gnuplot-png "gnuplot -e \"term='png'; out='$out/png.png'\" bench/ten_functions.gp" \
  -n gnuplot-pngcairo "gnuplot -e \"term='pngcairo'; out='$out/cairo.png'\" bench/ten_functions.gp" > /dev/null
hyperfine -N --warmup 2 --runs "$(( (runs + 3) / 4 ))" --export-json "$out/batch.json" \
  -n plotix-100 "$plotix --render ${pairs[*]}" \
  -n gnuplot-png-100 "gnuplot $out/batch.gp" > /dev/null
python3 - "$out/one.json" "$out/batch.json" <<'PY'
import json, sys
results = {r["command"]: r for f in sys.argv[1:] for r in json.load(open(f))["results"]}
median = {name: r["median"] * 1000 for name, r in results.items()}
for name, ms in median.items():
    print(f"{name:18} median {ms:7.1f} ms   user+sys {1000 * (results[name]['user'] + results[name]['system']):6.1f} ms")
for mine, peer in (("plotix", "gnuplot-png"), ("plotix", "gnuplot-pngcairo"), ("plotix-100", "gnuplot-png-100")):
    print(f"{mine} / {peer}: {median[mine] / median[peer]:.2f}")
PY
