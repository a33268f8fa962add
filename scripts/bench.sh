#!/usr/bin/env bash
# Builds KORVAN and runs the benchmarks of the Windows build under Wine, on a private X
# display against the project's MariaDB server, in a database of their own
# (korvan_bench: 50,000 members, dropped again at the end). Prints each figure beside
# its reference and the ratio of the two.
#   bash scripts/bench.sh          every figure
#   bash scripts/bench.sh idle     only the idle figures (the bare timer window, the login
#                                  and the main window), each twice
#
# Figures (each reference measured in the same run, since the machines are noisy):
#   start-up      start to the login window, against a bare Win32 window with one label;
#                 then where the time goes (milliseconds since the process was created
#                 when the program's first line runs, after the application, the engine
#                 start, once the login window is made and on screen, after the other
#                 windows and after the login window's activation; the bare window's first
#                 line and shown window beside them), and the engine start's slower steps
#   idle login    CPU load while idle at the login window (the program and the
#                 wineserver), against a bare window with a 10 ms timer (goal: under 1%)
#   idle main     the same at the main window
#   fetch         select * from detail_kk (50,000 rows) through TZQuery.Open, against
#                 the mariadb command-line client fetching the same rows
#   layout        a 10,000-member list laid out into pages, against the goal of 1 s
#   page turn     turning a page in the print preview, against the goal of 50 ms
set -euo pipefail
export KORVAN_DB_NAME=korvan_bench
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=scripts/setup.sh
source "$here/setup.sh"
korvan_traps

MEMBERS=${KORVAN_BENCH_MEMBERS:-50000}
ROUNDS=${KORVAN_BENCH_ROUNDS:-5}
ONLY=${1:-}
case "$ONLY" in
  ''|idle) ;;
  *) die "unknown argument '$ONLY' (usage: bash scripts/bench.sh [idle])" ;;
esac
BIN=$KORVAN_BUILD/bench/win

korvan_setup
db_start
db_provision
db_recreate
korvan_on_exit "db_client -e 'DROP DATABASE IF EXISTS \`$KORVAN_DB_NAME\`' >/dev/null 2>&1"
db_load_schema
db_load_seed

say "filling $KORVAN_DB_NAME with $MEMBERS members"
db_client "$KORVAN_DB_NAME" <<SQL
SET SESSION max_recursive_iterations = $MEMBERS + 10;
INSERT INTO detail_kk(nik, nij, nama_dpn, nama_blkg, nama_gabung, tmpt_lahir, tgl_lahir, alamat, no_hp,
                      tgl_input, sts_kel, sex, sekpel, pelkat, baptis, tgl_baptis, sidi, nikah, pekerjaan,
                      email, sts_hidup, foto, username)
WITH RECURSIVE s(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM s WHERE n < $MEMBERS)
SELECT CONCAT('KK-', LPAD(n DIV 4, 6, '0')), CONCAT('NJ-', LPAD(n DIV 4, 6, '0'), '.', LPAD(n, 5, '0')),
       CONCAT('Warga', n), IF(n % 3 = 0, NULL, 'Sitompul'), CONCAT('Warga', n, ' Sitompul Ñusantara'),
       'Jakarta', DATE_ADD('1940-01-01', INTERVAL n % 25000 DAY),
       CONCAT('Jl. Selvaran No. ', n, ', Kelurahan Barisan, Jakarta Timur'), CONCAT('0812', LPAD(n, 8, '0')),
       '2020-05-17', IF(n % 4 = 1, 'Kepala Keluarga', 'Anak'), IF(n % 2 = 0, 'L', 'P'), LPAD(n % 12, 2, '0'),
       IF(n % 2 = 0, 'PKB', 'PKP'), 'Ya', IF(n % 5 = 0, NULL, '1990-06-01'), 'Ya', IF(n % 2 = 0, 'Ya', 'Tidak'),
       'Karyawan', CONCAT('warga', n, '@contoh.id'), 'Hidup',
       IF(n % 100 = 0, REPEAT(UNHEX('FFD8FFE000104A464946'), 300), NULL), 'admin'
FROM s;
-- No daily recomputation at the main-window figure's login.
INSERT INTO check_update_pelkat(tgl) VALUES (CURDATE());
SQL

mapfile -t displays < <(seq 92 140)
xvfb_start "${displays[@]}"
wine_keep_server
wine_window_manager off

winpath() { winepath -w "$1" 2>/dev/null; }
results=$KORVAN_LOGS/bench-results.txt
: >"$results"
run() {  # runs a bench program under Wine; its "name value" lines go to the results
  local out
  out=$(wine "$@" 2>>"$KORVAN_LOGS/bench.log") || die "$(basename "$1") failed (log: $KORVAN_LOGS/bench.log)"
  printf '%s\n' "$out" | tr -d '\r' | tee -a "$results"
}

