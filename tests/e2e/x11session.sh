# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
# Sourced by the end-to-end tests: an X server of its own with a window manager, and the helpers
# that find the program's windows, click and type into them and compare screenshots. The
# simulator windows are found by their title; both place their canvas's inside at (10, 18),
# 405 x 373 pixels of their client area.
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    [ -n "${E2E_KEEP:-}" ] && cp "$work"/*.png "$E2E_KEEP"/ 2>/dev/null
    echo "FAIL: $*" >&2
    import -window root "$work/failure.png" 2>/dev/null && cp "$work/failure.png" ./e2e-failure.png
    exit 1
}
step() { echo "- $*"; }

# Waits for a command to succeed: two minutes at most, far more than any step takes on a machine
# whose cores are busy with something else, so that only a fault meets the limit.
wait_for() {
    local deadline=$((SECONDS + 120))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# The X server picks a free display and tells its number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
# The window manager, started again should it end before it is up (once, in CI, one never came
# up in two minutes where the next started at once); what it said is kept for the failure.
start_wm() {
    openbox >>"$work/openbox.log" 2>&1 &
    wm=$!
    pids+=($wm)
}
wm_up() {
    wmctrl -m >/dev/null 2>&1 && return 0
    kill -0 "$wm" 2>/dev/null || start_wm
    return 1
}
start_wm
wait_for wm_up || fail "the window manager did not start: $(tail -n 5 "$work/openbox.log")"

forms() { xdotool search --onlyvisible --name '^Form1$' 2>/dev/null | sort -n || true; }
count_forms() { [ "$(forms | wc -l)" -eq "$1" ]; }
error_boxes() { xdotool search --onlyvisible --name '^実行時エラー$' 2>/dev/null || true; }
# The one window of the list now that was not in the list before.
new_window() { comm -13 <(echo "$1") <(forms) | head -n 1; }

# The client area's top-left corner on the screen: sets X and Y. (xwininfo, since xdotool's
# geometry is off by the frame under a reparenting window manager.)
origin() {
    local info
    info=$(xwininfo -id "$1")
    X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
}
# Clicks at a point given in pixels of a window's client area.
click_at() {
    origin "$1"
    xdotool mousemove --sync $((X + $2)) $((Y + $3)) click 1
    sleep 0.15
}
# Replaces a field's text: click it, select all, type.
type_into() {
    click_at "$1" "$2" "$3"
    xdotool key ctrl+a
    xdotool type --delay 20 "$4"
}
# A screenshot of part of a window's client area.
shot() {
    origin "$1"
    import -window root -crop "$4x$5+$((X + $2))+$((Y + $3))" "$work/$6.png"
}
# Both simulator windows place their canvas's inside at (10, 18), 405 x 373 pixels.
canvas_shot() { shot "$1" 10 18 405 373 "$2"; }
differing() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true; }
colours() { convert "$work/$1.png" -format %k info:; }
moving() {
    canvas_shot "$1" a
    sleep 0.3
    canvas_shot "$1" b
    [ "$(differing a b)" != 0 ]
}

