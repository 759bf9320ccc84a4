#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
# End to end on Windows: the cross-built program under Wine, in a real X server with a window
# manager, driven by real mouse clicks and key strokes, checked by screenshots and the process's
# exit status.
#   windows.sh PROGRAM.exe
set -euo pipefail

program=$1
# shellcheck source=winesession.sh
source "$(dirname "$0")/winesession.sh"

# Qt's own options are not the program's: the windows keep their titles and layout.
wine "$program" -qwindowtitle Oops -reverse &
app=$!
pids+=($app)

step "the launcher appears"
wait_for_launcher "$app"
launcher=$(forms)
# Windows places each new window at the screen's centre, over the others: the test lays them
# side by side, as a user would.
place() {
    xdotool windowmove "$1" "$2" "$3"
    sleep 0.5
}
place "$launcher" 0 0

step "the launcher opens the simple pendulum window; Run swings it"
click_at "$launcher" 88 24
wait_for count_forms 2 || fail "no simple pendulum window"
single=$(new_window "$launcher")
place "$single" 400 0
blank_canvas() {
    canvas_shot "$single" fresh-canvas
    [ "$(colours fresh-canvas)" = 1 ]
}
wait_for blank_canvas || fail "the fresh canvas is not blank"
click_at "$single" 460 28         # Run
wait_for moving "$single" || fail "the simple pendulum does not swing"

step "the launcher opens the double pendulum window; Run swings it"
before=$(forms)
click_at "$launcher" 88 72
wait_for count_forms 3 || fail "no double pendulum window"
twin=$(new_window "$before")
place "$twin" 400 480
click_at "$twin" 460 28
wait_for moving "$twin" || fail "the double pendulum does not swing"
wait_for moving "$single" || fail "the simple pendulum stopped when the double one started"

step "'abc' in the angle field shows the error dialog and changes nothing"
click_at "$single" 512 28         # Stop
canvas_shot "$single" stopped
type_into "$single" 555 185 abc   # Text6, start angle, where its caption overlaps it
click_at "$single" 460 28         # Run
wait_for test -n "$(error_boxes)" || fail "no error dialog"
box=$(error_boxes)
place "$box" 0 300                # off the canvas, which it opened over
canvas_shot "$single" after-error
[ "$(differing stopped after-error)" = 0 ] || fail "the failed Run changed the picture"
xdotool windowactivate --sync "$box" key Return
wait_for test -z "$(error_boxes)" || fail "the error dialog did not close"
kill -0 "$app" 2>/dev/null || fail "the program ended on the error"
wait_for moving "$twin" || fail "the double pendulum stopped after the error"
click_at "$single" 568 28         # Resume
wait_for moving "$single" || fail "Resume does not swing on after the failed Run"

step "closing the last window ends the program with status 0"
for window in "$single" "$twin" "$launcher"; do
    wmctrl -i -c "$window"
done
program_ended() { ! kill -0 "$app" 2>/dev/null; }
wait_for program_ended || fail "the program did not end with its last window"
status=0
wait "$app" || status=$?
[ "$status" = 0 ] || fail "exit status $status"
echo "1 passed, 0 failed"
