#!/usr/bin/env bash
# Desktop journeys: the real program on its own X server, used through the X server only.
# Usage: journeys.sh NAME   (NAME as listed in run_journey below)
# Environment: TRIVOLAN_BIN (the program), JOURNEY_OUT (screenshots), TRIVOLAN_RESOURCE_DIR (optional).
JOURNEY=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=journey-lib.sh
. "$here/journey-lib.sh"

# Points within the basic tab of the main window (its size is the same on every fresh start on
# this screen): from the client area's top-left.
PREVIEW=(1377 142)
SCAN=(1377 529)
CLOSE_FROM_BOTTOM=(1428 28)
PREFS_FROM_BOTTOM=(1271 28)
ADVANCED_TAB=(1400 11)
BASIC_TAB=(1283 11)
ADVANCED_TAB_EDGE=(1340 5)
BASIC_TAB_EDGE=(1238 5)
NOTICE_OK_FROM_BOTTOM=(225 17)
# The advanced tab.
ADV_PREVIEW=(1267 1051)
ADV_SCAN=(1425 1051)
ADV_DIALOG_BUTTONS=("1204 959" "1241 959" "1279 959" "1318 959" "1204 986")
ADV_DIALOG_TITLES=("Color Balance" "Brightness/Contrast" "Histogram" "Tone Curve" "Final Review")
DIALOG_CLOSE_FROM_BOTTOM=(176 19)
BRIGHTNESS_KNOB=(123 94)
BRIGHTNESS_FIELD=(172 38 48 22)
HELP_BUTTON=(343 24)
INFO_BUTTON=(302 24)
ADV_PREFS_FROM_BOTTOM=(1254 28)
# The preferences dialog (its Save tab) and the folder chooser.
PREFS_SAVE_TAB=(323 11)
PREFS_FORMAT=(216 185)
PREFS_FORMAT_TIFF=(178 233)
PREFS_BROWSE=(295 131)
PREFS_OK_FROM_BOTTOM=(311 27)
PREFS_CANCEL_FROM_BOTTOM=(222 27)
CHOOSER_FIRST_ROW=(100 58)
CHOOSER_OPEN_FROM_BOTTOM=(469 29)
# The device-select dialog and the progress window.
SECOND_SCANNER_ROW=(87 42)
SELECT_OK_FROM_BOTTOM=(393 59)
PROGRESS_CANCEL_TOP=119  # centred across the window
QUESTION_OK_FROM_BOTTOM=(330 21)

# tab_selected WINDOW-LINE X Y: the tab with that point (beside its title) is the selected one (drawn in the selection's blue).
tab_selected() {
  local x y
  read -r _ x y _ _ <<<"$1"
  local rgb
  rgb=$(pixel $((x + $2)) $((y + $3)))
  read -r r g b <<<"$rgb"
  [ "$b" -gt $((r + 15)) ]
}

# wait_blue_button WINDOW-LINE X Y SECONDS: the blue button there is shown enabled (saturated).
wait_blue_button() {
  local x y r g b
  read -r _ x y _ _ <<<"$1"
  for _ in $(seq $(($4 * 5))); do
    read -r r g b <<<"$(pixel $((x + $2)) $((y + $3 - 6)))"
    [ "$b" -gt $((r + 80)) ] && return 0
    sleep 0.2
  done
  return 1
}

preview() {
  local w; w=$(main_window)
  # shellcheck disable=SC2086
  click_in "$w" ${2:-${PREVIEW[*]}}
  sleep "${1:-4}"
  screenshot preview
}

scan_and_answer_notice() {
  local n=$1 how=${2:-click} at=${3:-${SCAN[*]}}
  local w; w=$(main_window)
  # shellcheck disable=SC2086
  click_in "$w" $at
  wait_files "$n" 'IMG_*' 60
  local notice
  notice=$(find_window Scanner 300 600 30) || fail "no save notice after scan $n"
  screenshot "save-notice-$n"
  if [ "$how" = key ]; then key Return; else click_bottom "$notice" "${NOTICE_OK_FROM_BOTTOM[@]}"; fi
  wait_gone Scanner 300 600 10 || fail "the save notice stayed after OK"
  screenshot "after-notice-$n"
}

