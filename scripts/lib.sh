# shellcheck shell=bash disable=SC2034
# Shared helpers of the KORVAN scripts: paths, logging, clean-up on exit, the
# MariaDB server and database, the private X display and Wine.
# Sourced by setup.sh, run.sh and test.sh; does nothing by itself.
#
# Variables a caller may set (none is needed):
#   KORVAN_DB_NAME   database the scripts create, reset and load (default korvan).
#                    Only for trying the scripts against a server whose korvan
#                    database must stay as it is: the program itself always
#                    uses korvan.
#   KORVAN_DB_ADMIN  extra mariadb client options that reach an already running
#                    server as an administrator (for example
#                    "--socket=/path/sock -uroot"), when none of the usual ways
#                    works.
#   KORVAN_JOBS      parallel build and test jobs (default: the number of cores).

KORVAN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KORVAN_BUILD=$KORVAN_ROOT/build
KORVAN_BUILD_NATIVE=$KORVAN_ROOT/build-native
KORVAN_LOGS=$KORVAN_BUILD/logs

KORVAN_DB_HOST=127.0.0.1
KORVAN_DB_PORT=3306
KORVAN_DB_USER=korvan
KORVAN_DB_PASSWORD=417vardon417
KORVAN_DB_NAME=${KORVAN_DB_NAME:-korvan}
KORVAN_JOBS=${KORVAN_JOBS:-$(nproc)}

# The project's own server: data folder in the build tree.
KORVAN_MARIADB_DIR=$KORVAN_BUILD/mariadb

export WINEPREFIX=$KORVAN_BUILD/wineprefix
export WINEDEBUG=-all

say()  { printf '[korvan] %s\n' "$*"; }
warn() { printf '[korvan] WARNING: %s\n' "$*" >&2; }
die()  { printf '[korvan] ERROR: %s\n' "$*" >&2; exit 1; }

# ---------------------------------------------------------------------------
# Clean-up: every process a script starts is registered here and ended when
# the script exits, whether it succeeds, fails or is interrupted.
# ---------------------------------------------------------------------------
_korvan_cleanups=()

korvan_on_exit() { _korvan_cleanups+=("$*"); }

