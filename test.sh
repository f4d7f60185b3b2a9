#!/usr/bin/env bash
# Builds everything, with warnings as errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQRB_BUILD_GUI=ON -DQRB_WERROR=ON >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure --timeout 300 -j "$(nproc)"