close_main() {
  local w; w=$(main_window)
  click_bottom "$w" "${CLOSE_FROM_BOTTOM[@]}"
  wait_app_end 20
  [ -s "$home/config/trivolan/InitSetting.xml" ] || fail "no InitSetting.xml after close"
  [ -s "$home/config/trivolan/Preference.xml" ] || fail "no Preference.xml after close"
}

# (a) preview, scan, OK on the notice, scan again (notice answered by Return), Close.
journey_save_notice() {
  start_display "${1:-wm}"
  start_app
  main_window >/dev/null
  screenshot start
  preview
  scan_and_answer_notice 1 click
  scan_and_answer_notice 2 key
  close_main
  [ "$(count_files 'IMG_*.jpg')" -eq 2 ] || fail "expected two JPEG files"
  [ -z "$(find "$home/tmp" -name 'PVTO_tmp*' 2>/dev/null)" ] || fail "temporary files left"
  [ -z "$(find "$home/tmp" -maxdepth 1 -name 'trivolan-run-*' 2>/dev/null)" ] || fail "the program's temporary folder was left"
}

# (f) the window manager's close button; the next start brings back the tab and the frame.
journey_reopen() {
  start_display wm
  start_app
  local w; w=$(main_window)
  click_in "$w" "${ADVANCED_TAB[@]}"
  sleep 1
  screenshot advanced-question
  local q
  q=$(find_window Scanner 300 700 10) || fail "no question on the change of mode"
  echo "question: $q" >&2
  click_bottom "$q" "${QUESTION_OK_FROM_BOTTOM[@]}"
  wait_gone Scanner 300 700 10 || fail "the question stayed after OK"
  sleep 1
  w=$(main_window)
  read -r id x y _ _ <<<"$w"
  xdotool windowmove "$id" 20 30; sleep 0.5
  w=$(main_window); read -r id x1 y1 _ _ <<<"$w"
  screenshot before-close
  # The close button of the window manager's title bar: a close request through the window manager.
  click_wm_close "$w"
  wait_app_end 20
  start_app
  # The window manager maps it first, then the program may set its place once more.
  for _ in $(seq 30); do
    w=$(main_window); read -r _ x2 y2 _ _ <<<"$w"
    [ "$x1,$y1" = "$x2,$y2" ] && break
    sleep 0.1
  done
  screenshot reopened
  [ "$x1,$y1" = "$x2,$y2" ] || fail "the window came back at $x2,$y2, not $x1,$y1"
  tab_selected "$w" "${ADVANCED_TAB_EDGE[@]}" || fail "the advanced tab is not the one shown"
  close_main
}

# Switches to the advanced tab, answering the question about the other mode's settings by a click.
to_advanced_tab() {
  local w q; w=$(main_window)
  click_in "$w" "${ADVANCED_TAB[@]}"
  q=$(find_window Scanner 300 700 10) || fail "no question on the change of mode"
  screenshot mode-question
  click_bottom "$q" "${QUESTION_OK_FROM_BOTTOM[@]}"
  wait_gone Scanner 300 700 10 || fail "the question stayed after OK"
  sleep 1
  tab_selected "$(main_window)" "${ADVANCED_TAB_EDGE[@]}" || fail "the advanced tab is not shown"
}

# (b) the advanced tab: each floating adjustment dialog from the panel's buttons, a slider
# dragged with the mouse, the dialogs closed by their buttons, then Preview and Scan.
journey_advanced() {
  start_display wm
  start_app
  to_advanced_tab
  local w i d; w=$(main_window)
  for i in "${!ADV_DIALOG_BUTTONS[@]}"; do
    # shellcheck disable=SC2086
    click_in "$w" ${ADV_DIALOG_BUTTONS[$i]}
    find_window "${ADV_DIALOG_TITLES[$i]}" 150 400 10 >/dev/null || fail "no ${ADV_DIALOG_TITLES[$i]} dialog"
  done
  screenshot dialogs
  d=$(find_window Brightness/Contrast 150 400)
  click_title "$d"  # brought to the front by a click on its title bar, under the others now
  local before after
  before=$(region_sum "$d" "${BRIGHTNESS_FIELD[@]}")
  drag_in "$d" "${BRIGHTNESS_KNOB[@]}" $((BRIGHTNESS_KNOB[0] + 50)) "${BRIGHTNESS_KNOB[1]}"
  after=$(region_sum "$d" "${BRIGHTNESS_FIELD[@]}")
  screenshot brightness-dragged
  [ "$before" != "$after" ] || fail "dragging the brightness slider left its value as it was"
  for i in "${!ADV_DIALOG_TITLES[@]}"; do
    d=$(find_window "${ADV_DIALOG_TITLES[$i]}" 150 400 5) || fail "${ADV_DIALOG_TITLES[$i]} went away"
    click_bottom "$d" "${DIALOG_CLOSE_FROM_BOTTOM[@]}"
    wait_gone "${ADV_DIALOG_TITLES[$i]}" 150 400 5 || fail "${ADV_DIALOG_TITLES[$i]} did not close"
  done
  screenshot dialogs-closed
  preview 4 "${ADV_PREVIEW[*]}"
  scan_and_answer_notice 1 click "${ADV_SCAN[*]}"
  close_main
}

