#!/usr/bin/env bash
# Start-up time of the window program, from its start to its main window on
# a virtual X screen (the splash is not waited for), and its resident memory
# after start and after a registrar measurement.
#   perf/startup.sh <matched-filter-lab> [runs]
set -uo pipefail
app=$1
runs=${2:-5}
work=$(mktemp -d)
# Xvfb picks a free display itself.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$work/display" > /dev/null 2>&1 &
xvfb=$!
app_pid=
trap '[ -n "$app_pid" ] && kill $app_pid 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
until [ -s "$work/display" ]; do sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
until xdotool getdisplaygeometry > /dev/null 2>&1; do sleep 0.1; done

rss() { awk '/^VmRSS/ {print $2 " kB"}' "/proc/$1/status"; }

for run in $(seq "$runs"); do
  t0=$(date +%s%N)
  "$app" > /dev/null 2> "$work/stderr-$run" &
  app_pid=$!
  until main=$(xdotool search --onlyvisible --name 'Тармин' 2> /dev/null | head -n 1) &&
        [ -n "$main" ]; do
    kill -0 "$app_pid" 2> /dev/null || { echo "the program ended early:"; cat "$work/stderr-$run"; exit 1; }
    sleep 0.002
  done
  t1=$(date +%s%N)
  echo "run $run: main window after $(( (t1 - t0) / 1000000 )) ms"
  if [ "$run" -eq "$runs" ]; then
    sleep 6 # the splash goes
    echo "resident memory after start: $(rss $app_pid)"
    eval "$(xdotool getwindowgeometry --shell "$main")"
    # Signal off, noise on (scheme's pop-up menu), then "Измерение".
    for keys in "Down Down Down Right Down Down Return" "Down Down Down Down Right Down Return"; do
      xdotool mousemove $((X + 400)) $((Y + 170)) sleep 0.3 click 3 sleep 0.5 key --delay 100 $keys
      sleep 0.3
    done
    xdotool mousemove $((X + 2 + 376 + 264 + 52)) $((Y + HEIGHT - 51)) click 1
    sleep 5
    echo "resident memory after a measurement: $(rss $app_pid)"
  fi
  kill "$app_pid"; wait "$app_pid" 2> /dev/null; app_pid=
done
