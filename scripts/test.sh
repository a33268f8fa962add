#!/usr/bin/env bash
# Builds KORVAN and runs every test: the native sanitizer build (build-native/)
# and the Windows build under Wine (build/), against a freshly loaded database
# and on a private X display. Exits non-zero when anything fails.
#   bash scripts/test.sh
#
# The database korvan is dropped and recreated with the schema and the seed
# data (no demonstration data). To try this script against a server whose
# korvan database must stay untouched, point it at another database:
#   KORVAN_DB_NAME=korvan_selftest bash scripts/test.sh
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=scripts/setup.sh
source "$here/setup.sh"
korvan_traps

korvan_setup
db_start
db_provision
db_recreate
db_load_schema
db_load_seed

mapfile -t displays < <(seq 92 140)
xvfb_start "${displays[@]}"
wine_keep_server
wine_window_manager off

jobs=$KORVAN_JOBS
native_rc=0
windows_rc=0

say "running the native tests (build-native/)"
ctest --test-dir "$KORVAN_BUILD_NATIVE" --output-on-failure --no-tests=error -j"$jobs" \
  2>&1 | tee "$KORVAN_LOGS/ctest-native.log" || native_rc=$?

say "running the Windows tests under Wine (build/)"
# A Wine process very rarely dies while starting under a full parallel load, before the
# test in it runs; such a test gets one more run (a test that fails for real fails twice).
ctest --test-dir "$KORVAN_BUILD" --output-on-failure --no-tests=error -j"$jobs" --repeat until-pass:2 \
  2>&1 | tee "$KORVAN_LOGS/ctest-windows.log" || windows_rc=$?

# "N% tests passed, F tests failed out of T" from a CTest log, as "T F".
_counts() {
  sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\2 \1/p' "$1" | tail -n 1
}
_summary() {
  grep -E 'tests passed|No tests were found' "$1" | tail -n 1 || echo "(no summary: see $1)"
}

echo
say "summary"
printf '  native (clang, sanitizers):  %s\n' "$(_summary "$KORVAN_LOGS/ctest-native.log")"
printf '  Windows (MinGW under Wine):  %s\n' "$(_summary "$KORVAN_LOGS/ctest-windows.log")"
total=0 failed=0
for run in "native:$native_rc" "windows:$windows_rc"; do
  name=${run%%:*} rc=${run#*:}
  read -r t f <<<"$(_counts "$KORVAN_LOGS/ctest-$name.log")" || true
  # A run that failed before its summary (a build or discovery error) counts
  # as one failure.
  if [ -z "${t:-}" ] && [ "$rc" -ne 0 ]; then t=1 f=1; fi
  total=$(( total + ${t:-0} )); failed=$(( failed + ${f:-0} ))
done
echo "$(( total - failed )) passed, $failed failed"

if [ "$native_rc" -ne 0 ] || [ "$windows_rc" -ne 0 ]; then
  exit 1
fi