# (g) two scanners: the device-select dialog takes a click on the second one and on OK.
journey_two_scanners() {
  start_display wm
  TRIVOLAN_DEVICE_FILE="$here/two-scanners.plist" start_app
  local d before after
  d=$(find_window "Select a Scanner" 300 700 40) || fail "no device-select dialog"
  before=$(region_sum "$d" 10 "$((SECOND_SCANNER_ROW[1] - 6))" 300 12)
  click_in "$d" "${SECOND_SCANNER_ROW[@]}"
  after=$(region_sum "$d" 10 "$((SECOND_SCANNER_ROW[1] - 6))" 300 12)
  screenshot second-selected
  [ "$before" != "$after" ] || fail "the click did not select the second scanner"
  click_bottom "$d" "${SELECT_OK_FROM_BOTTOM[@]}"
  main_window >/dev/null
  screenshot main-window
  preview
  scan_and_answer_notice 1 click
  close_main
}

# (i) Cancel by a click in the progress window of a long scan: no file, no temporary file, and
# the window scans again afterwards.
journey_cancel() {
  start_display wm
  TRIVOLAN_DEVICE_FILE="$here/slow-scanner.plist" start_app
  local w p; w=$(main_window)
  click_in "$w" "${PREVIEW[@]}"
  sleep 1
  wait_gone Pictavo 250 400 30 || fail "the preview did not end"
  click_in "$w" "${SCAN[@]}"
  p=$(find_window Pictavo 250 400 20) || fail "no progress window"
  sleep 1.5
  screenshot scanning
  # The window manager's close button of the busy main window is refused, and so is a move.
  click_wm_close "$w"
  sleep 0.5
  app_running || fail "the program ended on a close while scanning"
  main_window 2 >/dev/null || fail "the main window closed while scanning"
  p=$(find_window Pictavo 250 400 5) || fail "no progress window after the refused close"
  click_in "$p" $(($(cut -d' ' -f4 <<<"$p") / 2)) "$PROGRESS_CANCEL_TOP"
  wait_gone Pictavo 250 400 20 || fail "the progress window stayed after Cancel"
  sleep 1
  screenshot cancelled
  # Whatever the program says about the cancel, it is answered like a person would.
  local m
  if m=$(find_window Scanner 200 700 2); then screenshot cancel-message; key Return; fi
  [ "$(count_files 'IMG_*')" -eq 0 ] || fail "a file was left by the cancelled scan"
  [ -z "$(find "$home/tmp" -type f \( -name 'PVTO_tmp*' -o -path '*trivolan-run-*' ! -name .owner \) 2>/dev/null)" ] ||
    fail "temporary files left after Cancel"
  scan_and_answer_notice 1 click
  close_main
}

# (e) Help from the toolbar opens the help page in the browser (a recording stand-in here).
journey_help() {
  start_display wm
  export JOURNEY_BROWSER_LOG="$home/browser.log"
  TRIVOLAN_BROWSER="$here/record-browser.sh" start_app
  local w; w=$(main_window)
  click_in "$w" "${HELP_BUTTON[@]}"
  for _ in $(seq 50); do [ -s "$JOURNEY_BROWSER_LOG" ] && break; sleep 0.1; done
  screenshot after-help
  [ -s "$JOURNEY_BROWSER_LOG" ] || fail "Help opened nothing"
  local page; page=$(head -n1 "$JOURNEY_BROWSER_LOG")
  # A local help page, or the web manual's address for this scanner.
  case "$page" in
    file://*) [ -s "${page#file://}" ] || fail "Help opened a page that is not there: $page" ;;
    https://*DEV=*) ;;
    *) fail "Help opened $page, not a help page" ;;
  esac
  close_main
}

