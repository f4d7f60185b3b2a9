#!/usr/bin/env bash
# Builds the program and starts its window; arguments are passed on (a
# command line is the survey book's output path).
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQRB_BUILD_GUI=ON -DQRB_WERROR=OFF >/dev/null
cmake --build build
exec build/src/quarel-import "$@"
