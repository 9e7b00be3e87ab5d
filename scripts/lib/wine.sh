# Sourced by the scripts: a Wine prefix of the project's own under build/,
# with a virtual desktop so that windows get frames and centring, on an
# Xvfb display of its own unless the caller brings a display.
#
#   wine_setup [--own-display]   prefix ready, DISPLAY set, Wine server up
#   wine_stop                    ends Wine for this prefix (and our Xvfb)
# TAVLIN_WINE_PIN (say "taskset -c 0") runs the prefix's set-up and its
# server under that command, as the benchmark needs.

TAVLIN_ROOT=${TAVLIN_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
export WINEPREFIX=${TAVLIN_WINEPREFIX:-$TAVLIN_ROOT/build/wine}
export WINEDEBUG=-all
# No prompts to fetch the .NET or HTML engines of Wine: nothing here needs them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
TAVLIN_XVFB_DISPLAY=${TAVLIN_XVFB_DISPLAY:-:71}

# Some kernels run no 32-bit programs (ia32 emulation switched off). Wine has
# then only its 64-bit half: it runs the x86-64 build, never the i686
# release, and Debian's wine command must not try its 32-bit loader first.
if [[ -x /usr/lib/wine/wine ]] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  export TAVLIN_WINE_I686=1
else
  export TAVLIN_WINE_I686=0
  if [[ -x /usr/lib/wine/wine64 ]]; then
    export WINELOADER=/usr/lib/wine/wine64
    # Debian's winepath and wineboot start the 32-bit loader whenever it is
    # installed, so they get the same stand-ins as wine itself.
    mkdir -p "$TAVLIN_ROOT/build/wine64-only"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$TAVLIN_ROOT/build/wine64-only/wine"
    for _tool in winepath wineboot; do
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 %s.exe "$@"\n' "$_tool" >"$TAVLIN_ROOT/build/wine64-only/$_tool"
    done
    chmod +x "$TAVLIN_ROOT/build/wine64-only"/*
    [[ ":$PATH:" == *":$TAVLIN_ROOT/build/wine64-only:"* ]] || export PATH=$TAVLIN_ROOT/build/wine64-only:$PATH
  fi
fi

# The preset whose tavlin.exe stands for the release under Wine: the i686
# release itself where this machine runs it, else the x86-64 build of the
# same sources, said once on stderr.
wine_release_preset() {
  if ((TAVLIN_WINE_I686)); then
    echo win32
  else
    echo "note: this machine runs no 32-bit programs, so Wine shows the x86-64 build instead of the i686 release" >&2
    echo win64
  fi
}
TAVLIN_DESKTOP_SIZE=${TAVLIN_DESKTOP_SIZE:-1024x768}
_tavlin_xvfb_pid=

_tavlin_display_alive() {
  xdpyinfo -display "$1" >/dev/null 2>&1
}

wine_start_xvfb() {
  export DISPLAY=$TAVLIN_XVFB_DISPLAY
  _tavlin_display_alive "$DISPLAY" && return 0
  Xvfb "$DISPLAY" -screen 0 "${TAVLIN_DESKTOP_SIZE}x24" -nolisten tcp >/dev/null 2>&1 &
  _tavlin_xvfb_pid=$!
  for _ in $(seq 100); do
    _tavlin_display_alive "$DISPLAY" && return 0
    sleep 0.05
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

wine_setup() {
  if [[ "${1:-}" == --own-display || -z "${DISPLAY:-}" ]] || ! _tavlin_display_alive "${DISPLAY}"; then
    wine_start_xvfb || return 1
  fi
  # A WoW64 prefix, made after 32-bit Wine was installed, runs the i686
  # release as well as the x86-64 build; an older prefix lacks the 32-bit
  # system folder, so one without this stamp is made anew (and one made
  # where only 64-bit programs run is made anew where 32-bit ones do).
  local kind=wow64
  ((TAVLIN_WINE_I686)) || kind=win64-only
  local stamp="$WINEPREFIX/.tavlin-prefix-4-$kind-$TAVLIN_DESKTOP_SIZE"
  if [[ ! -f "$stamp" ]]; then
    echo "wine: preparing the prefix in $WINEPREFIX (once)" >&2
    if [[ -e "$WINEPREFIX" ]]; then
      wineserver -k >/dev/null 2>&1 || true
      rm -rf "$WINEPREFIX"
    fi
    mkdir -p "$WINEPREFIX"
    ${TAVLIN_WINE_PIN:-} wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$TAVLIN_DESKTOP_SIZE" /f >/dev/null 2>&1
    # As on Windows, a .txt file opens in the text editor (Wine's prefix knows
    # the file type but not the extension).
    wine reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1
    timeout 120 wineserver -w || true
    # Wine's own faces (MS Sans Serif, Tahoma, the caption symbols), which
    # this Wine does not find where the package puts them: without them
    # every face falls back to one sans and no window looks as on Windows.
    if [[ -d /usr/share/wine/fonts ]]; then
      cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    touch "$stamp"
  fi
  # The server is started here, detached from our output, so that no pipe of
  # the caller is held open by it; wine_stop ends it. One already running for
  # this prefix is fine.
  ${TAVLIN_WINE_PIN:-} wineserver -p >/dev/null 2>&1 </dev/null || true
}

wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [[ -n "$_tavlin_xvfb_pid" ]]; then
    kill "$_tavlin_xvfb_pid" 2>/dev/null || true
    wait "$_tavlin_xvfb_pid" 2>/dev/null || true
    _tavlin_xvfb_pid=
  fi
}
