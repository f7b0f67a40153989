#!/usr/bin/env python3
"""Prints the benchmark's table: the driver's timings and memory, the stripped sizes of both
builds, and the machine and build they came from."""
import argparse
import csv
import os
import platform
import re
import shutil
import statistics
import subprocess
import tempfile

TARGETS = {  # figure -> (limit on the program / bare ratio, aim)
    "start-up": (1.10, None),
    "close": (1.10, None),
    "peak working set": (1.10, None),
    "stripped exe": (2.00, 1.50),
}


def first_line(command):
    try:
        out = subprocess.run(command, capture_output=True, text=True, check=False).stdout
        return out.splitlines()[0].strip() if out else "?"
    except OSError:
        return "?"


def cpu_model():
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "?"


def cache_value(build_dir, name):
    try:
        with open(os.path.join(build_dir, "CMakeCache.txt")) as f:
            for line in f:
                if line.startswith(name + ":"):
                    return line.split("=", 1)[1].strip()
    except OSError:
        pass
    return ""


def git_describe(root):
    commit = first_line(["git", "-C", root, "rev-parse", "--short", "HEAD"])
    # Only what goes into the two executables counts: others may be editing tests meanwhile.
    built = ["CMakeLists.txt", "CMakePresets.json", "cmake", "winlib", "app", "store", "pages",
             "help_about", "res", "bench"]
    dirty = subprocess.run(["git", "-C", root, "status", "--porcelain", "--"] + built,
                           capture_output=True, text=True, check=False).stdout.strip()
    return commit + (" + uncommitted changes to the programs" if dirty else "")


def stripped_size(exe, strip):
    with tempfile.TemporaryDirectory() as tmp:
        copy = os.path.join(tmp, os.path.basename(exe))
        shutil.copyfile(exe, copy)
        subprocess.run([strip, copy], check=True)
        return os.path.getsize(copy)


def load_runs(path):
    with open(path, newline="") as f:
        rows = list(csv.DictReader(f))
    pairs = {}
    for row in rows:
        pairs.setdefault(int(row["pair"]), {})[row["exe"]] = row
    return rows, [p for _, p in sorted(pairs.items()) if "program" in p and "bare" in p]


def summarise(pairs, column, scale):
    prog = [float(p["program"][column]) * scale for p in pairs]
    bare = [float(p["bare"][column]) * scale for p in pairs]
    ratios = [a / b for a, b in zip(prog, bare) if b > 0]
    return (statistics.median(prog), statistics.median(bare),
            statistics.median(ratios) if ratios else float("nan"),
            min(prog) / min(bare) if min(bare) > 0 else float("nan"))


