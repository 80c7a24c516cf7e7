#!/usr/bin/env bash
# End-to-end test of the real window program on a virtual X screen: start it,
# let the splash go, press "Пуск" and see curves on both charts, switch the
# signal off and the noise on, measure, copy the registrar's reading, save the
# report through the real dialog (Ctrl+R, a name typed, Enter) and read it
# back. Then a run leaves the journal unsaved: "Файл" > "Выход" asks to save
# it, Escape keeps the program, "Выход" again and Return save it as CSV
# through the real dialog, and the program ends with status 0. A new start,
# a run, SIGKILL, and the next start offers the killed session's journal
# back; Return restores it, and closing saves its row as CSV. Every run's
# stderr stays clean.
#   run.sh <matched-filter-lab> <lab-screen-check>
set -uo pipefail
app=$1
check=$2
work=$(mktemp -d)
xvfb_pid=
app_pid=
runs=0
# The program's data folder (its recovery files) is the test's own.
export XDG_DATA_HOME="$work/data"
recovery="$XDG_DATA_HOME/matched-filter-lab"

cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  [ -f "$work/stderr$runs" ] && { echo "--- program stderr"; tail -n 40 "$work/stderr$runs"; }
  exit 1
}

# Polls a command until it succeeds or the seconds run out.
wait_for() {
  local seconds=$1; shift
  local end=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.2
  done
}

main_window() {
  main=$(xdotool search --onlyvisible --name 'Тармин' 2>/dev/null | head -n 1)
  [ -n "$main" ]
}
window_or_ended() { main_window || ! kill -0 "$app_pid" 2> /dev/null; }

# Starts the program on the display and waits for its main window; each run
# has its own stderr. On this X screen whatever the caller's environment
# says: a platform chosen for widget tests (offscreen) or a Wayland session
# would show the window elsewhere, and a scale factor would move every
# control off the coordinates below.
launch() {
  runs=$((runs + 1))
  env -u WAYLAND_DISPLAY -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS QT_QPA_PLATFORM=xcb \
    "$app" > "$work/stdout$runs" 2> "$work/stderr$runs" &
  app_pid=$!
  wait_for 60 window_or_ended
  main_window
}

# Xvfb picks a free display itself and tells its number, so that tests run
# side by side never meet on one display. Returns 2 when the program could
# not use the display (another server's start or end got in the way).
start_program() {
  rm -f "$work/display"
  app_pid=
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$work/display" > "$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  wait_for 20 test -s "$work/display" || return 2
  export DISPLAY=":$(head -n 1 "$work/display")"
  wait_for 20 xdotool getdisplaygeometry > /dev/null 2>&1 || return 2
  launch && return 0
  grep -q 'could not connect to display' "$work/stderr$runs" && return 2
  return 1
}

for attempt in 1 2 3; do
  start_program
  result=$?
  [ $result -eq 0 ] && break
  [ $result -eq 1 ] && fail "the main window did not appear"
  echo "attempt $attempt: no usable display ${DISPLAY:-}; trying another"
  kill "$app_pid" "$xvfb_pid" 2> /dev/null
  wait "$app_pid" "$xvfb_pid" 2> /dev/null
  app_pid=; xvfb_pid=
  [ $attempt -eq 3 ] && fail "no usable display after three attempts"
done
# The splash is the program's other visible window; it goes after 5 s.
only_main_left() {
  [ "$(xdotool search --onlyvisible --class matched-filter-lab 2>/dev/null | wc -l)" -eq 1 ]
}
wait_for 30 only_main_left || fail "the splash did not go"

eval "$(xdotool getwindowgeometry --shell "$main")"
wx=$X; wy=$Y; ww=$WIDTH; wh=$HEIGHT
menu_h=$((wh - 542))
# The page sits in the page control's frame; its controls are found from the
# window's left and bottom edges, which do not depend on the tab bar's height.
row=$((wy + wh - 51))          # middle of "Пуск" and "Измерение"
start_x=$((wx + 2 + 16 + 80))
measure_x=$((wx + 2 + 376 + 264 + 52))
readout_x=$((wx + 2 + 376 + 8 + 60))
readout_y=$((row - 2))
tabs_y=$((wy + menu_h + 10))

click() { xdotool mousemove "$1" "$2" sleep 0.2 click 1; }
shot() { import -window root "$work/shot.png" 2> /dev/null; }
# Lines "net left top right bottom blocks rows" of the charts on screen.
nets() { shot && ASAN_OPTIONS=detect_leaks=0 "$check" "$work/shot.png" "$wx" "$wy" "$ww" "$wh" > "$work/nets" 2>/dev/null; }

