#!/usr/bin/python3
"""Times the peer tools on the data sets kiv_chart_bench wrote, for the comparison table.

Usage: peers.py DIR  (DIR/sets.tsv lists the sets; results go to stdout as
"task<TAB>peer<TAB>seconds", the best of the set's runs).

matplotlib is timed in this process: Agg backend, an 800 x 600 figure, lines and marks without
anti-aliasing (its fastest variant), from the new figure to the written PNG, after a warm-up
figure. gnuplot times itself with time(0.0) around each plot in one session (the png terminal,
aliased), so its process start is not in the task times; it is measured separately, around the
process, and reported as the cold start, next to matplotlib's import and first figure.
"""

import os
import subprocess
import sys
import time


def read_sets(d):
    sets = []
    with open(os.path.join(d, "sets.tsv")) as f:
        next(f)
        for line in f:
            name, file, kind, n, xlo, xhi, ylo, yhi, runs = line.rstrip("\n").split("\t")
            sets.append(dict(name=name, file=os.path.join(d, file), kind=kind, n=int(n),
                             xlo=float(xlo), xhi=float(xhi), ylo=float(ylo), yhi=float(yhi),
                             runs=int(runs)))
    return sets


def report(task, peer, seconds):
    print(f"{task}\t{peer}\t{seconds:.6f}", flush=True)


def run_matplotlib(d, sets):
    t0 = time.perf_counter()
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    import numpy as np

    # Very long paths are drawn in chunks; without it Agg refuses the largest data sets.
    matplotlib.rcParams["agg.path.chunksize"] = 100000

    def render(s, x, y, out):
        fig = plt.figure(figsize=(8, 6), dpi=100)
        ax = fig.add_subplot()
        if s["kind"] == "line":
            ax.plot(x, y, "-", lw=1, color="blue", antialiased=False)
        elif s["kind"] == "scatter":
            # A 5-pixel round dot, as the chart's mark 2.
            ax.plot(x, y, "o", ms=3.6, mew=0, color="blue", antialiased=False)
        ax.set_xlim(s["xlo"], s["xhi"])
        ax.set_ylim(s["ylo"], s["yhi"])
        fig.savefig(out, dpi=100)
        plt.close(fig)

    empty = next(s for s in sets if s["kind"] == "empty")
    render(empty, [], [], os.path.join(d, "mpl_cold.png"))
    report("cold start", "matplotlib", time.perf_counter() - t0)
    for s in sets:
        xy = np.fromfile(s["file"], dtype="<f8")
        x, y = xy[0::2], xy[1::2]
        out = os.path.join(d, "mpl_" + os.path.basename(s["file"])[:-4] + ".png")
        best = float("inf")
        for _ in range(s["runs"]):
            t = time.perf_counter()
            render(s, x, y, out)
            best = min(best, time.perf_counter() - t)
        report(s["name"], "matplotlib", best)


def run_gnuplot(d, sets):
    lines = ["set terminal png size 800,600", "set print '-'"]
    for s in sets:
        out = os.path.join(d, "gp_" + os.path.basename(s["file"])[:-4] + ".png")
        rng = f"[{s['xlo']!r}:{s['xhi']!r}][{s['ylo']!r}:{s['yhi']!r}]"
        if s["kind"] == "line":
            what = f"'{s['file']}' binary format='%float64%float64' using 1:2 with lines lc rgb 'blue'"
        elif s["kind"] == "scatter":
            what = (f"'{s['file']}' binary format='%float64%float64' using 1:2 "
                    "with points pt 7 ps 0.5 lc rgb 'blue'")
        else:
            what = "NaN"
        # One warm-up plot, then the timed runs.
        lines.append(f"set output '{out}'; plot {rng} {what} notitle; unset output")
        lines.append(f"do for [r=1:{s['runs']}] {{")
        lines.append("  t0 = time(0.0)")
        lines.append(f"  set output '{out}'; plot {rng} {what} notitle; unset output")
        lines.append(f'  print sprintf("{s["name"]}\\tgnuplot\\t%.6f", time(0.0) - t0)')
        lines.append("}")
    script = os.path.join(d, "gnuplot_bench.gp")
    with open(script, "w") as f:
        f.write("\n".join(lines) + "\n")
    out = subprocess.run(["gnuplot", script], capture_output=True, text=True, check=False)
    best = {}
    for line in out.stdout.splitlines():
        fields = line.split("\t")
        if len(fields) != 3:
            continue
        task, secs = fields[0], fields[2]
        best[task] = min(best.get(task, float("inf")), float(secs))
    for s in sets:
        if s["name"] in best:
            report(s["name"], "gnuplot", best[s["name"]])
    # The process start (and exit) on its own, around the process.
    start = float("inf")
    for _ in range(5):
        t = time.perf_counter()
        subprocess.run(["gnuplot", "-e", "set terminal png size 800,600"], check=False,
                       capture_output=True)
        start = min(start, time.perf_counter() - t)
    report("cold start", "gnuplot", start)


def main():
    d = sys.argv[1]
    sets = read_sets(d)
    run_matplotlib(d, sets)
    run_gnuplot(d, sets)


if __name__ == "__main__":
    main()
