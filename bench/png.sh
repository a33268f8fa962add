#!/usr/bin/env bash
# Builds the PNG reader's benchmark without sanitizers (build-bench/: clang, -O2, the same
# optimisation as the system's libpng it is compared with) and runs it. Arguments go to
# the benchmark: [width height [rounds]].
#   bash bench/png.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=$root/build-bench
mkdir -p "$dir"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVAN_SANITIZE=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >"$dir/configure.log" 2>&1 ||
  { tail -n 20 "$dir/configure.log" >&2; exit 1; }
cmake --build "$dir" --target png_bench -j4 >/dev/null
"$dir/bench/png_bench" "$@"
