# Shared by the scripts: building the trees, a private X display and a fresh Wine prefix.
# Sourced, not run.

VD_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VD_BUILD="${VD_BUILD:-$VD_ROOT/build}"
# VD_TEST_ARCHES narrows a run to one architecture while working ("i686"); CI runs both.
read -r -a VD_ARCHES <<<"${VD_TEST_ARCHES:-i686 x86_64}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="

vd_jobs() { nproc 2>/dev/null || echo 2; }

# "2.2": major and minor of the version in the top CMakeLists.txt's project(), the one place it
# is written; the main window's caption is "Vellumdesk v" followed by it.
VD_VERSION="$(sed -n 's/^project(Vellumdesk VERSION \([0-9]*\.[0-9]*\).*/\1/p' "$VD_ROOT/CMakeLists.txt")"
VD_TITLE="Vellumdesk v$VD_VERSION"

# Some hosts run 64-bit user code only: the kernel refuses every 32-bit ELF program (ENOEXEC),
# Wine's 32-bit loader among them. Debian's `wine` wrapper still picks that loader whenever it is
# installed, so on such a host `wine`, `wineboot` and `winepath` fail for 64-bit programs too.
# There a shim on PATH sends them to the 64-bit loader; 32-bit Windows programs cannot run at all.
vd_runs_32bit() {
  [ -z "${VD_RUNS_32BIT:-}" ] && {
    if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then VD_RUNS_32BIT=1; else VD_RUNS_32BIT=0; fi
    export VD_RUNS_32BIT
  }
  [ "$VD_RUNS_32BIT" = 1 ]
}
if [ -x /usr/lib/wine/wine64 ] && ! vd_runs_32bit; then
  vd_shim="$VD_BUILD/wine64-only"
  if [ ! -x "$vd_shim/wine-stable" ]; then
    mkdir -p "$vd_shim"
    printf '#!/bin/sh\nexport WINELOADER="${WINELOADER:-/usr/lib/wine/wine64}"\nexec /usr/lib/wine/wine64 "$@"\n' >"$vd_shim/wine"
    chmod +x "$vd_shim/wine"
    ln -sf wine "$vd_shim/wine-stable"
  fi
  case ":$PATH:" in *":$vd_shim:"*) ;; *) export PATH="$vd_shim:$PATH" ;; esac
fi

# Whether the Windows programs of one architecture can run on this host.
vd_arch_runs() { [ "$1" != i686 ] || vd_runs_32bit; }

vd_build_host() {
  cmake -S "$VD_ROOT" -B "$VD_BUILD/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build "$VD_BUILD/host" -j"$(vd_jobs)"
}

vd_build_win() { # arch
  cmake -S "$VD_ROOT" -B "$VD_BUILD/$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$VD_ROOT/cmake/toolchain-$1.cmake" >/dev/null &&
    cmake --build "$VD_BUILD/$1" -j"$(vd_jobs)"
}

# Starts a private Xvfb on the first free display number and exports DISPLAY.
VD_XVFB_PID=""
vd_start_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    VD_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$VD_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$VD_XVFB_PID" 2>/dev/null
  done
  echo "could not start Xvfb" >&2
  return 1
}

vd_stop_xvfb() {
  [ -n "$VD_XVFB_PID" ] && kill "$VD_XVFB_PID" 2>/dev/null
  VD_XVFB_PID=""
}

# A new, empty Wine prefix for one run, initialised once.
vd_fresh_prefix() { # dir
  export WINEPREFIX="$1"
  [ -d "$WINEPREFIX" ] && { wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"; }
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  # Xvfb has no window manager: unmanaged windows keep Wine from waiting two seconds for one
  # each time a window is hidden.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w 2>/dev/null || true
}

vd_stop_wine() { [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true; }

# A real print queue for the end-to-end print: starts the CUPS scheduler when it is not running
# and makes sure of a PDF queue that is the default printer, writing into a folder of its own.
# Exports VD_PRINT_PDF_DIR (the folder) for the robot. The scheduler is left running, as a
# system service is.
VD_PDF_QUEUE=VellumdeskPDF
vd_start_cups() {
  local dir=/var/spool/cups-pdf/vellumdesk i
  command -v cupsd >/dev/null && command -v lpadmin >/dev/null ||
    { echo "CUPS is not installed (scripts/setup installs it)" >&2; return 1; }
  [ -f /usr/lib/cups/backend/cups-pdf ] || { echo "the CUPS PDF printer is not installed" >&2; return 1; }
  if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    cupsd || { echo "could not start cupsd" >&2; return 1; }
    for i in $(seq 1 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.2; done
  fi
  # The PDF printer reads the configuration named in its device address before its general one.
  printf 'Out %s\nAnonDirName %s\nLabel 1\n' "$dir" "$dir" >/etc/cups/cups-pdf-vellumdesk.conf
  lpadmin -p "$VD_PDF_QUEUE" -v cups-pdf:/vellumdesk -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null ||
    { echo "could not set up the print queue $VD_PDF_QUEUE" >&2; return 1; }
  cupsenable "$VD_PDF_QUEUE" 2>/dev/null; cupsaccept "$VD_PDF_QUEUE" 2>/dev/null
  lpadmin -d "$VD_PDF_QUEUE" || return 1
  mkdir -p "$dir"
  export VD_PRINT_PDF_DIR="$dir"
}