_korvan_run_cleanups() {
  local rc=$? i
  trap - EXIT INT TERM HUP ERR
  set +e
  for (( i=${#_korvan_cleanups[@]}-1; i>=0; i-- )); do
    eval "${_korvan_cleanups[i]}"
  done
  _korvan_cleanups=()
  exit "$rc"
}

korvan_traps() {
  set -E
  trap 'printf "[korvan] ERROR: \"%s\" failed (%s line %s)\n" "$BASH_COMMAND" "${BASH_SOURCE[0]##*/}" "$LINENO" >&2' ERR
  trap _korvan_run_cleanups EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  trap 'exit 129' HUP
}

# Polls COMMAND until it succeeds, at most SECONDS; fails when time runs out.
korvan_wait_for() {
  local seconds=$1; shift
  local end=$(( SECONDS + seconds ))
  until "$@" >/dev/null 2>&1; do
    (( SECONDS < end )) || return 1
    sleep 0.2
  done
}

_gone() { ! kill -0 "$1" 2>/dev/null; }

# Waits up to SECONDS for process PID to end, kills it when it does not, and
# reaps it.
_await_end() {
  local pid=$1 seconds=$2
  if ! korvan_wait_for "$seconds" _gone "$pid"; then
    warn "process $pid did not end in time; killing it"
    kill -9 "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
  return 0
}

# ---------------------------------------------------------------------------
# MariaDB
# ---------------------------------------------------------------------------
# Options for reaching the server as an administrator; set by db_start.
_korvan_db_admin=()

_db_sock() {
  # A Unix socket path must stay short; fall back to /tmp for deep trees.
  local s=$KORVAN_MARIADB_DIR/sock
  if (( ${#s} > 100 )); then
    s=/tmp/korvan-mariadb-$(printf '%s' "$KORVAN_MARIADB_DIR" | md5sum | cut -c1-12).sock
  fi
  printf '%s' "$s"
}

# The korvan account over TCP, as the program connects.
db_client() {
  MYSQL_PWD=$KORVAN_DB_PASSWORD mariadb --no-defaults --protocol=TCP \
    -h "$KORVAN_DB_HOST" -P "$KORVAN_DB_PORT" -u "$KORVAN_DB_USER" \
    --default-character-set=utf8mb4 "$@"
}

db_admin() {
  mariadb --no-defaults --default-character-set=utf8mb4 "${_korvan_db_admin[@]}" "$@"
}

db_answers() {
  mariadb-admin --no-defaults --protocol=TCP -h "$KORVAN_DB_HOST" -P "$KORVAN_DB_PORT" \
    --connect-timeout=2 ping >/dev/null 2>&1
}

_db_find_admin() {
  local -a candidates=()
  [ -n "${KORVAN_DB_ADMIN:-}" ] && candidates+=("$KORVAN_DB_ADMIN")
  candidates+=(
    "--socket=$(_db_sock) -uroot"
    "--protocol=TCP -h$KORVAN_DB_HOST -P$KORVAN_DB_PORT -uroot"
    "--socket=/run/mysqld/mysqld.sock -uroot"
  )
  local c
  for c in "${candidates[@]}"; do
    # shellcheck disable=SC2206
    local -a opts=($c)
    # Reading the account table is enough to tell an administrator.
    if mariadb --no-defaults --connect-timeout=3 "${opts[@]}" -N \
         -e 'SELECT COUNT(*) FROM mysql.user' >/dev/null 2>&1; then
      _korvan_db_admin=("${opts[@]}")
      return 0
    fi
  done
  _korvan_db_admin=()
  return 1
}

_db_stop_own() {
  local pid=$1 sock
  sock=$(_db_sock)
  say "stopping the project's MariaDB server (pid $pid)"
  mariadb-admin --no-defaults --socket="$sock" -uroot shutdown >/dev/null 2>&1 || kill "$pid" 2>/dev/null
  _await_end "$pid" 60
}

# Makes sure a server answers on 127.0.0.1:3306: reuses one that already
# answers (and leaves it running), otherwise starts the project's own server
# from build/mariadb and registers its shutdown.
db_start() {
  local dir=$KORVAN_MARIADB_DIR sock pidfile pid
  sock=$(_db_sock)
  pidfile=$dir/mariadbd.pid
  mkdir -p "$KORVAN_LOGS"

  if db_answers; then
    pid=$(cat "$pidfile" 2>/dev/null || true)
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null &&
       tr '\0' ' ' </proc/"$pid"/cmdline 2>/dev/null | grep -q -- "--datadir=$dir/data"; then
      say "the project's own MariaDB server from an earlier run still answers (pid $pid); using it and stopping it at the end"
      korvan_on_exit "_db_stop_own $pid"
    else
      say "a MariaDB server already answers on $KORVAN_DB_HOST:$KORVAN_DB_PORT; reusing it (it is not ours and stays running)"
    fi
  else
    if [ ! -d "$dir/data/mysql" ]; then
      say "creating the MariaDB data folder $dir/data"
      rm -rf "$dir/data"
      mkdir -p "$dir"
      mariadb-install-db --no-defaults --user=root --datadir="$dir/data" \
        --auth-root-authentication-method=normal --skip-test-db \
        >"$KORVAN_LOGS/mariadb-install.log" 2>&1 ||
        { tail -n 20 "$KORVAN_LOGS/mariadb-install.log" >&2; die "mariadb-install-db failed (log: $KORVAN_LOGS/mariadb-install.log)"; }
    fi
    say "starting the project's MariaDB server on $KORVAN_DB_HOST:$KORVAN_DB_PORT (data: $dir/data)"
    mariadbd --no-defaults --user=root --datadir="$dir/data" --socket="$sock" \
      --pid-file="$pidfile" --port="$KORVAN_DB_PORT" --bind-address="$KORVAN_DB_HOST" \
      --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci \
      --max-allowed-packet=64M --log-error="$KORVAN_LOGS/mariadb.log" \
      </dev/null >/dev/null 2>&1 &
    pid=$!
    korvan_on_exit "_db_stop_own $pid"
    local end=$(( SECONDS + 90 ))
    until mariadb-admin --no-defaults --socket="$sock" -uroot --connect-timeout=2 ping >/dev/null 2>&1; do
      if ! kill -0 "$pid" 2>/dev/null; then
        tail -n 20 "$KORVAN_LOGS/mariadb.log" >&2
        die "MariaDB did not start (log: $KORVAN_LOGS/mariadb.log); is port $KORVAN_DB_PORT taken?"
      fi
      (( SECONDS < end )) || die "MariaDB did not answer within 90 s (log: $KORVAN_LOGS/mariadb.log)"
      sleep 0.2
    done
    say "MariaDB is up (pid $pid)"
  fi

  if ! _db_find_admin; then
    warn "no administrator access to the server on $KORVAN_DB_HOST:$KORVAN_DB_PORT (set KORVAN_DB_ADMIN to the client options that give it)"
  fi
}

# Creates the database (utf8mb4, case-insensitive) and the korvan account for
# 127.0.0.1 and localhost with every right on the database; drops anonymous
# accounts, which would otherwise shadow the named one.
db_provision() {
  local db=$KORVAN_DB_NAME
  if [ ${#_korvan_db_admin[@]} -eq 0 ]; then
    if db_client -N -e 'SELECT 1' >/dev/null 2>&1; then
      say "no administrator access: relying on the existing $KORVAN_DB_USER account"
      db_client -e "CREATE DATABASE IF NOT EXISTS \`$db\` CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci" ||
        die "the $KORVAN_DB_USER account cannot create the database $db"
      return 0
    fi
    die "cannot log in to the server on $KORVAN_DB_HOST:$KORVAN_DB_PORT as administrator nor as $KORVAN_DB_USER"
  fi
  local anon sql host
  anon=$(db_admin -N -e "SELECT Host FROM mysql.user WHERE User=''")
  sql="CREATE DATABASE IF NOT EXISTS \`$db\` CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci;"
  for host in 127.0.0.1 localhost; do
    sql+="CREATE USER IF NOT EXISTS '$KORVAN_DB_USER'@'$host' IDENTIFIED BY '$KORVAN_DB_PASSWORD';"
    sql+="ALTER USER '$KORVAN_DB_USER'@'$host' IDENTIFIED BY '$KORVAN_DB_PASSWORD';"
    sql+="GRANT ALL PRIVILEGES ON \`$db\`.* TO '$KORVAN_DB_USER'@'$host';"
  done
  while IFS= read -r host; do
    [ -n "$host" ] || continue
    say "dropping the anonymous account ''@'$host', which would shadow $KORVAN_DB_USER"
    sql+="DROP USER IF EXISTS ''@'$host';"
  done <<<"$anon"
  db_admin -e "$sql" || die "could not create the database $db and the account $KORVAN_DB_USER"
  db_client -N -e 'SELECT 1' >/dev/null || die "the account $KORVAN_DB_USER cannot log in over TCP"
}

db_table_count() {
  db_client -N -e "SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA='$KORVAN_DB_NAME'"
}

# Drops and recreates the database, keeping the account's rights.
db_recreate() {
  local db=$KORVAN_DB_NAME
  say "dropping and recreating the database $db"
  local sql="DROP DATABASE IF EXISTS \`$db\`; CREATE DATABASE \`$db\` CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci;"
  if [ ${#_korvan_db_admin[@]} -gt 0 ]; then db_admin -e "$sql"; else db_client -e "$sql"; fi ||
    die "could not recreate the database $db"
}

_db_load() {
  local file=$KORVAN_ROOT/db/$1
  [ -f "$file" ] || die "missing $file"
  say "loading db/$1 into $KORVAN_DB_NAME"
  db_client "$KORVAN_DB_NAME" <"$file" || die "loading db/$1 failed"
}
db_load_schema() { _db_load schema.sql; }
db_load_seed()   { _db_load seed.sql; }
db_load_demo()   { _db_load demo.sql; }

# ---------------------------------------------------------------------------
# Private X display (Xvfb)
# ---------------------------------------------------------------------------
# The process id written in display N's lock file (empty when there is none).
_xvfb_lock_pid() { { tr -dc '0-9' <"/tmp/.X$1-lock"; } 2>/dev/null || true; }

_xvfb_in_use() {
  local n=$1 pid
  pid=$(_xvfb_lock_pid "$n")
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && return 0
  [ -S "/tmp/.X11-unix/X$n" ] && display_answers ":$n" && return 0
  return 1
}

_xvfb_ready() {
  local n=$1 pid=$2
  [ "$(_xvfb_lock_pid "$n")" = "$pid" ] &&
    DISPLAY=:$n xdotool getdisplaygeometry >/dev/null 2>&1
}

_xvfb_stop() {
  local pid=$1
  kill "$pid" 2>/dev/null
  _await_end "$pid" 20
}

# Saves a PNG picture of the whole screen of $DISPLAY in FILE. Not with xwd: Wine gives
# its windows a colormap of their own, and xwd, composing the picture colormap by colormap,
# draws every Wine window that lies wholly inside another one (a message box, a menu, a
# drop-down list, a dialog) solid black although the screen shows it painted. A private
# display's own picture file is read as it is; any other display through ImageMagick's
# import, which reads the screen as shown.
_x_own_screen() { [ -n "${KORVAN_SCREEN_FILE:-}" ] && [ "${DISPLAY:-}" = "${KORVAN_SCREEN_DISPLAY:-}" ]; }

x_screenshot() {
  local file=$1
  if _x_own_screen; then
    convert "xwd:$KORVAN_SCREEN_FILE" "png:$file"
  else
    import -window root "png:$file"
  fi
}

# A fingerprint of what $DISPLAY shows, to wait until painting has settled.
x_screen_sum() {
  if _x_own_screen; then
    md5sum <"$KORVAN_SCREEN_FILE"
  else
    import -window root rgb:- | md5sum
  fi
}

# Whether the X display named (":0", "host:1.0") answers a client within a few seconds.
display_answers() {
  DISPLAY=$1 timeout 10 xdotool getdisplaygeometry >/dev/null 2>&1
}

# Starts Xvfb on the first free display of the numbers given and exports
# DISPLAY; registers its end.
xvfb_start() {
  local n pid
  mkdir -p "$KORVAN_LOGS"
  for n in "$@"; do
    _xvfb_in_use "$n" && continue
    # The server keeps its picture in a file there: screenshots read what is on the screen.
    mkdir -p "$KORVAN_BUILD/xvfb-$n"
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -fbdir "$KORVAN_BUILD/xvfb-$n" \
      </dev/null >"$KORVAN_LOGS/xvfb-$n.log" 2>&1 &
    pid=$!
    local end=$(( SECONDS + 30 ))
    while kill -0 "$pid" 2>/dev/null && ! _xvfb_ready "$n" "$pid"; do
      (( SECONDS < end )) || break
      sleep 0.1
    done
    if _xvfb_ready "$n" "$pid"; then
      korvan_on_exit "_xvfb_stop $pid"
      export DISPLAY=:$n
      export KORVAN_SCREEN_DISPLAY=:$n KORVAN_SCREEN_FILE=$KORVAN_BUILD/xvfb-$n/Xvfb_screen0
      say "started a private X display :$n (Xvfb pid $pid)"
      return 0
    fi
    _xvfb_stop "$pid"
  done
  die "could not start Xvfb on any of the displays $* (logs: $KORVAN_LOGS/xvfb-*.log)"
}

# ---------------------------------------------------------------------------
# Wine
# ---------------------------------------------------------------------------
wine_stop() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  return 0
}

# Keeps a wineserver up for the prefix until the script ends: each Wine
# process then starts much faster. Wine's own background processes (services,
# devices, the desktop window) are started here once, with no inherited pipes:
# started later by a test they would hold that test's output pipe open and
# make whoever reads it (CTest) wait until its timeout.
wine_keep_server() {
  korvan_on_exit wine_stop
  wineserver -p >/dev/null 2>&1 || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || die "Wine does not start (prefix $WINEPREFIX)"
}

# Whether a window manager runs on $DISPLAY (one that follows the common desktop
# conventions: it names the active window).
x_window_manager_runs() {
  timeout 10 xdotool getactivewindow >/dev/null 2>&1
}

# On a display without a window manager Wine waits up to two seconds for every
# window it hides to be withdrawn, which never happens; each modal window then
# costs two seconds. Unmanaged windows skip that wait (Wine draws their frames
# itself). Managed windows also wait for the window manager to maximize them: without
# one, a maximized window shown a second time (the main window after a new login) keeps
# its old size on the screen, without frame and status bar, until it is moved. On a
# desktop with a window manager the windows stay managed.
wine_window_manager() {
  if [ "$1" = off ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 ||
      die "could not write the Wine registry"
  else
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f </dev/null >/dev/null 2>&1 || true
  fi
}
