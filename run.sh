#!/usr/bin/env bash
# Builds Plotix (Release) into build/release and starts it, opening FILE when given.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
plotix_install_deps
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DPLOTIX_BENCH=ON > /dev/null
cmake --build build/release -j"$(nproc)" --target plotix
exec build/release/plotix "$@"
