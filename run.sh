#!/usr/bin/env bash
# Builds the program and starts its window; arguments are passed on (a
# command line is the survey book's output path).
#
# It shares the build folder of ./test.sh and keeps that folder's settings
# (warnings as errors or not), building only the program: right after the
# tests it starts at once, and nothing is compiled twice.
#
# The program starts in the folder the command was typed in, as any command
# does: a relative book path is taken from there.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
# xdg-utils: "Edita formato" asks xdg-mime for the text editor.
bash "$here/scripts/deps.sh" xdg-utils
if [ -f "$here/build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$here/build" >/dev/null
else
  cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQRB_BUILD_GUI=ON >/dev/null
fi
cmake --build "$here/build" --target quarel-import
exec "$here/build/src/quarel-import" "$@"
