# Shared by the Wine scripts (sourced, bash): where wine64 lives, the build's private prefix, and
# how to create that prefix, start its server and stop what was started. HVN_WINEPREFIX, when
# set, names another prefix (a tool that runs beside the tests keeps its own).
HVN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="${HVN_WINEPREFIX:-$HVN_ROOT/build/win64/wineprefix}"
export WINEDEBUG=-all

# Creates the prefix once (7-9 s), serialised by a lock so parallel callers wait for the first.
# With "desktop" every window opens inside Wine's 1024x768 virtual desktop: without a window
# manager (Xvfb) hiding a top-level window otherwise costs ~2 s and focus goes wrong after a
# message box. Gecko and Mono are switched off so no installer dialog can block the boot.
hvn_prefix_ensure() {
    local desktop=$1
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ -f "$WINEPREFIX/.hvnbricfg-ready" ] && exit 0
        WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE64" wineboot -i </dev/null >/dev/null 2>&1
        if [ "$desktop" = desktop ]; then
            local reg='C:\windows\system32\reg.exe'
            "$WINE64" "$reg" add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
            "$WINE64" "$reg" add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
        fi
        # The desktop process of the boot was started without the setting: start afresh.
        "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
        "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
        touch "$WINEPREFIX/.hvnbricfg-ready"
    ) 9>"$WINEPREFIX.lock"
}

# Boots the prefix's service processes with every stdio detached: started from a test they
# would inherit ctest's pipes, and ctest would wait for them.
hvn_boot() {
    "$WINE64" wineboot </dev/null >/dev/null 2>&1
}

# Starts a persistent wineserver for the prefix in the background and records its process id
# in HVN_WINESERVER_PID; callers stop it with hvn_server_stop.
hvn_server_start() {
    "$WINESERVER" -f -p </dev/null >/dev/null 2>&1 &
    HVN_WINESERVER_PID=$!
    hvn_boot
}

# Ends every Wine process of the prefix and its server (by the recorded id when it lingers).
hvn_server_stop() {
    "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
    if [ -n "${HVN_WINESERVER_PID:-}" ]; then
        local i
        for i in $(seq 50); do kill -0 "$HVN_WINESERVER_PID" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$HVN_WINESERVER_PID" 2>/dev/null || true
        wait "$HVN_WINESERVER_PID" 2>/dev/null || true
        HVN_WINESERVER_PID=
    fi
}

# Starts Xvfb on the first free display (it names the display itself once it accepts clients)
# and exports DISPLAY; the process id is kept in HVN_XVFB_PID for hvn_xvfb_stop.
hvn_xvfb_start() {
    local fifo dpy
    fifo=$(mktemp -u /tmp/hvnbricfg-xvfb.XXXXXX)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
    HVN_XVFB_PID=$!
    # The read returns when Xvfb writes its display number, or fails when it dies or stalls.
    read -r -t 20 dpy <"$fifo" || dpy=
    rm -f "$fifo"
    if [ -z "$dpy" ]; then
        echo "Xvfb did not start" >&2
        hvn_xvfb_stop
        return 1
    fi
    export DISPLAY=":$dpy"
}

hvn_xvfb_stop() {
    if [ -n "${HVN_XVFB_PID:-}" ]; then
        kill "$HVN_XVFB_PID" 2>/dev/null || true
        wait "$HVN_XVFB_PID" 2>/dev/null || true
        HVN_XVFB_PID=
    fi
}