def verdict(figure, ratio):
    limit, aim = TARGETS.get(figure, (None, None))
    if limit is None or ratio != ratio:
        return ""
    text = f"<= {limit:.2f}x " + ("meets" if ratio <= limit else "MISSES")
    if aim is not None:
        text += f" (aim {aim:.2f}x: " + ("met" if ratio <= aim else "not met") + ")"
    return text


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--csv", required=True)
    parser.add_argument("--build64", required=True)
    parser.add_argument("--build32", required=True)
    parser.add_argument("--wine-version", default="?")
    parser.add_argument("--control", help="results of the bare sheet run against itself")
    args = parser.parse_args()
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

    rows, pairs = load_runs(args.csv)
    lines = []
    lines.append("hvnbricfg benchmark: the program (A) against a bare two-page sheet (B)")
    lines.append(f"  machine : {os.cpu_count()} CPUs (nproc {first_line(['nproc'])}), {cpu_model()}, "
                 f"{platform.system()} {platform.release()}")
    lines.append(f"  wine    : {args.wine_version}, /usr/lib/wine/wine64, Xvfb, virtual desktop, "
                 "warm wineserver")
    lines.append(f"  compiler: {first_line(['x86_64-w64-mingw32-g++-posix', '--version'])}")
    lines.append(f"            {first_line(['i686-w64-mingw32-g++-posix', '--version'])}")
    build_type = cache_value(args.build64, "CMAKE_BUILD_TYPE")
    flags = " ".join(filter(None, [cache_value(args.build64, "CMAKE_CXX_FLAGS"),
                                   cache_value(args.build64, "CMAKE_CXX_FLAGS_" + build_type.upper()),
                                   "-Wall -Wextra", "link -static"]))
    lines.append(f"  build   : {git_describe(root)}, {build_type}, {flags}")
    lines.append(f"  runs    : {len(pairs)} measured pairs, interleaved A B B A, after the warm-up")
    lines.append("")

    header = (f"  {'figure':<26}{'program':>12}{'bare':>12}{'ratio':>8}{'per-pair':>10}{'best':>8}"
              "  target (on per-pair)")
    lines.append(header)
    lines.append("  " + "-" * (len(header) + 18))
    for figure, column, scale, unit in [
        ("start-up", "startup_ms", 1, "ms"),
        ("close", "close_ms", 1, "ms"),
        ("peak working set", "peak_working_set", 1 / 1024, "KiB"),
        ("private bytes", "private_bytes", 1 / 1024, "KiB"),
        ("private, Linux", "linux_private", 1 / 1024, "KiB"),
    ]:
        if column == "private_bytes" and all(float(r[column]) == 0 for r in rows):
            continue  # Wine gives no private bytes for another process: the Linux row stands in
        prog, bare, pair_ratio, best_ratio = summarise(pairs, column, scale)
        ratio = prog / bare if bare else float("nan")
        fmt = "{:>10.1f}" if unit == "ms" else "{:>10.0f}"
        lines.append(f"  {figure + ' (' + unit + ')':<26}{fmt.format(prog)}  {fmt.format(bare)}  "
                     f"{ratio:>6.2f}x{pair_ratio:>8.2f}x{best_ratio:>7.2f}x  {verdict(figure, pair_ratio)}")

    for bits, build_dir, strip in [("64", args.build64, "x86_64-w64-mingw32-strip"),
                                   ("32", args.build32, "i686-w64-mingw32-strip")]:
        prog_exe = os.path.join(build_dir, "hvnbricfg.exe")
        bare_exe = os.path.join(build_dir, "bare_sheet.exe")
        if not (os.path.exists(prog_exe) and os.path.exists(bare_exe)):
            lines.append(f"  stripped exe, {bits}-bit: not built")
            continue
        prog = stripped_size(prog_exe, strip)
        bare = stripped_size(bare_exe, strip)
        ratio = prog / bare
        lines.append(f"  {'stripped exe ' + bits + '-bit (B)':<26}{prog:>10}  {bare:>10}  "
                     f"{ratio:>6.2f}x{'':>17}  {verdict('stripped exe', ratio)}")
    lines.append("")
    lines.append("  times and memory: medians of the runs; ratio = median(A) / median(B); "
                 "per-pair = median of the A/B ratios of each pair;")
    lines.append("  best = fastest (smallest) A over fastest B, a figure that a busy machine "
                 "disturbs least")

    if args.control:
        _, control = load_runs(args.control)
        figures = []
        for name, column in [("start-up", "startup_ms"), ("close", "close_ms"),
                             ("peak working set", "peak_working_set")]:
            figures.append(f"{name} {summarise(control, column, 1)[2]:.2f}x")
        lines.append(f"  control : the bare sheet against itself, {len(control)} pairs, per-pair: "
                     + ", ".join(figures) + " (how far this machine drifts from 1.00x)")
    if all(float(r["private_bytes"]) == 0 for r in rows):
        lines.append("  private bytes: Wine reports none for another process; 'private, Linux' is "
                     "Private_Clean + Private_Dirty of the Wine process (smaps_rollup)")

    # The runs must have done what they claim: both exit 0, the program commits all ten
    # values on OK, the bare sheet touches none.
    problems = []
    for row in rows:
        if row["exit_code"] != "0":
            problems.append(f"{row['exe']} exited {row['exit_code']}")
        if row["exe"] == "program" and row["values_committed"] != "10":
            problems.append(f"program committed {row['values_committed']} of 10 values")
        if row["exe"] == "bare" and row["values_untouched"] != "10":
            problems.append(f"bare sheet left {row['values_untouched']} of 10 values untouched")
    lines.append("  checks: " + ("every run exited 0; on OK the program committed all ten values, "
                                 "the bare sheet touched none"
                                 if not problems else "; ".join(sorted(set(problems))[:6])))
    print("\n".join(lines))


if __name__ == "__main__":
    main()
