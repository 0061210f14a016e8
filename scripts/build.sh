#!/usr/bin/env bash
# Configures and builds one variant, a preset of CMakePresets.json named after its folder:
#   build.sh PRESET [cmake options...] [-- targets...]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
shift
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
[ $# -gt 0 ] && shift
targets=()
for target in "$@"; do targets+=(--target "$target"); done
mkdir -p "$preset"
cmake --preset "$preset" "${options[@]}" > "$preset/configure.log" 2>&1 || { cat "$preset/configure.log"; exit 1; }
cmake --build --preset "$preset" -j"$(nproc)" "${targets[@]}"
