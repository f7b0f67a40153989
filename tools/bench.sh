#!/usr/bin/env bash
# Benchmark: the configuration program against a bare two-page property sheet (its floor),
# both under wine64 on a private Xvfb display with Wine's virtual desktop and a warm
# wineserver. Installs what is missing, builds both presets, runs the driver and prints the
# table. Not a test: it passes or fails nothing.
#
#   tools/bench.sh [--pairs N] [--warmup N] [--adapter N] [--no-build] [--control]
#
# --control also runs the bare sheet against itself, to show how far a ratio drifts from
# 1.00x on this machine at this moment.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
pairs=40
warmup=2
adapter=7
build=1
control=0
while [ $# -gt 0 ]; do
  case "$1" in
    --pairs) pairs=$2; shift 2 ;;
    --warmup) warmup=$2; shift 2 ;;
    --adapter) adapter=$2; shift 2 ;;
    --no-build) build=0; shift ;;
    --control) control=1; shift ;;
    *) echo "usage: $0 [--pairs N] [--warmup N] [--adapter N] [--no-build] [--control]" >&2; exit 2 ;;
  esac
done

# --- tools: install only what is missing --------------------------------------------------
missing=()
need() { command -v "$1" >/dev/null 2>&1 || missing+=("$2"); }
need x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64
need i686-w64-mingw32-g++-posix g++-mingw-w64-i686
need x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64
need i686-w64-mingw32-windres binutils-mingw-w64-i686
[ -x /usr/lib/wine/wine64 ] || missing+=(wine64)
need Xvfb xvfb
need cmake cmake
need python3 python3
if [ ${#missing[@]} -gt 0 ]; then
  echo "bench: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# --- build both presets: the product targets and the benchmark's own ----------------------
cd "$root"
if [ "$build" = 1 ]; then
  for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
  done
  cmake --build --preset win64 --target hvnbricfg bare_sheet bench_driver -- -j"$(nproc)" >/dev/null
  cmake --build --preset win32 --target hvnbricfg bare_sheet -- -j"$(nproc)" >/dev/null
fi
b64=$root/build/win64
b32=$root/build/win32
work=$b64/bench
mkdir -p "$work"

# --- a private display and Wine session (the test rig's), stopped by process id at the end --
# The benchmark keeps its own prefix, so it can run beside the tests.
export HVN_WINEPREFIX=$work/wineprefix
source "$root/tests/wine/wine-env.sh"
cleanup() { hvn_server_stop; hvn_xvfb_stop; }
trap cleanup EXIT
trap 'exit 130' INT TERM
hvn_xvfb_start
hvn_prefix_ensure desktop
hvn_server_start

# --- run -----------------------------------------------------------------------------------
winpath() { local p=${1//\//\\}; echo "Z:$p"; }
run_driver() {  # program, bare, results file
  "$WINE64" "$b64/bench/bench_driver.exe" --program "$(winpath "$1")" --bare "$(winpath "$2")" \
    --csv "$(winpath "$3")" --adapter "$adapter" --pairs "$pairs" --warmup "$warmup" </dev/null
}
csv=$work/results.csv
echo "bench: $warmup warm-up pairs, then $pairs pairs (A B B A) on adapter $adapter" >&2
run_driver "$b64/hvnbricfg.exe" "$b64/bare_sheet.exe" "$csv"
report_args=()
if [ "$control" = 1 ]; then
  echo "bench: control, the bare sheet against itself" >&2
  run_driver "$b64/bare_sheet.exe" "$b64/bare_sheet.exe" "$work/control.csv"
  report_args=(--control "$work/control.csv")
fi

python3 "$root/bench/report.py" --csv "$csv" --build64 "$b64" --build32 "$b32" \
  --wine-version "$("$WINE64" --version)" "${report_args[@]}"
