#!/usr/bin/env bash
# session.sh COMMAND...: runs COMMAND with a fresh Xvfb display and a warm private wineserver,
# then stops both by process id. Exits with COMMAND's status.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
cleanup() { hvn_server_stop; hvn_xvfb_stop; }
trap cleanup EXIT
trap 'exit 130' INT TERM
hvn_xvfb_start || exit 1
hvn_prefix_ensure desktop
hvn_server_start
"$@"
