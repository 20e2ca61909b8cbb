#!/usr/bin/python3
"""Times matplotlib and gnuplot on the contour plot's jobs: the 1000 x 1000 grid that
kiv_component_contour wrote (DIR/grid.f64, row after row), drawn on an 800 x 600 picture and
written as PNG.

Usage: contour_peers.py DIR. Prints "task<TAB>peer<TAB>milliseconds", the best of several runs.
matplotlib: contourf at 10 levels for the colour surface, imshow for the flat cells, contour at
10 levels for the isolines. gnuplot: pm3d map for the surface, image for the cells.
"""

import os
import sys

from peer_timing import best_seconds, gnuplot_best_seconds, pyplot

N, RUNS = 1000, 5
LEVELS = [-1.3 + 0.26 * k for k in range(11)]
SURFACE, IMAGE, ISOLINES = ("contour 1000x1000 surface png", "contour 1000x1000 image png",
                            "contour 1000x1000 isolines png")


def report(task, peer, seconds):
    print(f"{task}\t{peer}\t{seconds * 1000:.3f}", flush=True)


def run_matplotlib(d):
    plt, np = pyplot()
    if plt is None:
        return
    z = np.fromfile(os.path.join(d, "grid.f64"), dtype="<f8").reshape(N, N)
    x = np.linspace(-5.2, 5.2, N)

    def render(kind):
        fig = plt.figure(figsize=(8, 6), dpi=100)
        ax = fig.add_subplot()
        if kind == "contourf":
            ax.contourf(x, x, z, levels=LEVELS, cmap="viridis")
        elif kind == "imshow":
            ax.imshow(z, origin="lower", extent=(-5.2, 5.2, -5.2, 5.2), cmap="viridis",
                      aspect="auto", interpolation="nearest")
        else:
            ax.contour(x, x, z, levels=LEVELS, cmap="viridis", linewidths=1)
        fig.savefig(os.path.join(d, f"mpl_{kind}.png"), dpi=100)
        plt.close(fig)

    for task, kind in ((SURFACE, "contourf"), (IMAGE, "imshow"), (ISOLINES, "contour")):
        report(task, "matplotlib", best_seconds(RUNS, lambda: render(kind)))


def run_gnuplot(d):
    def data(origin):
        return (f"'{os.path.join(d, 'grid.f64')}' binary array=({N},{N}) format='%float64' "
                f"dx={10.4 / (N - 1)!r} dy={10.4 / (N - 1)!r} origin={origin}")

    out = os.path.join(d, "gp_contour.png")
    for task, name, setup, plot in (
            (SURFACE, "contour_pm3d", ["set pm3d map"],
             f"splot {data('(-5.2,-5.2,0)')} with pm3d notitle"),
            (IMAGE, "contour_image", [], f"plot {data('(-5.2,-5.2)')} with image notitle")):
        best = gnuplot_best_seconds(d, name, setup, f"set output '{out}'; {plot}; unset output",
                                    RUNS)
        if best is not None:
            report(task, "gnuplot", best)


def main():
    d = sys.argv[1]
    run_matplotlib(d)
    run_gnuplot(d)


if __name__ == "__main__":
    main()
