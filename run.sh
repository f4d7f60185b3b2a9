#!/usr/bin/env bash
# Builds the program and starts its window; arguments are passed on (a
# command line is the survey book's output path).
#
# It shares the build folder of ./test.sh and keeps that folder's settings
# (warnings as errors or not), building only the program: right after the
# tests it starts at once, and nothing is compiled twice.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
if [ -f build/CMakeCache.txt ]; then
  cmake -S . -B build >/dev/null
else
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQRB_BUILD_GUI=ON >/dev/null
fi
cmake --build build --target quarel-import
exec build/src/quarel-import "$@"
