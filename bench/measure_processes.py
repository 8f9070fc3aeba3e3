#!/usr/bin/env python3
"""Measures zubanet as whole processes against the floor of each operation.

usage: bench/measure_processes.py BUILD_DIR [ROUNDS]

Makes the template machine (zubanet-machine init) and the large one
(zubanet-bench-machine: 20,008 more registry keys, 10,000 settings), then
runs each operation ROUNDS times (default 9) on a fresh copy of its machine
and prints the medians of wall time, CPU time (user + system, from the
kernel's accounting of the child) and peak memory as a Markdown table, with
the floor beside each: zubanet-floor reading the files the operation reads,
and replacing durably the files it changes, and nothing else.
"""
import os
import shlex
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

INI = "drive_c/ZUBANET/ZUBANET.INI"
HIVES = ["system.reg", "user.reg", "machine.ini"]

# name, machine, zubanet's arguments, the floor: files read, files replaced
OPERATIONS = [
    ("start only (--help)", "template", "--help", [], []),
    ("start and dump", "template", "--headless --do dump", HIVES + [INI], []),
    ("start and dump", "large", "--headless --do dump", HIVES + [INI], []),
    ("save new", "large",
     "--headless --answer no --do 'click BtConfig' --do 'type EdNm Neu' --do 'click BbOk'",
     HIVES, [INI]),
    ("replace", "large",
     "--headless --answer ok --do 'choose CbSetting Setting5000' --do 'click BtConfig' "
     "--do 'type EdTip 10.1.1.1' --do 'click BbOk'", HIVES, [INI]),
    ("delete", "large",
     "--headless --answer ok --do 'choose CbSetting Setting5000' --do 'key CbSetting Delete'",
     HIVES, [INI]),
    ("apply /c", "template", "--headless -- Office /c", [HIVES[2]], HIVES[:2] + [INI]),
    ("apply /c", "large", "--headless -- Setting5000 /c", [HIVES[2]], HIVES[:2] + [INI]),
    ("preview /p", "large", "--headless -- /p Setting5000", HIVES + [INI], []),
    ("undo /u /c", "undo", "--headless -- /u /c", [HIVES[2]], HIVES[:2] + [INI]),
]


NULL = os.open(os.devnull, os.O_WRONLY)


def run(argv):
    """Runs argv, its output discarded; answers (wall s, cpu s, max rss KB, exit code)."""
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, os.environ,
                         file_actions=[(os.POSIX_SPAWN_DUP2, NULL, 1),
                                       (os.POSIX_SPAWN_DUP2, NULL, 2)])
    _, status, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss, os.waitstatus_to_exitcode(status)


def fresh(base, work):
    if os.path.exists(work):
        shutil.rmtree(work)
    shutil.copytree(base, work, symlinks=True)
    time.sleep(0.01)  # past the file system's clock tick: the files have settled


def main():
    build = os.path.abspath(sys.argv[1])
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    zubanet = os.path.join(build, "src/app/zubanet")
    machine_tool = os.path.join(build, "src/app/zubanet-machine")
    bench_machine = os.path.join(build, "bench/zubanet-bench-machine")
    floor = os.path.join(build, "bench/zubanet-floor")
    top = tempfile.mkdtemp(prefix="zuba-measure-")
    bases = {"template": os.path.join(top, "template"), "large": os.path.join(top, "large"),
             "undo": os.path.join(top, "undo")}
    subprocess.run([machine_tool, "--machine", bases["template"], "init"], check=True,
                   stdout=subprocess.DEVNULL)
    # The template's setting Office, saved as a user would.
    subprocess.run([zubanet, "--machine", bases["template"], "--headless", "--answer", "yes",
                    "--do", "click BtConfig", "--do", "choose CbTnc PCI Fast Ethernet Adapter",
                    "--do", "type EdNm Office", "--do", "click BbOk"], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run([bench_machine, bases["large"]], check=True, stdout=subprocess.DEVNULL)
    shutil.copytree(bases["large"], bases["undo"], symlinks=True)
    subprocess.run([zubanet, "--machine", bases["undo"], "--headless", "--", "Setting5000", "/c"],
                   check=True, stdout=subprocess.DEVNULL)
    work = os.path.join(top, "work")
    print("| operation | machine | wall ms | CPU ms | peak KB | floor wall ms | floor CPU ms |")
    print("|---|---|---|---|---|---|---|")
    for name, kind, args, reads, writes in OPERATIONS:
        figures, floors = [], []
        for _ in range(rounds):
            fresh(bases[kind], work)
            wall, cpu, rss, code = run([zubanet, "--machine", work] + shlex.split(args))
            if code != 0:
                sys.exit(f"{name}: exit code {code}")
            figures.append((wall, cpu, rss))
            fresh(bases[kind], work)
            wall, cpu = 0.0, 0.0
            if reads:
                wall, cpu, _, _ = run([floor, "read"] + [os.path.join(work, f) for f in reads])
            if writes:
                w2, c2, _, _ = run([floor, "edit"] + [os.path.join(work, f) for f in writes])
                wall, cpu = wall + w2, cpu + c2
            floors.append((wall, cpu))
        med = lambda xs: statistics.median(xs)
        print(f"| {name} | {kind} | {med(f[0] for f in figures) * 1000:.1f} "
              f"| {med(f[1] for f in figures) * 1000:.1f} | {med(f[2] for f in figures):.0f} "
              f"| {med(f[0] for f in floors) * 1000:.1f} | {med(f[1] for f in floors) * 1000:.1f} |")
    shutil.rmtree(top)


if __name__ == "__main__":
    main()
