#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
# End to end: the real program in a real X server with a window manager, driven by real mouse
# clicks and key strokes, checked by screenshots, pixels and the process's exit.
#   desktop.sh PROGRAM
set -euo pipefail

program=$1
# shellcheck source=x11session.sh
source "$(dirname "$0")/x11session.sh"
# A real window on that server, whatever platform the calling test run chose.
export QT_QPA_PLATFORM=xcb

step "without a display the program says so, then Qt's reason, not its advice to reinstall, and ends with status 1"
while IFS='|' read -r display reason; do
    status=0
    # shellcheck disable=SC2086
    env $display "$program" 2>"$work/nodisplay.txt" || status=$?
    [ "$status" = 1 ] || fail "status $status without a display ($display)"
    grep -q '^pendulum: 画面を開けません' "$work/nodisplay.txt" || fail "no word of the display: $(cat "$work/nodisplay.txt")"
    grep -q "^pendulum: Qt: .*$reason" "$work/nodisplay.txt" || fail "not Qt's reason ($reason): $(cat "$work/nodisplay.txt")"
    ! grep -q 'Reinstalling' "$work/nodisplay.txt" || fail "Qt's advice instead of its reason: $(cat "$work/nodisplay.txt")"
done <<'CASES'
DISPLAY=:4711 QT_QPA_PLATFORM=xcb|could not connect to display :4711
QT_QPA_PLATFORM=nosuch|Could not find the Qt platform plugin "nosuch"
-u DISPLAY QT_QPA_PLATFORM=xcb|could not connect to display
CASES

step "without the Japanese font the program says which to install, once"
echo '<fontconfig/>' >"$work/nofonts.conf"
FONTCONFIG_FILE="$work/nofonts.conf" "$program" 2>"$work/nofont.txt" &
nofont=$!
pids+=($nofont)
wait_for grep -q 'fonts-ipafont-gothic' "$work/nofont.txt" || fail "no word of the missing font: $(cat "$work/nofont.txt")"
kill "$nofont"
wait "$nofont" 2>/dev/null || true
[ "$(grep -c 'fonts-ipafont-gothic' "$work/nofont.txt")" = 1 ] || fail "the missing font was told of more than once: $(cat "$work/nofont.txt")"

# Qt's own options are not the program's: the windows keep their titles and layout.
"$program" -qwindowtitle Oops -reverse 2>"$work/stderr.txt" &
app=$!
pids+=($app)

step "the launcher appears"
wait_for count_forms 1 || fail "no launcher window"
launcher=$(forms)

step "two clicks on 単振り子 leave one simple pendulum window"
click_at "$launcher" 88 24
wait_for count_forms 2 || fail "no simple pendulum window"
single=$(new_window "$launcher")
click_at "$launcher" 88 24
sleep 0.5
count_forms 2 || fail "a second click opened another window"
# The fields as first drawn: captions and texts in more than two colours.
fresh_fields() {
    shot "$single" 430 0 193 402 fresh-fields
    [ "$(colours fresh-fields)" -gt 2 ]
}
wait_for fresh_fields || fail "the simple pendulum's fields were not drawn"

step "typing into the fields and Run swings the pendulum"
type_into "$single" 576 113 2     # Text3, gravity
type_into "$single" 576 137 0.5   # Text4, time step
click_at "$single" 460 28         # Run
wait_for moving "$single" || fail "the simple pendulum does not swing"

step "both simulator windows run at once"
before=$(forms)
click_at "$launcher" 88 72
wait_for count_forms 3 || fail "no double pendulum window"
twin=$(new_window "$before")
click_at "$twin" 460 28
wait_for moving "$twin" || fail "the double pendulum does not swing"
wait_for moving "$single" || fail "the simple pendulum stopped when the double one started"

