#!/usr/bin/env bash
# Installs what is missing, builds the 64-bit program and opens it under wine64.
#   With $DISPLAY (a person's screen): the program opens there, without Wine's virtual desktop,
#   in a prefix of its own; a picture of the sheet goes to build/screenshot.png, and the script
#   ends when the sheet is closed.
#   Without: on a fresh Xvfb display with the virtual desktop; the sheet is photographed to
#   build/screenshot.png and closed again.
# Arguments go to the program: the first is the adapter number.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/install.sh"
hvn_install_missing

cd "$root"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target hvnbricfg open_sheet -j"$(nproc)" >/dev/null
program=$root/build/win64/hvnbricfg.exe
shot=$root/build/screenshot.png
rm -f "$shot"

if [ -n "${DISPLAY:-}" ]; then
    export HVN_WINEPREFIX=$root/build/win64/wineprefix-display
    source "$root/tests/wine/wine-env.sh"
    trap hvn_server_stop EXIT
    hvn_prefix_ensure nodesktop
    hvn_server_start
    "$WINE64" "$program" "$@" &
    pid=$!
    # Without the virtual desktop the sheet is an X window of its own, titled like the sheet.
    if window=$(timeout 30 xdotool search --sync --onlyvisible --name 'Kestrin 128K BRI Adapter' | head -n 1) &&
       [ -n "$window" ]; then
        sleep 1   # let it paint
        import -window "$window" "$shot" && echo "Picture of the sheet: $shot"
    else
        echo "The sheet did not appear within 30 s" >&2
    fi
    echo "Close the sheet (OK or Cancel) to end."
    wait "$pid"
else
    source "$root/tests/wine/wine-env.sh"
    trap 'hvn_server_stop; hvn_xvfb_stop' EXIT
    hvn_xvfb_start
    hvn_prefix_ensure desktop
    hvn_server_start
    coproc SHEET { "$WINE64" "$root/build/win64/tests/open_sheet.exe" "$@" 2>&1; }
    reply=
    read -r -t 60 reply <&"${SHEET[0]}" || true
    read -r tag x y w h <<<"${reply%$'\r'}" || true
    if [ "${tag:-}" != SHEET ]; then
        echo "The sheet did not appear: ${reply:-no answer}" >&2
        exit 1
    fi
    sleep 1   # let it paint
    # The virtual desktop fills the screen from its top-left corner: Windows coordinates are X's.
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shot"
    echo "Picture of the sheet: $shot"
    echo close >&"${SHEET[1]}"
    wait "$SHEET_PID"
    echo "The program ended."
fi
