#!/usr/bin/env python3
"""Puts the one-line faults of tools/mutations.txt into the portable code one at a time, rebuilds the
native tests, runs them and prints the share of faults caught and the faults that survived.

Each line of the list: path<TAB>text found exactly once in the file<TAB>replacement<TAB>what it means.
Blank lines and lines starting with # are skipped. The faults go into a copy of the sources under
build/mutate/tree, so the working tree is never touched, even when the run is interrupted. A fault that
stops the build is reported apart and left out of the share; a test run that hangs past the timeout
counts as caught. Not part of test.sh: run it before closing work on portable logic.
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
COPIED = ["CMakeLists.txt", "CMakePresets.json", "cmake", "src", "tests", "resources"]


def read_list(path):
    faults = []
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 4 or not fields[0] or not fields[1]:
                sys.exit(f"{path}:{number}: expected path, text, replacement and meaning separated by tabs")
            faults.append({"line": number, "path": fields[0], "find": fields[1], "replace": fields[2],
                           "meaning": fields[3]})
    return faults


def sync_tree(source, target):
    """Copies the sources into the mutation tree, writing only files whose content changed so that the
    build there stays incremental."""
    wanted = set()
    for entry in COPIED:
        top = os.path.join(source, entry)
        if os.path.isfile(top):
            pairs = [(top, os.path.join(target, entry))]
        elif os.path.isdir(top):
            pairs = []
            for folder, _, files in os.walk(top):
                for name in files:
                    full = os.path.join(folder, name)
                    pairs.append((full, os.path.join(target, os.path.relpath(full, source))))
        else:
            continue
        for src, dst in pairs:
            wanted.add(dst)
            with open(src, "rb") as f:
                data = f.read()
            if os.path.exists(dst):
                with open(dst, "rb") as f:
                    if f.read() == data:
                        continue
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            with open(dst, "wb") as f:
                f.write(data)
    for folder, _, files in os.walk(target):
        for name in files:
            full = os.path.join(folder, name)
            if full not in wanted:
                os.remove(full)


def run(command, cwd, timeout=None):
    """Runs a command in its own process group, which is ended whole on a timeout or an interruption."""
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                               start_new_session=True)
    try:
        out, _ = process.communicate(timeout=timeout)
        return process.returncode, out
    except subprocess.TimeoutExpired:
        return None, ""
    finally:
        if process.poll() is None:
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--only", help="only the faults of this file (path from the repository root)")
    parser.add_argument("--list", default=os.path.join(ROOT, "tools", "mutations.txt"))
    parser.add_argument("--jobs", type=int, default=3, help="build jobs (default 3)")
    parser.add_argument("--timeout", type=int, default=120, help="seconds for one test program (default 120)")
    parser.add_argument("--no-sanitize", action="store_true", help="build without ASan and UBSan")
    parser.add_argument("-v", "--verbose", action="store_true", help="print each fault as it is tried")
    args = parser.parse_args()

    faults = read_list(args.list)
    if args.only:
        only = os.path.normpath(args.only)
        faults = [f for f in faults if os.path.normpath(f["path"]) == only]
        if not faults:
            sys.exit(f"no faults listed for {args.only}")

    base = os.path.join(ROOT, "build", "mutate")
    tree = os.path.join(base, "tree")
    build = os.path.join(base, "build")
    os.makedirs(tree, exist_ok=True)
    sync_tree(ROOT, tree)

    # Faults whose text is not found exactly once are errors in the list, not survivors.
    bad = []
    for f in faults:
        path = os.path.join(tree, f["path"])
        count = open(path, encoding="utf-8").read().count(f["find"]) if os.path.isfile(path) else -1
        if f["path"].endswith("_win.cpp") or f["path"].endswith("_win.h"):
            bad.append((f, "a Win32 file, which the native tests do not build"))
        elif count != 1:
            bad.append((f, "file not found" if count < 0 else f"text found {count} times"))
    faults = [f for f in faults if all(f is not b[0] for b in bad)]

    sanitize = "OFF" if args.no_sanitize else "ON"
    # Optimised as the native preset, without debug information and with a fast linker: every fault relinks
    # every test program.
    linker = ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"] if shutil.which("ld.lld") else []
    code, out = run(["cmake", "-S", tree, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                     "-DCMAKE_CXX_COMPILER=g++", "-DCMAKE_C_COMPILER=gcc", f"-DPLUMVANE_SANITIZE={sanitize}",
                     "-DPLUMVANE_BENCHMARKS=OFF"] + linker, ROOT)
    if code != 0:
        sys.exit("configuring the mutation build failed:\n" + out)
    build_cmd = ["cmake", "--build", build, f"-j{args.jobs}"]
    test_cmd = ["ctest", "--test-dir", build, "-j2", "--stop-on-failure", "--timeout", str(args.timeout)]
    code, out = run(build_cmd, ROOT)
    if code != 0:
        sys.exit("the unchanged code does not build:\n" + out[-4000:])
    code, out = run(test_cmd, ROOT)
    if code != 0:
        sys.exit("the tests fail on the unchanged code:\n" + out[-4000:])

    caught, survived, unbuilt = [], [], []
    started = time.time()
    for i, f in enumerate(faults, 1):
        path = os.path.join(tree, f["path"])
        with open(path, encoding="utf-8") as h:
            original = h.read()
        try:
            with open(path, "w", encoding="utf-8") as h:
                h.write(original.replace(f["find"], f["replace"], 1))
            code, out = run(build_cmd, ROOT)
            if code != 0:
                unbuilt.append(f)
                verdict = "does not build"
            else:
                # A hang hits ctest's per-test timeout and fails the run: caught, like any failure.
                code, out = run(test_cmd, ROOT, timeout=args.timeout * 4)
                (caught if code != 0 else survived).append(f)
                verdict = "caught" if code != 0 else "SURVIVED"
        finally:
            with open(path, "w", encoding="utf-8") as h:
                h.write(original)
        if args.verbose:
            print(f"[{i}/{len(faults)}] {verdict}: {f['path']}: {f['meaning']}", flush=True)

    tried = len(caught) + len(survived)
    print(f"\n{len(faults)} faults tried in {time.time() - started:.0f} s")
    for f, why in bad:
        print(f"  list error (line {f['line']}, {why}): {f['path']}: {f['find']!r}")
    for f in unbuilt:
        print(f"  does not build (line {f['line']}): {f['path']}: {f['meaning']}")
    for f in survived:
        print(f"  survived (line {f['line']}): {f['path']}: {f['meaning']}")
    if tried:
        print(f"caught {len(caught)} of {tried}: {100 * len(caught) / tried:.1f}%")
    # Restore the objects of the unchanged code so the next run starts from a clean build.
    sync_tree(ROOT, tree)
    return 0 if not survived and not bad else 1


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit("interrupted; the working tree was not touched")
