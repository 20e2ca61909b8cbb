#!/usr/bin/python3
"""Times matplotlib and gnuplot on the smooth chart job: an anti-aliased 800 x 600 PNG of a line
of 10^5 points.

Usage: chart_smooth_peers.py DIR, after kiv_component_chart_smooth wrote DIR/chart_smooth.f64
(10^5 little-endian float64 values, the y of points 0, 1, 2, ...). Prints
"task<TAB>peer<TAB>milliseconds": the best of several runs from the data in memory (matplotlib,
whose Agg renderer anti-aliases) or in the gnuplot session (the pngcairo terminal, which
anti-aliases), each with axes, grid and title, to a written PNG.
"""

import os
import sys

from peer_timing import best_seconds, gnuplot_best_seconds, pyplot

POINTS, RUNS = 100000, 5
TASK = "chart smooth 800x600 1e5 points"


def report(peer, ms):
    print(f"{TASK}\t{peer}\t{ms:.3f}", flush=True)


def run_matplotlib(d):
    plt, np = pyplot()
    if plt is None:
        return
    y = np.fromfile(os.path.join(d, "chart_smooth.f64"), dtype="<f8")
    x = np.arange(POINTS, dtype=float)
    out = os.path.join(d, "mpl_chart_smooth.png")

    def render():
        fig = plt.figure(figsize=(8, 6), dpi=100)
        ax = fig.add_subplot()
        ax.plot(x, y, color="navy", linewidth=1)
        ax.grid(True, linestyle=":")
        ax.set_title("Random walk of 100000 steps")
        fig.savefig(out, dpi=100)
        plt.close(fig)

    report("matplotlib", best_seconds(RUNS, render) * 1000)


def run_gnuplot(d):
    data = os.path.join(d, "chart_smooth.f64")
    out = os.path.join(d, "gp_chart_smooth.png")
    setup = ["set terminal pngcairo size 800,600", "set grid",
             "set title 'Random walk of 100000 steps'"]
    plot = (f"set output '{out}'; plot '{data}' binary format='%float64' using 0:1 "
            "with lines lc rgb 'navy' notitle; unset output")
    best = gnuplot_best_seconds(d, "chart_smooth", setup, plot, RUNS)
    if best is not None:
        report("gnuplot", best * 1000)


def main():
    d = sys.argv[1]
    run_matplotlib(d)
    run_gnuplot(d)


if __name__ == "__main__":
    main()
