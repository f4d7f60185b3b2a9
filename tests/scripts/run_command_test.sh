#!/usr/bin/env bash
# The run command started from another folder: it builds in its own checkout
# and starts the program in the folder it was typed in, with the arguments
# as given, after asking for the run-time packages. A copy of the command
# runs in a checkout of stand-ins (dependencies, cmake and the program), so
# that nothing is installed or built.
set -euo pipefail
run_command="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
checkout="$work/quarel"
mkdir -p "$checkout/scripts" "$checkout/build/src" "$work/bin" "$work/rilievi"
cp "$run_command" "$checkout/run.sh"
printf '%s\n' '#!/usr/bin/env bash' 'echo "$*" > "$(dirname "$0")/../deps.args"' > "$checkout/scripts/deps.sh"
printf '%s\n' '#!/usr/bin/env bash' 'echo "$*" >> "'"$work"'/cmake.calls"' > "$work/bin/cmake"
printf '%s\n' '#!/usr/bin/env bash' 'pwd > "'"$work"'/program.folder"' 'printf "%s\n" "$@" > "'"$work"'/program.args"' \
  > "$checkout/build/src/quarel-import"
chmod +x "$work/bin/cmake" "$checkout/build/src/quarel-import"
touch "$checkout/build/CMakeCache.txt"

(cd "$work/rilievi" && PATH="$work/bin:$PATH" bash ../quarel/run.sh "oggi del giorno.qrb")

fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(cat "$work/program.folder")" = "$work/rilievi" ] || fail "the program started in $(cat "$work/program.folder")"
[ "$(cat "$work/program.args")" = "oggi del giorno.qrb" ] || fail "arguments: $(cat "$work/program.args")"
grep -qx "xdg-utils" "$checkout/deps.args" || fail "run-time packages asked: $(cat "$checkout/deps.args")"
grep -q -- "-B $checkout/build" "$work/cmake.calls" || fail "built elsewhere: $(cat "$work/cmake.calls")"
echo "run command: program started in the caller's folder"
