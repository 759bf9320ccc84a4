# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
# Sourced by the end-to-end tests of the Windows program: the X session of x11session.sh, the
# Windows platform whatever platform the calling test run chose, and Wine's own processes ended
# with the X server.
# shellcheck source=x11session.sh
source "$(dirname "${BASH_SOURCE[0]}")/x11session.sh"
trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT
unset QT_QPA_PLATFORM
export WINEDEBUG=${WINEDEBUG:--all}

# Waits for the launcher of the program started as process $1: the first start of a Wine
# prefix takes a while.
wait_for_launcher() {
    local deadline=$((SECONDS + 120))
    until count_forms 1; do
        [ $SECONDS -lt $deadline ] || fail "no launcher window"
        kill -0 "$1" 2>/dev/null || fail "the program ended before its launcher appeared"
        sleep 0.5
    done
}
