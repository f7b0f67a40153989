#!/usr/bin/env bash
# Runs a Windows program under wine64 in the build's private prefix (ctest's emulator for the
# 64-bit build). tests/wine/session.sh normally provides the display and a warm server; run
# alone, this starts a persistent server that outlives it (stop it with `wineserver -k`).
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
[ -n "${DISPLAY:-}" ] || echo "wine-run.sh: DISPLAY is not set; run the tests through tools/test.sh" >&2
hvn_prefix_ensure desktop
# A server that this call starts gets its service processes booted detached from our stdio;
# when one is already running (status 2) it has them.
if "$WINESERVER" -p </dev/null >/dev/null 2>&1; then
    hvn_boot
fi
exec "$WINE64" "$@"