step "closing a running window and reopening it gives a fresh window"
wmctrl -i -c "$single"
wait_for count_forms 2 || fail "the simple pendulum window did not close"
before=$(forms)
click_at "$launcher" 88 24
wait_for count_forms 3 || fail "the simple pendulum window did not reopen"
single=$(new_window "$before")
reopened_fields() {
    shot "$single" 430 0 193 402 reopened-fields
    [ "$(differing fresh-fields reopened-fields)" = 0 ]
}
wait_for reopened_fields || fail "the reopened window lost its design-time texts"
canvas_shot "$single" reopened-canvas
[ "$(colours reopened-canvas)" = 1 ] || fail "the reopened canvas is not blank"
! moving "$single" || fail "the reopened window moves before Run"

step "'abc' in the angle field shows the error dialog; everything runs on"
type_into "$single" 555 185 abc   # Text6, start angle, where its caption overlaps it
click_at "$single" 460 28
wait_for test -n "$(error_boxes)" || fail "no error dialog"
box=$(error_boxes)
xdotool windowactivate --sync "$box" key Return
wait_for test -z "$(error_boxes)" || fail "the error dialog did not close"
kill -0 "$app" 2>/dev/null || fail "the program ended on the error"
wait_for moving "$twin" || fail "the double pendulum stopped after the error"
# The field the dialog named has the keyboard, its text selected: typing replaces it.
xdotool type --delay 20 45
click_at "$single" 460 28
wait_for moving "$single" || fail "the simple pendulum does not run after the error"

step "a failed Run in a running window changes nothing; Resume swings on"
type_into "$single" 555 185 abc   # Text6, start angle, where its caption overlaps it
type_into "$single" 576 161 50    # Text5, rod length
click_at "$single" 460 28
wait_for test -n "$(error_boxes)" || fail "no error dialog"
box=$(error_boxes)
canvas_shot "$single" failed-a
sleep 0.3
canvas_shot "$single" failed-b
[ "$(differing failed-a failed-b)" = 0 ] || fail "the pendulum moves after a failed Run"

step "with the dialog open, the launcher's button brings the window and its dialog to the front"
click_at "$launcher" 88 24
wait_for test "$(xdotool getactivewindow)" = "$box" || fail "the error dialog is not in front"
count_forms 3 || fail "the launcher opened another window"
xdotool windowactivate --sync "$box" key Return
wait_for test -z "$(error_boxes)" || fail "the error dialog did not close"
! moving "$single" || fail "the pendulum moves after the dialog of a failed Run"
click_at "$single" 568 28         # Resume
wait_for moving "$single" || fail "Resume does not swing on after a failed Run"

step "a minimised window comes back from its launcher button"
xdotool windowminimize --sync "$twin"
wait_for test -z "$(forms | grep -x "$twin")" || fail "the double pendulum window was not minimised"
click_at "$launcher" 88 72
wait_for test -n "$(forms | grep -x "$twin")" || fail "the minimised window did not come back"
wait_for test "$(xdotool getactivewindow)" = "$twin" || fail "the restored window is not active"

step "closing the launcher leaves the simulators running"
wmctrl -i -c "$launcher"
wait_for count_forms 2 || fail "the launcher did not close"
sleep 0.3
kill -0 "$app" 2>/dev/null || fail "the program ended with the launcher"
wait_for moving "$twin" || fail "the double pendulum stopped with the launcher"

step "a window whose error dialog is open closes, dialog and all"
type_into "$single" 576 185 abc
click_at "$single" 460 28
wait_for test -n "$(error_boxes)" || fail "no error dialog"

step "closing the last windows ends the program with status 0"
wmctrl -i -c "$single"
wait_for count_forms 1 || fail "the simple pendulum window with its dialog did not close"
wait_for test -z "$(error_boxes)" || fail "the error dialog outlived its window"
kill -0 "$app" 2>/dev/null || fail "the program ended while a window was open"
wmctrl -i -c "$twin"
program_ended() { ! kill -0 "$app" 2>/dev/null; }
wait_for program_ended || fail "the program did not end with its last window"
status=0
wait "$app" || status=$?
[ "$status" = 0 ] || fail "exit status $status"
! grep -q 'fonts-ipafont-gothic' "$work/stderr.txt" || fail "a missing font reported where it is installed"
echo "1 passed, 0 failed"
