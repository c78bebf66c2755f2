#!/usr/bin/env bash
# Configures and builds (when needed) and runs every test. Run scripts/install-deps.sh first on a
# fresh machine.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${QUILLMERE_BUILD_DIR:-build}"
if [[ ! -f "$build_dir/build.ninja" ]]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure --timeout 600 -j "$(nproc)"
