#!/usr/bin/env bash
# scripts/run.sh with DISPLAY naming a display no X server serves: it must say so
# plainly, tell how to run without a display, and end with an error before it builds
# or starts anything.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# A display number with neither a server socket nor a lock file.
n=4711
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done

out=$(DISPLAY=:$n timeout 120 bash "$root/scripts/run.sh" 2>&1)
rc=$?
fail() { printf 'FAILED: %s\n--- output of run.sh ---\n%s\n' "$1" "$out"; exit 1; }

[ "$rc" -ne 0 ] || fail "run.sh ended with exit code 0"
[ "$rc" -ne 124 ] || fail "run.sh did not end within 120 s"
grep -qF "the X display in DISPLAY (:$n) does not answer" <<<"$out" || fail "no plain word about the display"
grep -qF "env -u DISPLAY bash scripts/run.sh" <<<"$out" || fail "no word on running without a display"
grep -qF "nothing was built or started" <<<"$out" || fail "no closing error line"
grep -qiE "building|MariaDB|Wine prefix|running KORVAN" <<<"$out" && fail "run.sh went on to build or start something"
printf 'run.sh refused the display :%s as it should:\n%s\n' "$n" "$out"
