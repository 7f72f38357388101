# Shared steps of the desktop journeys: a private X server with (or without) a window manager,
# the real program started on it, and a person's view of it: windows found by title and size,
# clicks and keys through the X server's test extension, screenshots of the whole screen.
# Nothing here calls into the program.

set -euo pipefail

: "${TRIVOLAN_BIN:?TRIVOLAN_BIN names the trivolan program}"
: "${JOURNEY_OUT:?JOURNEY_OUT names the folder for screenshots}"
JOURNEY=${JOURNEY:-journey}

home=$(mktemp -d "${TMPDIR:-/tmp}/journey-$JOURNEY.XXXXXX")
mkdir -p "$home/config" "$home/pictures" "$home/tmp" "$JOURNEY_OUT"
# Only this run's screenshots: a failure picture of an earlier run would mislead.
rm -f "$JOURNEY_OUT"/*.png
shot_number=0
xvfb_pid="" wm_pid="" app_pid=""

fail() {
  echo "FAILED ($JOURNEY): $*" >&2
  screenshot "failure" || true
  exit 1
}

cleanup() {
  local status=$?
  [ -n "$app_pid" ] && kill -9 "$app_pid" 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  if [ "$status" -eq 0 ]; then rm -rf "$home"; else echo "journey files kept in $home" >&2; fi
}
trap cleanup EXIT

# start_display [wm]: a 1600 x 1200 X server on a free display number, openbox on it with "wm".
start_display() {
  # Our own display number, tried in turn from one this journey's name and process pick: an X
  # server whose lock file names another process lost the race for that number.
  local n start
  start=$((20 + $(printf '%s %s' "$JOURNEY" "$$" | cksum | cut -d' ' -f1) % 400))
  for n in $(seq "$start" $((start + 40))); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp >"$home/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      [ "$(tr -d ' ' 2>/dev/null <"/tmp/.X$n-lock")" = "$xvfb_pid" ] && xdpyinfo -display ":$n" >/dev/null 2>&1 && break
      sleep 0.1
    done
    if kill -0 "$xvfb_pid" 2>/dev/null && [ "$(tr -d ' ' 2>/dev/null <"/tmp/.X$n-lock")" = "$xvfb_pid" ]; then
      export DISPLAY=":$n"
      break
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  [ -n "$xvfb_pid" ] || fail "no X server could start"
  if [ "${1:-}" = wm ]; then
    openbox --sm-disable >"$home/openbox.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
  fi
}

# start_app [args]: the program with its settings, pictures and temporary folders in this journey's home.
start_app() {
  XDG_CONFIG_HOME="$home/config" TRIVOLAN_PICTURES_DIR="$home/pictures" TMPDIR="$home/tmp" \
    QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$home/tmp" "$TRIVOLAN_BIN" "$@" >>"$home/app.log" 2>&1 &
  app_pid=$!
}

app_running() { kill -0 "$app_pid" 2>/dev/null; }

# wait_app_end SECONDS: the program ends by itself.
wait_app_end() {
  for _ in $(seq $(($1 * 10))); do app_running || { wait "$app_pid" || true; app_pid=""; return 0; }; sleep 0.1; done
  fail "the program did not end"
}

screenshot() {
  shot_number=$((shot_number + 1))
  import -window root "$JOURNEY_OUT/$(printf '%02d' $shot_number)-$1.png" 2>/dev/null
}

# The program's visible top-level windows: "id x y width height title" a line, client area on screen.
windows() {
  local id
  for id in $(xdotool search --all --onlyvisible --pid "$app_pid" --name '.*' 2>/dev/null); do
    local geo title
    geo=$(xwininfo -id "$id" 2>/dev/null | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
      /^ *Width/ {w=$2} /^ *Height/ {h=$2} END {print x, y, w, h}')
    title=$(xdotool getwindowname "$id" 2>/dev/null || true)
    [ -n "$geo" ] && echo "$id $geo $title"
  done
}

# find_window TITLE MINW MAXW [SECONDS]: prints "id x y w h" of a shown window with that title and a width in range.
find_window() {
  local title=$1 minw=$2 maxw=$3 secs=${4:-20} line
  for _ in $(seq $((secs * 10))); do
    line=$(windows | awk -v t="$title" -v a="$minw" -v b="$maxw" '{ n = $6; for (i = 7; i <= NF; i++) n = n " " $i }
      n == t && $4 >= a && $4 <= b { print $1, $2, $3, $4, $5; exit }')
    if [ -n "$line" ]; then echo "$line"; return 0; fi
    sleep 0.1
  done
  return 1
}

# wait_gone TITLE MINW MAXW [SECONDS]
wait_gone() {
  local secs=${4:-10}
  for _ in $(seq $((secs * 10))); do find_window "$1" "$2" "$3" 0 >/dev/null || return 0; sleep 0.1; done
  return 1
}

# click_at WINDOW-LINE X FROM-TOP: a left click at a point of a window's client area, the
# point given in the program's own points from the left and from the top.
click_in() {
  local x y
  read -r _ x y _ _ <<<"$1"
  xdotool mousemove $((x + $2)) $((y + $3)) && sleep 0.15 && xdotool click 1
  sleep 0.2
}

# click_bottom WINDOW-LINE X FROM-BOTTOM: the same, measured from the bottom edge (the program's frames are bottom-up).
click_bottom() {
  local h
  read -r _ _ _ _ h <<<"$1"
  click_in "$1" "$2" $((h - $3))
}

# click_wm_close WINDOW-LINE: the close button at the right end of openbox's title bar.
click_wm_close() {
  local x y w
  read -r _ x y w _ <<<"$1"
  xdotool mousemove $((x + w - 9)) $((y - 11)) && sleep 0.15 && xdotool click 1
  sleep 0.2
}

# click_title WINDOW-LINE: a click on the middle of the window manager's title bar.
click_title() {
  local x y w
  read -r _ x y w _ <<<"$1"
  xdotool mousemove $((x + w / 2)) $((y - 10)) && sleep 0.15 && xdotool click 1
  sleep 0.4
}

drag_in() {
  local x y
  read -r _ x y _ _ <<<"$1"
  xdotool mousemove $((x + $2)) $((y + $3)) && sleep 0.1 && xdotool mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((x + $2 + ($4 - $2) * step / 8)) $((y + $3 + ($5 - $3) * step / 8)); sleep 0.05
  done
  xdotool mouseup 1; sleep 0.2
}

# pixel X Y: "r g b" (0-255) of one point of the screen.
pixel() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*(\([0-9.]*\),\([0-9.]*\),\([0-9.]*\).*/\1 \2 \3/p' | awk '{ printf "%d %d %d\n", $1, $2, $3 }'
}

# region_sum WINDOW-LINE X Y W H: a checksum of what a region of a window shows.
region_sum() {
  local x y
  read -r _ x y _ _ <<<"$1"
  import -window root -crop "$4x$5+$((x + $2))+$((y + $3))" rgb:- 2>/dev/null | md5sum | cut -d' ' -f1
}

key() { xdotool key "$@"; sleep 0.3; }

# count_files PATTERN: files in the pictures folder.
count_files() { find "$home/pictures" -maxdepth 1 -name "$1" | wc -l; }

# wait_files N PATTERN SECONDS
wait_files() {
  for _ in $(seq $(($3 * 10))); do [ "$(count_files "$2")" -ge "$1" ] && return 0; sleep 0.1; done
  fail "expected $1 files $2 in the pictures folder, found $(count_files "$2")"
}

# The main window and its controls (basic tab), in points from the client area's top-left.
main_window() { find_window Scanner 1000 2000 "${1:-40}" || fail "no main window"; }
