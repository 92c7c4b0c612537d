#!/usr/bin/env python3
"""Runs the same timing harnesses on two Release builds in one run and prints
their medians side by side with the ratio, so that a regression shows as a
ratio measured on one machine at one time.

    bench/compare-builds.py [options] COMMIT

COMMIT (any revision git knows, e.g. a6f345c) is checked out into a worktree
of its own under the scratch folder and built there (Release, ccache when it
is installed); the other build is this checkout's, built in --build (default
build-release). Each round runs every harness once on each build, the two
builds in turn, the other one first every other round; a figure is the
median of the rounds' medians. Besides the harnesses' own lines the table
has "worst page switch": per round the slowest of the page switches.

Options:
    --build DIR      this checkout's Release build folder (build-release)
    --scratch DIR    where COMMIT's worktree and build go (TMPDIR/tavo-compare)
    --rounds N       rounds (3)
    --bench NAMES    comma-separated harnesses (bench_gui,bench_pages)
    --jobs N         build jobs (2)
    --no-build       use both builds as they are
"""

import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FIGURE = re.compile(r"^(?P<label>[^:]+): (?P<ms>[0-9.]+) ms median of")
WORST_SWITCH = "worst page switch"


def run(command, **kwargs):
    print("+ " + " ".join(command), file=sys.stderr, flush=True)
    subprocess.run(command, check=True, **kwargs)


def configure_and_build(source, build, targets, jobs):
    launcher = []
    if shutil.which("ccache"):
        launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    nice = ["nice", "-n", "10"]
    if not os.path.exists(os.path.join(build, "CMakeCache.txt")):
        run(nice + ["cmake", "-S", source, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release"] + launcher)
    run(nice + ["cmake", "--build", build, "-j", str(jobs), "--target"] + targets)


def checkout(commit, worktree):
    wanted = subprocess.run(["git", "-C", SOURCE, "rev-parse", "--verify", commit + "^{commit}"], check=True,
                            capture_output=True, text=True).stdout.strip()
    if os.path.isdir(worktree):
        held = subprocess.run(["git", "-C", worktree, "rev-parse", "HEAD"], capture_output=True, text=True).stdout.strip()
        if held == wanted:
            return wanted
        run(["git", "-C", SOURCE, "worktree", "remove", "--force", worktree])
    run(["git", "-C", SOURCE, "worktree", "add", "--detach", worktree, wanted])
    return wanted


def figures_of(binary):
    """One run of a harness: its figures by label."""
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    done = subprocess.run([binary], capture_output=True, text=True, env=env)
    if done.returncode != 0:
        raise SystemExit("%s ended with %d:\n%s" % (binary, done.returncode, done.stderr[-2000:]))
    figures = {}
    for line in done.stdout.splitlines():
        m = FIGURE.match(line)
        if m:
            figures[m.group("label")] = float(m.group("ms"))
    switches = [ms for label, ms in figures.items() if label.startswith("switch to the ")]
    if switches:
        figures[WORST_SWITCH] = max(switches)
    return figures


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("commit")
    parser.add_argument("--build", default=os.path.join(SOURCE, "build-release"))
    parser.add_argument("--scratch", default=os.path.join(os.environ.get("TMPDIR", "/tmp"), "tavo-compare"))
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--bench", default="bench_gui,bench_pages")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--no-build", action="store_true")
    args = parser.parse_args()

    harnesses = [name for name in args.bench.split(",") if name]
    worktree = os.path.join(args.scratch, "source-" + args.commit)
    builds = {}
    if args.no_build:
        builds[args.commit] = os.path.join(worktree, "build-release")
    else:
        os.makedirs(args.scratch, exist_ok=True)
        checkout(args.commit, worktree)
        builds[args.commit] = os.path.join(worktree, "build-release")
        configure_and_build(worktree, builds[args.commit], harnesses, args.jobs)
        configure_and_build(SOURCE, args.build, harnesses, args.jobs)
    this = "this checkout"
    builds[this] = os.path.abspath(args.build)

    rounds = {name: {} for name in builds}  # build -> label -> [round medians]
    order = []
    for r in range(args.rounds):
        print("round %d of %d" % (r + 1, args.rounds), file=sys.stderr, flush=True)
        # Every other round the other build goes first, so that neither
        # always runs on a machine the other has just warmed or loaded.
        turns = list(builds.items())
        if r % 2:
            turns.reverse()
        for name, build in turns:
            for harness in harnesses:
                for label, ms in figures_of(os.path.join(build, "bin", harness)).items():
                    rounds[name].setdefault(label, []).append(ms)
                    if label not in order:
                        order.append(label)

    base = rounds[args.commit]
    ours = rounds[this]
    width = max(len(label) for label in order)
    print("median of %d rounds, ms" % args.rounds)
    print("| %-*s | %10s | %13s | %5s |" % (width, "measure", args.commit[:10], this, "ratio"))
    print("|-%s-|-%s-|-%s-|-%s-|" % ("-" * width, "-" * 10, "-" * 13, "-" * 5))
    for label in order:
        a = statistics.median(base[label]) if label in base else None
        b = statistics.median(ours[label]) if label in ours else None
        ratio = "%5.2f" % (b / a) if a and b is not None else "    -"
        print("| %-*s | %10s | %13s | %s |" % (width, label, "%.1f" % a if a is not None else "-",
                                              "%.1f" % b if b is not None else "-", ratio))


if __name__ == "__main__":
    main()
