#!/usr/bin/env bash
# Configures and builds one variant: build.sh DIR [cmake options...]
set -euo pipefail
dir=$1
shift
mkdir -p "$dir"
cmake -S "$(dirname "$0")/.." -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > "$dir/configure.log" 2>&1 ||
  { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir" -j"$(nproc)"