# The charts page before any run: two nets with nothing but the flat base line.
click $((wx + 250)) "$tabs_y"
empty_charts() { nets && [ "$(wc -l < "$work/nets")" -eq 2 ] && awk '$7 > 3 {exit 1}' "$work/nets"; }
wait_for 10 empty_charts || { cat "$work/nets"; fail "the empty charts page does not show two empty nets"; }

# "Пуск" on the bench page: the program turns to the charts by itself.
click $((wx + 60)) "$tabs_y"
sleep 0.5
click "$start_x" "$row"
both_curves() { nets && [ "$(wc -l < "$work/nets")" -eq 2 ] && awk '$7 < 20 {exit 1}' "$work/nets"; }
wait_for 30 both_curves || { cat "$work/nets"; fail "Пуск did not draw curves on both charts"; }
echo "charts after Пуск:"; cat "$work/nets"

# Ctrl+C over the output chart puts the chart's picture on the clipboard.
echo -n | xclip -selection clipboard
xdotool mousemove $((wx + 2 + 388)) $((wy + wh - 134)) sleep 0.3 key ctrl+c
sleep 0.5
size=$(timeout 5 xclip -o -selection clipboard -t image/png 2> /dev/null | identify -format '%wx%h' - 2> /dev/null)
[ "$size" = "760x250" ] || fail "Ctrl+C over the output chart did not copy it (got '${size:-nothing}')"

# Signal off, then noise on, through the scheme's pop-up menu.
click $((wx + 60)) "$tabs_y"
sleep 0.5
xdotool mousemove $((wx + 400)) $((wy + menu_h + 150)) sleep 0.3 click 3 sleep 0.5 \
  key --delay 150 Down Down Down Right Down Down Return
sleep 0.5
xdotool mousemove $((wx + 400)) $((wy + menu_h + 150)) sleep 0.3 click 3 sleep 0.5 \
  key --delay 150 Down Down Down Down Right Down Return
sleep 0.5

# Measure, then copy the reading from the registrar.
click "$measure_x" "$row"
echo -n | xclip -selection clipboard
reading_copied() {
  xdotool mousemove "$readout_x" "$readout_y" sleep 0.1 click --repeat 3 --delay 60 1 \
    sleep 0.2 key ctrl+c
  sleep 0.3
  reading=$(timeout 5 xclip -o -selection clipboard 2> /dev/null)
  [[ "$reading" =~ ^[0-9]+,[0-9]{2}$ ]]
}
wait_for 120 reading_copied || fail "no measured reading in the registrar (got '${reading:-}')"
echo "registrar reading: $reading"

# The report: Ctrl+R, the student's form (name, group, teacher typed, Enter),
# then the file dialog, a name typed without extension.
windows() { xdotool search --onlyvisible --class matched-filter-lab 2>/dev/null | wc -l; }
dialog_up() { [ "$(windows)" -ge 2 ]; }
student_form() { xdotool search --onlyvisible --name '^Отчёт о лабораторной работе$' > /dev/null 2>&1; }
file_dialog() { dialog_up && ! student_form; }
xdotool key ctrl+r
wait_for 20 student_form || fail "Ctrl+R showed no form for the student's name"
sleep 0.5
xdotool type --delay 30 "Ivanov Ivan"
xdotool key Tab type --delay 30 "RT-101"
xdotool key Tab type --delay 30 "Petrov P. P."
xdotool key Return
wait_for 20 file_dialog || fail "the student's form led to no save dialog"
sleep 0.5
xdotool key ctrl+a type --delay 30 "$work/report"
xdotool key Return
wait_for 30 test -s "$work/report.pdf" || fail "no report written to $work/report.pdf"
wait_for 10 only_main_left || fail "the save dialog did not go"
report=$(pdftotext "$work/report.pdf" - | tr -s ' \n' '  ')
for text in "Исследование согласованных и квазиоптимальных фильтров" "Журнал измерений" \
            "СФ для прямоугольного импульса" "$reading" "Ivanov Ivan, группа RT-101" \
            "Преподаватель: Petrov P. P." "Результаты" "Выводы"; do
  [[ "$report" == *"$text"* ]] || fail "the report lacks '$text'"
done
pages=$(pdfinfo "$work/report.pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" = 2 ] || fail "the report has $pages pages, not 2"
images=$(pdfimages -list "$work/report.pdf" | tail -n +3 | wc -l)
[ "$images" = 2 ] || fail "the report has $images pictures, not the 2 charts"
echo "report: $pages pages, $images charts, reading $reading found"

