#!/usr/bin/env bash
# Builds KORVAN, starts its database and runs the program under Wine.
#   bash scripts/run.sh
# With an X display ($DISPLAY) the program runs there until you close it.
# Without one the script starts a private Xvfb, waits for the login window,
# saves a screenshot of it to build/screenshot-login.png and ends.
# The database korvan is created and filled with the seed and demonstration
# data only when it does not exist yet (or has no tables); existing data is
# kept, and only tables missing from an existing database are added.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=scripts/setup.sh
source "$here/setup.sh"
korvan_traps

LOGIN_CAPTION="Akses KORVAN 8.20"
# xdotool takes a regular expression: the brackets are escaped.
MAIN_CAPTION='Sistem Informasi Manajemen Selvaran \[KORVAN\]'
EXE=$KORVAN_BUILD/app/KORVAN.exe
SHOT=$KORVAN_BUILD/screenshot-login.png
MAIN_SHOT=$KORVAN_BUILD/screenshot-main.png

korvan_setup
db_start
db_provision
# db_provision has made sure the database exists: a new one has no tables.
if [ "$(db_table_count)" = 0 ]; then
  say "new database $KORVAN_DB_NAME: loading the schema, the seed and the demonstration data"
  db_load_schema
  db_load_seed
  db_load_demo
else
  say "database $KORVAN_DB_NAME exists: keeping its data, adding missing tables only"
  db_load_schema
fi

if [ ! -f "$EXE" ]; then
  die "$EXE is missing: the build made no KORVAN.exe yet (the program is not in the source tree so far)"
fi

cd "$(dirname "$EXE")"
if [ -n "${DISPLAY:-}" ]; then
  say "running KORVAN on display $DISPLAY (log in with admin / admin); close it to end"
  korvan_on_exit wine_stop
  wine_keep_server
  wine_window_manager on
  # In the background and waited for, so that Ctrl-C ends the script (and,
  # through its clean-up, the program) at once.
  wine "$EXE" </dev/null 2>>"$KORVAN_LOGS/app.log" &
  rc=0
  wait $! || rc=$?
  say "KORVAN ended (exit code $rc; Wine's messages: $KORVAN_LOGS/app.log)"
  exit "$rc"
fi

say "no \$DISPLAY: starting a private X display for a screenshot of the login window"
xvfb_start 91 92 93 94 95
korvan_on_exit wine_stop
wine_keep_server
wine_window_manager off
wine "$EXE" </dev/null >>"$KORVAN_LOGS/app.log" 2>&1 &
app=$!
# Wait for the login window, or for the program to end before showing it.
found=$KORVAN_LOGS/login-window.id
timeout 120 xdotool search --sync --onlyvisible --name "^${LOGIN_CAPTION}\$" >"$found" 2>/dev/null &
finder=$!
wait -n "$finder" "$app" || true
if kill -0 "$finder" 2>/dev/null; then
  kill "$finder" 2>/dev/null; wait "$finder" 2>/dev/null || true
  die "KORVAN.exe ended before its login window showed (log: $KORVAN_LOGS/app.log)"
fi
win=$(head -n 1 "$found")
[ -n "$win" ] || die "the window \"$LOGIN_CAPTION\" did not appear within 120 s (log: $KORVAN_LOGS/app.log)"
say "the login window is up (X window $win)"
# Wine paints after the window shows: take pictures until two in a row agree.
screenshot() {
  local prev= cur
  for _ in $(seq 40); do
    cur=$(xwd -root -silent | md5sum)
    [ "$cur" = "$prev" ] && break
    prev=$cur
    sleep 0.25
  done
  xwd -root -silent | convert xwd:- "png:$1"
  say "screenshot: $1"
}
screenshot "$SHOT"

# Log in with the demonstration account, as a user would.
say "logging in as admin"
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool type --delay 20 "admin"
xdotool key Tab
xdotool type --delay 20 "admin"
xdotool key Return
# The first login of a day asks to confirm the daily recomputation first.
main=
for _ in $(seq 120); do
  main=$(xdotool search --onlyvisible --name "^${MAIN_CAPTION}" 2>/dev/null | head -n 1 || true)
  [ -n "$main" ] && break
  info=$(xdotool search --onlyvisible --name "^Information\$" 2>/dev/null | head -n 1 || true)
  if [ -n "$info" ]; then
    xdotool windowfocus --sync "$info" 2>/dev/null || true
    xdotool key Return
  fi
  kill -0 "$app" 2>/dev/null || die "KORVAN.exe ended during the login (log: $KORVAN_LOGS/app.log)"
  sleep 0.5
done
[ -n "$main" ] || die "the main window did not appear after logging in as admin (log: $KORVAN_LOGS/app.log)"
say "logged in: the main window is up (X window $main)"
screenshot "$MAIN_SHOT"

# Leave as a user would: closing the main window logs out, closing the login window ends
# the program. The account is then free again (not marked as logged in).
say "logging out and closing KORVAN"
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key alt+F4
korvan_wait_for 30 sh -c "! xdotool search --onlyvisible --name '^${MAIN_CAPTION}' >/dev/null 2>&1" ||
  warn "the main window did not close"
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key alt+F4
_await_end "$app" 30
state=$(db_client -N -e "SELECT COALESCE(active,'') FROM \`user\` WHERE username='admin'" "$KORVAN_DB_NAME" 2>/dev/null || true)
say "KORVAN ended; the admin account's mark: '${state}' (T: logged out)"
