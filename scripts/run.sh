#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillmere.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir="${QUILLMERE_BUILD_DIR:-build}"
if [[ ! -f "$build_dir/build.ninja" ]]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build_dir"
exec "$build_dir/src/App/quillmere" "$@"
