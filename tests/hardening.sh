#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The pendulum simulator authors
# SPDX-License-Identifier: MIT
# Checks built binaries for the hardening flags: a position-independent executable, full RELRO
# (read-only relocations, bound at start), the stack protector and, where the binary calls
# them, fortified libc functions.
#   hardening.sh BINARY [--fortified] ...
set -euo pipefail
status=0
check() { # binary, what, command...
    local binary=$1 what=$2
    shift 2
    if ! "$@" >/dev/null; then
        echo "FAIL: $binary: $what" >&2
        status=1
    fi
}
for arg in "$@"; do
    [ "$arg" = --fortified ] && continue
    check "$arg" "not a PIE" bash -c "readelf -h '$arg' | grep -q 'Type: *DYN'"
    check "$arg" "no RELRO segment" bash -c "readelf -lW '$arg' | grep -q GNU_RELRO"
    check "$arg" "not bound at start" bash -c "readelf -dW '$arg' | grep -Eq 'BIND_NOW|FLAGS.*NOW'"
    check "$arg" "no stack protector" bash -c "readelf -sW '$arg' | grep -q __stack_chk_fail"
done
for ((i = 1; i <= $#; i++)); do
    if [ "${!i}" = --fortified ]; then
        j=$((i + 1))
        check "${!j}" "no fortified libc call" bash -c "readelf -sW '${!j}' | grep -Eq '__[a-z]+_chk'"
    fi
done
[ $status = 0 ] && echo "1 passed, 0 failed"
exit $status
