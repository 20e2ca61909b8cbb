#!/usr/bin/python3
"""Times matplotlib's boxplot and gnuplot's boxplot style on the box plot job.

Usage: boxplot_peers.py DIR, after kiv_component_boxplot wrote DIR/boxplot.f64 (30 columns of
10^4 little-endian float64 values, one column after the other). Prints
"task<TAB>peer<TAB>milliseconds": the best of several runs from the data in memory (matplotlib)
or in the gnuplot session to a written 800 x 600 PNG, statistics included.
"""

import os
import sys

from peer_timing import best_seconds, gnuplot_best_seconds, pyplot

COLUMNS, ROWS, RUNS = 30, 10000, 5
TASK = "boxplot 30x1e4 stats+paint"


def report(peer, ms):
    print(f"{TASK}\t{peer}\t{ms:.3f}", flush=True)


def run_matplotlib(d):
    plt, np = pyplot()
    if plt is None:
        return
    data = np.fromfile(os.path.join(d, "boxplot.f64"), dtype="<f8").reshape(COLUMNS, ROWS)
    columns = list(data)
    out = os.path.join(d, "mpl_boxplot.png")

    def render():
        fig = plt.figure(figsize=(8, 6), dpi=100)
        ax = fig.add_subplot()
        # Whiskers to the extremes and the mean shown, as the box plot draws them.
        ax.boxplot(columns, whis=(0, 100), showmeans=True)
        fig.savefig(out, dpi=100)
        plt.close(fig)

    report("matplotlib", best_seconds(RUNS, render) * 1000)


def run_gnuplot(d):
    data = os.path.join(d, "boxplot.f64")
    out = os.path.join(d, "gp_boxplot.png")
    # One binary record per value: column c is the c-th block of ROWS values.
    plots = ", ".join(
        f"'{data}' binary record={ROWS} skip={8 * ROWS * c} format='%float64' "
        f"using ({c + 1}):1 with boxplot notitle" for c in range(COLUMNS))
    setup = ["set style data boxplot",
             "set style boxplot fraction 1.0 nooutliers"]  # whiskers to the extremes
    best = gnuplot_best_seconds(d, "boxplot", setup,
                                f"set output '{out}'; plot {plots}; unset output", RUNS)
    if best is not None:
        report("gnuplot", best * 1000)


def main():
    d = sys.argv[1]
    run_matplotlib(d)
    run_gnuplot(d)


if __name__ == "__main__":
    main()
