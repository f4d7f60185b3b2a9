#!/usr/bin/env bash
# Builds the program and starts it; arguments are passed on (a command line
# is the survey book's output path).
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
if [ -x build/src/quarel-import ]; then
  exec build/src/quarel-import "$@"
else
  echo "Built. The main window is not part of this build yet: nothing to start."
fi
