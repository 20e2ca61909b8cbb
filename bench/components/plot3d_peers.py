#!/usr/bin/python3
"""Times the peers on the surface plot's job: the 200 x 200 grid kiv_component_plot3d wrote to
DIR/surface.f64 (rows of y, little-endian doubles) as a colour-coded surface, 800 x 600 PNG.

Usage: plot3d_peers.py DIR; prints "task<TAB>peer<TAB>milliseconds", the best of three runs
from the loaded grid to the written file. matplotlib draws every cell with plot_surface
(rstride = cstride = 1) on the Agg backend; gnuplot draws `splot ... with pm3d` on its png
terminal and times itself inside one session, so its process start is not counted.
"""

import os
import sys

from peer_timing import best_seconds, gnuplot_best_seconds, pyplot

TASK = "surface 200x200 to PNG"
N = 200
RUNS = 3


def report(peer, seconds):
    print(f"{TASK}\t{peer}\t{seconds * 1000:.3f}", flush=True)


def run_matplotlib(d):
    plt, np = pyplot()
    if plt is None:
        return
    z = np.fromfile(os.path.join(d, "surface.f64"), dtype="<f8").reshape(N, N)
    x, y = np.meshgrid(np.linspace(-3, 3, N), np.linspace(-3, 3, N))
    out = os.path.join(d, "mpl_surface.png")

    def render():
        fig = plt.figure(figsize=(8, 6), dpi=100)
        ax = fig.add_subplot(projection="3d")
        ax.plot_surface(x, y, z, rstride=1, cstride=1, cmap="coolwarm", edgecolor="k",
                        linewidth=0.2)
        fig.savefig(out, dpi=100)
        plt.close(fig)

    report("matplotlib", best_seconds(RUNS, render))


def run_gnuplot(d):
    data = os.path.join(d, "surface.f64")
    out = os.path.join(d, "gp_surface.png")
    plot = (f"set output '{out}'; splot '{data}' binary array=({N},{N}) format='%float64' "
            "with pm3d notitle; unset output")
    best = gnuplot_best_seconds(
        d, "surface", ["set pm3d", "unset surface",
                       "set palette defined (0 'blue', 1 'white', 2 'red')"], plot, RUNS)
    if best is not None:
        report("gnuplot", best)


def main():
    d = sys.argv[1]
    run_matplotlib(d)
    run_gnuplot(d)


if __name__ == "__main__":
    main()
