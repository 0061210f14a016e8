#!/usr/bin/env bash
# Configures and builds one variant: build.sh DIR [cmake options...] [-- targets...]
set -euo pipefail
dir=$1
shift
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
[ $# -gt 0 ] && shift
targets=()
for target in "$@"; do targets+=(--target "$target"); done
mkdir -p "$dir"
cmake -S "$(dirname "$0")/.." -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" > "$dir/configure.log" 2>&1 ||
  { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
