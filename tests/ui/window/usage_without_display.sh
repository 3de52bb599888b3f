#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# usage_without_display.sh PROGRAM ARGUMENTS...: the program, given a wrong
# command line where there is no display, prints its usage on stderr and
# exits with 2 (Qt, had it started, would have aborted).
program=$1
shift
errors=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" 2>&1 >/dev/null)
code=$?
printf '%s\n' "$errors"
[ "$code" -eq 2 ] && printf '%s\n' "$errors" | grep -q '^Usage: perceptlab'
