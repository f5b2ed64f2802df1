#!/usr/bin/env bash
# Builds Plotix with the address and undefined-behaviour sanitizers into build/test
# and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
plotix_install_deps
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DPLOTIX_SANITIZE=ON -DPLOTIX_BENCH=OFF "${launcher[@]}" > /dev/null
cmake --build build/test -j"$(nproc)"
cd build/test
ctest --output-on-failure -j"$(nproc)"
