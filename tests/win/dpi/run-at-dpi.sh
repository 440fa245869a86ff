#!/usr/bin/env bash
# Runs a Windows program in a fresh Wine prefix of its own set to the given DPI, on the display
# the test run already has (or a private one), then ends that prefix's Wine.
#   run-at-dpi.sh DPI PREFIX PROGRAM [ARGS...]
set -uo pipefail
dpi="$1" prefix="$2"
shift 2
source "$(dirname "$0")/../../../scripts/lib.sh"

if [ -n "${WINEPREFIX:-}" ] && [ "$(realpath -m "$WINEPREFIX")" = "$(realpath -m "$prefix")" ]; then
  echo "run-at-dpi: $prefix is the shared test prefix; use another" >&2
  exit 2
fi
own_display=0
if [ -z "${DISPLAY:-}" ]; then vd_start_xvfb || exit 1; own_display=1; fi
trap 'vd_stop_wine; [ $own_display = 1 ] && vd_stop_xvfb' EXIT

vd_fresh_prefix "$prefix"
# Read by Wine when a prefix's first program starts: the screen DPI for the whole prefix.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w
wine "$@"