# (c) Preferences: from the advanced tab it opens and cancels; from the basic tab TIFF into
# another folder, OK, and the next scan is a TIFF there.
journey_preferences() {
  start_display wm
  mkdir -p "$home/pictures/scans"
  start_app
  local w p c q
  to_advanced_tab
  w=$(main_window)
  click_bottom "$w" "${ADV_PREFS_FROM_BOTTOM[@]}"
  p=$(find_window Preferences 300 500 10) || fail "no preferences dialog from the advanced tab"
  screenshot advanced-preferences
  click_bottom "$p" "${PREFS_CANCEL_FROM_BOTTOM[@]}"
  wait_gone Preferences 300 500 10 || fail "the preferences dialog stayed after Cancel"
  click_in "$w" "${BASIC_TAB[@]}"
  if q=$(find_window Scanner 300 700 3); then click_bottom "$q" "${QUESTION_OK_FROM_BOTTOM[@]}"; fi
  sleep 1
  tab_selected "$(main_window)" "${BASIC_TAB_EDGE[@]}" || fail "the basic tab is not shown"
  w=$(main_window)
  click_bottom "$w" "${PREFS_FROM_BOTTOM[@]}"
  p=$(find_window Preferences 300 500 10) || fail "no preferences dialog from the basic tab"
  click_in "$p" "${PREFS_SAVE_TAB[@]}"
  click_in "$p" "${PREFS_FORMAT[@]}"
  sleep 0.5
  screenshot format-menu
  click_in "$p" "${PREFS_FORMAT_TIFF[@]}"
  click_in "$p" "${PREFS_BROWSE[@]}"
  c=$(find_window Open 300 800 10) || fail "no folder chooser"
  click_in "$c" "${CHOOSER_FIRST_ROW[@]}"
  screenshot chooser
  click_bottom "$c" "${CHOOSER_OPEN_FROM_BOTTOM[@]}"
  wait_gone Open 300 800 10 || fail "the folder chooser stayed"
  screenshot preferences-set
  click_bottom "$p" "${PREFS_OK_FROM_BOTTOM[@]}"
  wait_gone Preferences 300 500 10 || fail "the preferences dialog stayed after OK"
  preview
  w=$(main_window)
  click_in "$w" "${SCAN[@]}"
  for _ in $(seq 600); do [ -n "$(find "$home/pictures/scans" -name 'IMG_*.tif*')" ] && break; sleep 0.1; done
  [ -n "$(find "$home/pictures/scans" -name 'IMG_*.tif*')" ] || fail "no TIFF file in the chosen folder"
  [ "$(count_files 'IMG_*')" -eq 0 ] || fail "a file went to the old folder"
  local notice
  notice=$(find_window Scanner 300 600 30) || fail "no save notice"
  click_bottom "$notice" "${NOTICE_OK_FROM_BOTTOM[@]}"
  wait_gone Scanner 300 600 10 || fail "the save notice stayed after OK"
  close_main
}

# (d, part) the scan-information panel opens from the toolbar and closes from its title bar.
journey_information() {
  start_display wm
  start_app
  local w i; w=$(main_window)
  click_in "$w" "${INFO_BUTTON[@]}"
  i=$(find_window "Scan Information" 200 500 10) || fail "no scan-information panel"
  screenshot information
  click_wm_close "$i"
  wait_gone "Scan Information" 200 500 10 || fail "the scan-information panel did not close"
  close_main
}

case "$JOURNEY" in
  save_notice) journey_save_notice wm ;;
  save_notice_no_wm) journey_save_notice none ;;
  reopen) journey_reopen ;;
  advanced) journey_advanced ;;
  two_scanners) journey_two_scanners ;;
  cancel) journey_cancel ;;
  help) journey_help ;;
  preferences) journey_preferences ;;
  information) journey_information ;;
  *) fail "no journey named $JOURNEY" ;;
esac
echo "journey $JOURNEY passed"
