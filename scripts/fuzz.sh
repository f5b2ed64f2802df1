#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build/fuzz and runs one of them.
#   scripts/fuzz.sh graph_file|expression [SECONDS] [JOBS]
# The corpus grows in build/fuzz/corpus/TARGET, seeded from examples/, fuzz/seeds/ and
# fuzz/regressions/; inputs that crash, hang or blow up memory land in
# build/fuzz/findings/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?"usage: scripts/fuzz.sh graph_file|expression [SECONDS] [JOBS]"}
seconds=${2:-3600}
jobs=${3:-1}
case "$target" in graph_file | expression) ;; *) echo "no fuzz target $target" >&2; exit 2 ;; esac
command -v clang++ > /dev/null || { echo "the fuzz targets need clang: apt-get install -y clang" >&2; exit 1; }

launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DPLOTIX_FUZZ=ON \
  -DPLOTIX_BENCH=OFF "${launcher[@]}" > /dev/null
cmake --build build/fuzz -j2 --target "fuzz_$target"

corpus=$PWD/build/fuzz/corpus/$target findings=$PWD/build/fuzz/findings/$target
mkdir -p "$corpus" "$findings"
if [ "$target" = graph_file ]; then
  cp examples/*.pxg fuzz/seeds/graph_file/* "$corpus"/
else
  # One seed per line of the expression list.
  n=0
  while IFS= read -r line; do printf '%s' "$line" > "$corpus/seed-$((n += 1))"; done < fuzz/seeds/expressions.txt
fi
shopt -s nullglob
regressions=(fuzz/regressions/"$target"/*)
[ ${#regressions[@]} -eq 0 ] || cp "${regressions[@]}" "$corpus"/

# libFuzzer writes the logs of parallel jobs into the folder it runs in.
cd build/fuzz
export QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$PWD/../../fuzz/lsan_suppressions.txt
options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1
  -artifact_prefix="$findings"/)
[ "$jobs" -gt 1 ] && options+=(-jobs="$jobs" -workers="$jobs")
exec "./fuzz_$target" "${options[@]}" "$corpus"
