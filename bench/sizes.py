#!/usr/bin/env python3
"""Where an executable's bytes come from: relinks a target of a build tree with a map file
and attributes every input section to the program's own code, the C++ runtime (libstdc++,
libgcc), the MinGW C runtime, import stubs or resources, then names the runtime members that
were pulled in and the reference that pulled each one.

    bench/sizes.py BUILD_DIR [TARGET ...]      (default targets: hvnbricfg bare_sheet)
"""
import collections
import os
import re
import shlex
import subprocess
import sys
import tempfile

SECTIONS = {".text", ".data", ".rdata", ".pdata", ".xdata", ".idata", ".rsrc", ".CRT", ".tls",
            ".eh_frame", ".reloc"}


def link_command(build_dir, target, out_dir):
    """The target's own link line, writing to out_dir with a map file beside it."""
    link_txt = None
    for dirpath, _, files in os.walk(build_dir):
        if dirpath.endswith(os.path.join("CMakeFiles", target + ".dir")) and "link.txt" in files:
            link_txt = os.path.join(dirpath, "link.txt")
            break
    if not link_txt:
        sys.exit(f"sizes.py: no link.txt for {target} under {build_dir}")
    # link.txt runs from the directory of the target's CMakeLists; find it by the .dir path.
    run_dir = os.path.dirname(os.path.dirname(os.path.dirname(link_txt)))
    with open(link_txt) as f:
        command = [line for line in f.read().splitlines() if "-o " in line][-1]
    args = shlex.split(command)
    out = os.path.join(out_dir, target + ".exe")
    fixed = []
    skip = False
    for i, arg in enumerate(args):
        if skip:
            skip = False
            continue
        if arg == "-o":
            fixed += ["-o", out]
            skip = True
        elif arg.startswith("-Wl,--out-implib"):
            continue
        else:
            fixed.append(arg)
    map_file = os.path.join(out_dir, target + ".map")
    fixed.append(f"-Wl,-Map={map_file}")
    subprocess.run(fixed, cwd=run_dir, check=True)
    return out, map_file


def origin(path):
    """(group, detail) for an input file of the map."""
    member = re.match(r"(.*)\((.*)\)$", path)
    archive, name = (member.group(1), member.group(2)) if member else (path, "")
    base = os.path.basename(archive)
    if "libstdc++" in base or "libsupc++" in base:
        return "C++ runtime (libstdc++)", name
    if base.startswith("libgcc"):
        return "C++ runtime (libgcc, unwinder)", f"{base}({name})"
    if base in ("crt2.o", "crtbegin.o", "crtend.o", "dllcrt2.o") or base.startswith(
            ("libmingw32", "libmingwex", "libmsvcrt", "libpthread", "libwinpthread")):
        return "MinGW C runtime", f"{base}({name})" if name else base
    if path == "dll stuff" or path.startswith("linker stubs"):
        return "import stubs", path
    if base.endswith(".res") or name.endswith(".res"):
        return "resources", name or base
    if re.match(r"lib(kernel32|user32|gdi32|advapi32|comctl32|shell32|shlwapi|ole32|oleaut32|"
                r"uuid|comdlg32|winspool|psapi|msvcrt)\.a$", base):
        return "import stubs", base
    if os.path.isabs(archive) and archive.startswith("/usr/"):
        return "other system library", f"{base}({name})"
    return "ours", name or base


def parse_map(map_file):
    sizes = collections.Counter()             # (group, detail) -> bytes
    pulled = []                               # (member, by whom, symbol)
    with open(map_file) as f:
        lines = f.read().splitlines()
    i = 0
    # Archive members and the reference that brought each in.
    if lines and lines[0].startswith("Archive member included"):
        i = 1
        while i < len(lines) and not lines[i].startswith(("Discarded", "Memory Configuration",
                                                           "Allocating common")):
            line = lines[i]
            if line and not line.startswith(" ") and i + 1 < len(lines):
                why = lines[i + 1].strip()
                m = re.match(r"(.*?) \((.*)\)$", why)
                if m:
                    pulled.append((line.strip(), m.group(1), m.group(2)))
                i += 2
                continue
            i += 1
    # Input sections of the memory map.
    out_section = None
    pending = None
    for line in lines[i:]:
        m = re.match(r"^(\.\S+)\s+0x[0-9a-f]+\s+0x[0-9a-f]+", line)
        if m:
            out_section = m.group(1)
            continue
        if pending is not None:
            m = re.match(r"^\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(\S.*)$", line)
            if m and out_section in SECTIONS:
                sizes[origin(m.group(2).strip())] += int(m.group(1), 16)
            pending = None
            continue
        m = re.match(r"^ (\S+)\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(\S.*)$", line)
        if m:
            if out_section in SECTIONS:
                sizes[origin(m.group(3).strip())] += int(m.group(2), 16)
            continue
        if re.match(r"^ \.\S+$", line) or re.match(r"^ COMMON$", line):
            pending = line.strip()
    return sizes, pulled


def report(build_dir, target, out_dir):
    exe, map_file = link_command(build_dir, target, out_dir)
    sizes, pulled = parse_map(map_file)
    groups = collections.Counter()
    for (group, _), size in sizes.items():
        groups[group] += size
    total = sum(groups.values())
    print(f"{target}: {total} bytes of sections before stripping and alignment ({map_file})")
    for group, size in groups.most_common():
        print(f"  {group:<34}{size:>9}  {100.0 * size / total:5.1f} %")
        details = [(d, s) for (g, d), s in sizes.items() if g == group]
        details.sort(key=lambda item: -item[1])
        for detail, size in details[:12 if group != "import stubs" else 0]:
            print(f"      {detail:<46}{size:>9}")
    runtime = [(m, by, sym) for m, by, sym in pulled
               if re.search(r"libstdc\+\+|libsupc\+\+|libgcc|libpthread|libwinpthread|libmingwex", m)]
    if runtime:
        print("  runtime members pulled in (C++ runtime, threads, MinGW extras), and by what:")
        for member, by, symbol in runtime:
            short = lambda p: re.sub(r".*/", "", p)
            print(f"      {short(member):<40} <- {short(by)}: {symbol}")
    print()


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build_dir = os.path.abspath(sys.argv[1])
    targets = sys.argv[2:] or ["hvnbricfg", "bare_sheet"]
    with tempfile.TemporaryDirectory() as tmp:
        keep = os.path.join(build_dir, "bench", "maps")
        os.makedirs(keep, exist_ok=True)
        for target in targets:
            report(build_dir, target, keep)


if __name__ == "__main__":
    main()
