# Sourced by the scripts: throwaway Wine prefixes and their servers.
# A template prefix is made once per build tree; every run copies it and ends its server.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# qv_wine_template DIR: creates the template prefix DIR unless it is already complete.
# It uses Wine's null display driver: dialogs and message boxes work, nothing is rendered.
qv_wine_template() {
  local dir=$1
  [ -f "$dir/.qv-template-ready" ] && return 0
  rm -rf "$dir"
  mkdir -p "$dir"
  (
    export WINEPREFIX=$dir
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  )
  [ -d "$dir/drive_c/windows" ] || { echo "wine-env: could not create a Wine prefix in $dir" >&2; return 1; }
  touch "$dir/.qv-template-ready"
}

# qv_wine_fresh TEMPLATE DIR: DIR becomes a fresh copy of the template.
qv_wine_fresh() {
  rm -rf "$2"
  mkdir -p "$2"
  cp -a "$1/." "$2"
  rm -f "$2/.qv-template-ready"
}

# qv_wine_use_display PREFIX: the prefix renders to $DISPLAY (for screenshots and people).
qv_wine_use_display() {
  WINEPREFIX=$1 wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
  WINEPREFIX=$1 wineserver -w >/dev/null 2>&1 || true
}

# qv_wine_start PREFIX: a persistent server for PREFIX, so that each program start is quick.
# A first program starts Wine's background services; started here with no pipe attached,
# they cannot hold a test runner's output open.
qv_wine_start() {
  WINEPREFIX=$1 wineserver -p </dev/null >/dev/null 2>&1
  WINEPREFIX=$1 wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

# qv_wine_stop PREFIX: ends the server of PREFIX and every Wine process in it.
qv_wine_stop() {
  WINEPREFIX=$1 wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$1 wineserver -w >/dev/null 2>&1 || true
}

# qv_winpath UNIXPATH: the Z: path Wine programs see for a Unix path.
qv_winpath() {
  local p
  p=$(readlink -f "$1")
  echo "Z:${p//\//\\}"
}

# qv_xvfb_start WxH: a private Xvfb display on the first free number; sets DISPLAY and
# QV_XVFB_PID. qv_xvfb_stop ends it (by PID).
qv_xvfb_start() {
  local n number=
  for n in $(seq 90 149); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then number=$n; break; fi
  done
  [ -n "$number" ] || { echo "wine-env: no free X display number" >&2; return 1; }
  Xvfb ":$number" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
  QV_XVFB_PID=$!
  for _ in $(seq 50); do xdpyinfo -display ":$number" >/dev/null 2>&1 && break; sleep 0.1; done
  export DISPLAY=":$number"
}
qv_xvfb_stop() {
  if [ -n "${QV_XVFB_PID:-}" ]; then
    kill "$QV_XVFB_PID" 2>/dev/null || true
    wait "$QV_XVFB_PID" 2>/dev/null || true
    QV_XVFB_PID=
  fi
}

# qv_wine_fonts PREFIX: Wine's own fonts (Tahoma for "MS Shell Dlg", Marlett for the caption
# buttons); a prefix made without them falls back to another sans-serif and draws the close
# box as "r".
qv_wine_fonts() {
  mkdir -p "$1/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$1/drive_c/windows/Fonts/" 2>/dev/null || true
}

# qv_wine_dialog_font PREFIX: dialogs get Carlito (Debian's fonts-crosextra-carlito) for
# "MS Shell Dlg" and "MS Shell Dlg 2". Wine substitutes its Tahoma, which is wider than the
# font Windows draws dialogs with, so the templates' longer labels wrap; in Carlito every
# label of both templates fits its control at 96, 120 and 192 DPI (label_fit_check.exe).
qv_wine_dialog_font() {
  local name
  for name in "MS Shell Dlg" "MS Shell Dlg 2"; do
    WINEPREFIX=$1 wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v "$name" /t REG_SZ /d Carlito /f >/dev/null 2>&1
    WINEPREFIX=$1 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /t REG_SZ /d Carlito /f >/dev/null 2>&1
  done
  WINEPREFIX=$1 wineserver -w >/dev/null 2>&1 || true
}

# qv_wine_dpi PREFIX DPI: the prefix's screen resolution (LogPixels); takes effect for
# programs started after the server has been restarted.
qv_wine_dpi() {
  WINEPREFIX=$1 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1
  qv_wine_stop "$1"
}

# qv_wine_display_prefix BUILD PREFIX: a fresh prefix from BUILD's template that renders to
# $DISPLAY with Wine's own fonts and Carlito as the dialog font; exports WINEPREFIX and
# starts its server.
qv_wine_display_prefix() {
  qv_wine_template "$1/wine-template"
  qv_wine_fresh "$1/wine-template" "$2"
  qv_wine_fonts "$2"
  qv_wine_dialog_font "$2"
  export WINEPREFIX=$2
  qv_wine_use_display "$2"
  qv_wine_start "$2"
}
