#!/usr/bin/env bash
# Runs the install robot in a fresh Wine prefix of its own, so that installing and uninstalling
# touch neither the shared test prefix nor one left by an earlier run.
#   run-install-test.sh PREFIX ROBOT SETUP
set -uo pipefail
prefix="$1" robot="$2" setup="$3"
source "$(dirname "$0")/../../../scripts/lib.sh"

if [ -n "${WINEPREFIX:-}" ] && [ "$(realpath -m "$WINEPREFIX")" = "$(realpath -m "$prefix")" ]; then
  echo "run-install-test: $prefix is the shared test prefix; use another" >&2
  exit 2
fi
[ -s "$setup" ] || { echo "run-install-test: no setup at $setup" >&2; exit 1; }
own_display=0
if [ -z "${DISPLAY:-}" ]; then vd_start_xvfb || exit 1; own_display=1; fi
trap 'vd_stop_wine; [ $own_display = 1 ] && vd_stop_xvfb' EXIT

vd_fresh_prefix "$prefix"
wine "$robot" "--setup=Z:${setup//\//\\}"
rc=$?
if [ $rc -ne 0 ] && command -v import >/dev/null; then
  shot="${VD_ARTIFACTS:-$PWD}/e2e-install-failure-$(date +%H%M%S).png"
  import -display "$DISPLAY" -window root "$shot" 2>/dev/null && echo "screenshot: $shot" >&2
fi
exit $rc