# The program's question box, found by its title (the program's name).
question() {
  box=$(xdotool search --onlyvisible --name '^Согласованные и квазиоптимальные фильтры$' 2>/dev/null | head -n 1)
  [ -n "$box" ]
}
no_question() { ! question; }
ended() { ! kill -0 "$app_pid" 2> /dev/null; }
# "Файл" > "Выход": the menu's last item, which Up reaches from the top.
quit_menu() {
  xdotool mousemove $((wx + 20)) $((wy + menu_h / 2)) sleep 0.2 click 1 sleep 0.5 key Up Return
}
# Answers the question on closing with Return and the save dialog with
# path (".csv" added), then waits for the program's end with status 0.
save_and_exit() {
  wait_for 20 question || fail "$1: no question on closing"
  xdotool key Return
  wait_for 20 no_question || fail "$1: the question did not go on Return"
  wait_for 20 dialog_up || fail "$1: «Сохранить» showed no save dialog"
  sleep 0.5
  xdotool key ctrl+a type --delay 30 "$2"
  xdotool key Return
  wait_for 30 ended || fail "$1: the program did not end after the journal was saved"
  wait "$app_pid"
  local status=$?
  app_pid=
  [ "$status" -eq 0 ] || fail "$1: exit status $status"
  [ -s "$2.csv" ] || fail "$1: no journal written to $2.csv"
}
# The splash goes at a click; the main window's place and the page's
# controls are found again.
splash_away() {
  dialog_up && xdotool mousemove 640 512 sleep 0.1 click 1
  # A question may follow the splash at once.
  splash_gone() { only_main_left || question; }
  wait_for 30 splash_gone || fail "the splash did not go"
  eval "$(xdotool getwindowgeometry --shell "$main")"
  wx=$X; wy=$Y; ww=$WIDTH; wh=$HEIGHT
  start_x=$((wx + 2 + 16 + 80)); row=$((wy + wh - 51))
}

# Whether the recovery files hold $1 rows in all (each row has one note).
recovery_rows() {
  [ "$(cat "$recovery"/journal-recovery-*.json 2> /dev/null | grep -o '"note"' | wc -l)" -eq "$1" ]
}

# A run with noise: a new row, the journal unsaved since the report.
click "$start_x" "$row"
wait_for 20 recovery_rows 3 || fail "the recovery file does not hold the 3 rows after Пуск"
quit_menu
wait_for 20 question || fail "Выход with an unsaved journal asked nothing"
xdotool key Escape
wait_for 20 no_question || fail "the question did not go on Escape"
sleep 0.5
kill -0 "$app_pid" 2> /dev/null || fail "Escape ended the program"
main_window || fail "Escape closed the main window"
quit_menu
save_and_exit "closing" "$work/journal"
lines=$(grep -c . "$work/journal.csv")
[ "$lines" -eq 4 ] || fail "the journal CSV has $lines lines, not a heading and 3 rows"
grep -q 'Подключен' "$work/journal.csv" || fail "the journal CSV lacks the run with noise"
[ -z "$(ls "$recovery"/*.json 2> /dev/null)" ] || fail "the clean exit left a recovery file"
echo "closing: the question kept the program on Escape, saved $((lines - 1)) rows on Return"

# A new start, a run, and the session killed.
launch || fail "the main window did not appear again"
splash_away
click "$start_x" "$row"
wait_for 20 recovery_rows 1 || fail "no row in the recovery file after Пуск"
kill -KILL "$app_pid"
wait "$app_pid" 2> /dev/null
app_pid=

# The next start offers it back; Return restores the row.
launch || fail "the main window did not appear after the kill"
splash_away
wait_for 20 question || fail "no offer to restore the killed session's journal"
xdotool key Return
wait_for 20 no_question || fail "the restore question did not go on Return"
quit_menu
save_and_exit "after the restore" "$work/restored"
lines=$(grep -c . "$work/restored.csv")
[ "$lines" -eq 2 ] || fail "the restored journal has $lines lines, not a heading and its row"
grep -q 'Дельта-импульс;Отключен' "$work/restored.csv" || fail "the restored row is not the run's"
echo "restore: the killed session's row came back"

for ((r = 1; r <= runs; ++r)); do
  if grep -E 'ERROR: (Address|Leak)Sanitizer|runtime error:|SUMMARY: (Address|Undefined)' \
       "$work/stderr$r"; then
    runs=$r
    fail "sanitizer report"
  fi
done
echo "PASS"