median() {  # the median of the numbers on standard input
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
phases() {  # runs a program's phases mode ROUNDS times; the median of each phase goes to the results
  local out name
  out=$(for (( r = 0; r < ROUNDS; r++ )); do wine "$@" 2>>"$KORVAN_LOGS/bench.log" | tr -d '\r'; done)
  for name in $(printf '%s\n' "$out" | awk '!seen[$1]++ { print $1 }'); do
    printf '%s %s\n' "$name" "$(printf '%s\n' "$out" | awk -v n="$name" '$1 == n { print $2 }' | median)"
  done | tee -a "$results"
}

if [ "$ONLY" != idle ]; then
say "start-up: bare window and KORVAN, $ROUNDS rounds each"
run "$BIN/bench_startup.exe" "$ROUNDS" \
  bare "Bench bare window" "\"$(winpath "$BIN/bench_bare.exe")\"" \
  korvan "Akses KORVAN 8.20" "\"$(winpath "$BIN/bench_korvan.exe")\" $KORVAN_DB_NAME start"
say "where start-up time goes, $ROUNDS rounds each"
phases "$BIN/bench_bare.exe" phases
phases "$BIN/bench_korvan.exe" "$KORVAN_DB_NAME" phases
fi
# The wineserver of the prefix delivers the program's messages and timers: its load
# counts with the program's own. (Wine's device and service processes keep a load of
# their own whether the program runs or not; they do not count.)
ours() { tr '\0' '\n' <"/proc/$1/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; }
KORVAN_BENCH_WINE_PIDS=
for pid in $(pgrep wineserver || true); do
  if ours "$pid"; then KORVAN_BENCH_WINE_PIDS+="$pid "; fi
done
export KORVAN_BENCH_WINE_PIDS
# The idle figures alone are measured twice, since one quiet minute can be an accident.
for (( r = 0; r < (${#ONLY} ? 2 : 1); r++ )); do
  say "idle at a bare window with a 10 ms timer"
  run "$BIN/bench_timer.exe" 2 20
  say "idle at the login window"
  run "$BIN/bench_korvan.exe" "$KORVAN_DB_NAME" login 2 20
  say "idle at the main window"
  run "$BIN/bench_korvan.exe" "$KORVAN_DB_NAME" main 2 20
done
if [ "$ONLY" = idle ]; then exit 0; fi
say "fetching every member through TZQuery.Open"
run "$BIN/bench_fetch.exe" "$KORVAN_DB_NAME" "$ROUNDS"
say "fetching every member with the mariadb client"
times=()
for (( r = 0; r < ROUNDS + 1; r++ )); do
  t0=$(date +%s%N)
  db_client --batch "$KORVAN_DB_NAME" -e 'select * from detail_kk' >/dev/null
  t1=$(date +%s%N)
  (( r == 0 )) || times+=($(( (t1 - t0) / 1000 )))  # the first round warms the server's cache
done
median_us=$(printf '%s\n' "${times[@]}" | median)
printf 'client_fetch_ms %.3f\n' "$(awk -v u="$median_us" 'BEGIN { print u / 1000 }')" | tee -a "$results"
say "report layout and preview"
run "$BIN/bench_report.exe" "$KORVAN_DB_NAME" 3

echo
say "figures"
awk '
  { v[$1] = $2; if ($1 ~ /^startup_step_/ && !($1 in seen)) { seen[$1] = 1; steps[++nsteps] = $1 } }
  function row(name, value, unit, refname, ref, refunit, goal) {
    printf "  %-34s %10.1f %-3s  %-28s %10.1f %-3s  %6.2fx   %s\n", name, value, unit, refname, ref, refunit,
           (ref > 0 ? value / ref : 0), goal
  }
  END {
    printf "  %-34s %14s  %-28s %14s  %7s   %s\n", "figure", "value", "reference", "", "ratio", "goal"
    row("start to the login window", v["startup_ms_korvan"], "ms", "bare Win32 window", v["startup_ms_bare"], "ms", "<= 1.5x")
    timer = v["idle_cpu_timer"] + v["idle_cpu_timer_wine"]
    row("CPU idle at the login window", v["idle_cpu_login"] + v["idle_cpu_login_wine"], "%", "window, 10 ms timer", timer, "%", "< 1 %")
    row("CPU idle at the main window", v["idle_cpu_main"] + v["idle_cpu_main_wine"], "%", "window, 10 ms timer", timer, "%", "< 1 %")
    row(sprintf("select * from detail_kk (%d rows)", v["fetch_rows"]), v["fetch_ms"], "ms", "mariadb client", v["client_fetch_ms"], "ms", "<= 2x")
    row(sprintf("layout of %d rows (%d pages)", v["report_rows"], v["report_pages"]), v["report_layout_ms"], "ms", "goal", 1000, "ms", "<= 1x")
    row("page turn in the preview", v["page_turn_ms"], "ms", "goal", 50, "ms", "<= 1x")
    printf "\n  start-up phases, ms since the process was created (bare window beside):\n"
    printf "    first line %.1f (%.1f), application %.1f, engine %.1f, login window shown %.1f (%.1f), other windows %.1f, activated %.1f\n",
           v["startup_phase_libraries"], v["startup_phase_bare_libraries"], v["startup_phase_application"],
           v["startup_phase_engine"], v["startup_phase_login"], v["startup_phase_bare_shown"], v["startup_phase_windows"],
           v["startup_phase_activated"]
    printf "    engine steps of 1 ms or more:"
    for (i = 1; i <= nsteps; i++)
      if (v[steps[i]] >= 1) printf " %s %.1f", substr(steps[i], 14), v[steps[i]]
    printf "\n"
  }' "$results"
