#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Validates a desktop entry and fails on any error or warning (hints are printed only).
# desktop-file-validate before 0.27 knows the entry format up to 1.4 and calls the 1.5 key
# SingleMainWindow an unknown extension, so that one key is taken out for such validators.
set -eu
validator="$1"
entry="$2"
checked="$entry"
# Its help names the newest entry format version it knows.
if "$validator" --help 2>&1 | grep -q 'Desktop Entry .* 1\.[0-4]\b'; then
    checked="$(mktemp --suffix=.desktop)"
    trap 'rm -f "$checked"' EXIT
    grep -v '^SingleMainWindow=true$' "$entry" >"$checked"
fi
output="$("$validator" "$checked" 2>&1)" || { echo "$output"; exit 1; }
[ -z "$output" ] || echo "$output"
! echo "$output" | grep -E ': (error|warning):'
