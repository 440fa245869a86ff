#!/usr/bin/env bash
# Screenshots of the main window as users see it: with visual styles at 96 DPI and at 144 DPI.
# Each is taken in a fresh Wine prefix of its own on a private display; prints the two paths.
#   resources/screenshots.sh [output folder]      (default: $VD_BUILD/screenshots)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/../scripts/setup" >&2
source "$here/../scripts/lib.sh"
out="${1:-$VD_BUILD/screenshots}"
mkdir -p "$out"
vd_build_win x86_64 >&2
exe="$VD_BUILD/x86_64/bin/Vellumdesk.exe"
robot="$VD_BUILD/x86_64/tests/e2e/vd_robot.exe"

vd_start_xvfb >&2
trap 'vd_stop_wine; vd_stop_xvfb' EXIT
for dpi in 96 144; do
  vd_fresh_prefix "$VD_BUILD/x86_64/screenshot-prefix-$dpi"
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
  wine "$exe" >/dev/null 2>&1 &
  shown=0
  for _ in $(seq 1 300); do
    if xwininfo -root -tree 2>/dev/null | grep -qF "\"$VD_TITLE\""; then shown=1; break; fi
    sleep 0.1
  done
  [ $shown = 1 ] || { echo "screenshots: the main window did not appear at $dpi DPI" >&2; exit 1; }
  sleep 2 # let it finish painting
  id=$(xwininfo -root -tree | grep -F "\"$VD_TITLE\"" | head -n 1 | awk '{print $1}')
  import -window "$id" "$out/main-window-${dpi}dpi.png"
  wine "$robot" --exit-program >/dev/null 2>&1 || true
  vd_stop_wine
  echo "$out/main-window-${dpi}dpi.png"
done
