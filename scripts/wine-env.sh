# Sourced by the Wine scripts: the project's Wine prefix and session, kept inside one build folder.
#   sarnex_wine_setup BUILD_DIR ARCH    (ARCH: win32 or win64)
# then sarnex_ensure_prefix, sarnex_session_start, sarnex_session_stop, sarnex_session_alive.
# The user's own ~/.wine is never used: WINEPREFIX always points into the build folder.

sarnex_wine_setup() {
  SARNEX_BUILD_DIR=$(cd "$1" && pwd)
  SARNEX_WINEARCH=${2:-win32}
  export WINEPREFIX="$SARNEX_BUILD_DIR/wineprefix"
  export WINEARCH="$SARNEX_WINEARCH"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  if [ "$SARNEX_WINEARCH" = win64 ]; then
    SARNEX_WINE_LOADER=/usr/lib/wine/wine64
  else
    SARNEX_WINE_LOADER=/usr/lib/wine/wine
  fi
  if [ -x /usr/lib/wine/wineserver64 ]; then
    export WINESERVER=/usr/lib/wine/wineserver64
  else
    export WINESERVER=/usr/lib/wine/wineserver32
  fi
  export WINELOADER="$SARNEX_WINE_LOADER"
  SARNEX_SESSION_DIR="$SARNEX_BUILD_DIR/wine-session"
  mkdir -p "$SARNEX_SESSION_DIR"
}

sarnex_log() { echo "[wine] $*" >&2; }

# Creates the prefix once: in a temporary folder, renamed when complete, under a lock.
sarnex_ensure_prefix() {
  [ -f "$WINEPREFIX/.sarnex-ready" ] && return 0
  (
    flock 9
    [ -f "$WINEPREFIX/.sarnex-ready" ] && exit 0
    local started=$SECONDS tmp="$SARNEX_BUILD_DIR/wineprefix.tmp.$$"
    rm -rf "$tmp" "$WINEPREFIX"
    sarnex_log "creating Wine prefix $WINEPREFIX ($WINEARCH)"
    (
      export WINEPREFIX="$tmp"
      unset DISPLAY
      "$SARNEX_WINE_LOADER" wineboot -i 9>&- </dev/null >"$SARNEX_SESSION_DIR/prefix.log" 2>&1 || exit 1
      # Without a window manager every top-level DestroyWindow would wait 2 s.
      "$SARNEX_WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        9>&- </dev/null >>"$SARNEX_SESSION_DIR/prefix.log" 2>&1 || exit 1
      "$WINESERVER" -w 9>&-
      # Debian's Wine does not find its own fonts (Tahoma, MS Sans Serif) unless they are in C:\windows\Fonts.
      local fonts="$tmp/drive_c/windows/Fonts" f
      mkdir -p "$fonts"
      for f in /usr/share/wine/fonts/*; do
        [ -e "$fonts/$(basename "$f")" ] || ln -s "$f" "$fonts/"
      done
    ) || { sarnex_log "prefix creation failed, see $SARNEX_SESSION_DIR/prefix.log"; rm -rf "$tmp"; exit 1; }
    touch "$tmp/.sarnex-ready"
    mv "$tmp" "$WINEPREFIX"
    sarnex_log "prefix ready in $((SECONDS - started)) s"
  ) 9>"$SARNEX_BUILD_DIR/wineprefix.lock"
}

sarnex_pid_alive() { [ -n "$1" ] && kill -0 "$1" 2>/dev/null; }

# Loads the session's DISPLAY (and Xvfb pid) if a session is running; fails otherwise.
sarnex_session_alive() {
  local state="$SARNEX_SESSION_DIR/session.env"
  [ -f "$state" ] || return 1
  local XVFB_PID="" SESSION_DISPLAY=""
  # shellcheck disable=SC1090
  . "$state"
  if [ -n "$XVFB_PID" ] && ! sarnex_pid_alive "$XVFB_PID"; then
    return 1
  fi
  export DISPLAY="$SESSION_DISPLAY"
  SARNEX_XVFB_PID="$XVFB_PID"
  return 0
}

# Makes sure the persistent wineserver runs; the first start is warmed with stdio on /dev/null so that
# Wine's helper processes never hold a caller's pipes.
sarnex_wineserver_up() {
  local rc=0
  "$WINESERVER" -p60 9>&- </dev/null >/dev/null 2>&1 || rc=$?
  if [ "$rc" = 0 ]; then
    "$SARNEX_WINE_LOADER" cmd /c exit 9>&- </dev/null >/dev/null 2>&1 || true
  fi
}

# Starts a session: a private Xvfb when no DISPLAY is given, and the persistent wineserver.
sarnex_session_start() {
  sarnex_ensure_prefix || return 1
  (
    flock 9
    if sarnex_session_alive; then
      sarnex_wineserver_up
      exit 0
    fi
    local xvfb_pid="" display="${DISPLAY:-}"
    if [ -z "$display" ]; then
      local fdfile="$SARNEX_SESSION_DIR/displayfd"
      rm -f "$fdfile"
      setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$fdfile" 9>&- </dev/null >"$SARNEX_SESSION_DIR/xvfb.log" 2>&1 &
      xvfb_pid=$!
      local i
      for i in $(seq 1 200); do
        grep -q '^[0-9][0-9]*$' "$fdfile" 2>/dev/null && break
        sarnex_pid_alive "$xvfb_pid" || { sarnex_log "Xvfb failed, see $SARNEX_SESSION_DIR/xvfb.log"; exit 1; }
        sleep 0.05
      done
      display=":$(head -n1 "$fdfile")"
      export DISPLAY="$display"
    fi
    printf 'SESSION_DISPLAY=%q\nXVFB_PID=%q\n' "$display" "$xvfb_pid" >"$SARNEX_SESSION_DIR/session.env"
    sarnex_wineserver_up
  ) 9>"$SARNEX_SESSION_DIR/lock" || return 1
  sarnex_session_alive
}

# Ends the session: every Wine process of this prefix, then the private Xvfb.
sarnex_session_stop() {
  (
    flock 9
    local XVFB_PID="" SESSION_DISPLAY=""
    [ -f "$SARNEX_SESSION_DIR/session.env" ] && . "$SARNEX_SESSION_DIR/session.env"
    if [ -d "$WINEPREFIX" ]; then
      "$WINESERVER" -k 9>&- </dev/null >/dev/null 2>&1 || true
      "$WINESERVER" -w 9>&- </dev/null >/dev/null 2>&1 || true
    fi
    if sarnex_pid_alive "$XVFB_PID"; then
      kill "$XVFB_PID" 2>/dev/null || true
      local i
      for i in $(seq 1 100); do
        sarnex_pid_alive "$XVFB_PID" || break
        sleep 0.05
      done
    fi
    rm -f "$SARNEX_SESSION_DIR/session.env" "$SARNEX_SESSION_DIR/displayfd"
  ) 9>"$SARNEX_SESSION_DIR/lock"
}
