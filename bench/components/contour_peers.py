#!/usr/bin/python3
"""Times matplotlib and gnuplot on the contour plot's jobs: the 1000 x 1000 grid that
kiv_component_contour wrote, drawn on an 800 x 600 picture and written as PNG.

Usage: contour_peers.py DIR. Prints "task<TAB>peer<TAB>milliseconds", the best of several runs.
matplotlib runs in this process (Agg), after a warm-up figure: contourf at 10 levels for the
colour surface, imshow for the flat cells, contour at 10 levels for the isolines. gnuplot times
itself inside one session (png terminal): pm3d map for the surface, image for the cells.
"""

import os
import subprocess
import sys
import time

N = 1000
RUNS = 5
LEVELS = [-1.3 + 0.26 * k for k in range(11)]


def report(task, peer, seconds):
    print(f"{task}\t{peer}\t{seconds * 1000:.3f}", flush=True)


def run_matplotlib(d):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    import numpy as np

    z = np.fromfile(os.path.join(d, "grid.f64"), dtype="<f8").reshape(N, N)
    x = np.linspace(-5.2, 5.2, N)

    def render(kind, out):
        fig = plt.figure(figsize=(8, 6), dpi=100)
        ax = fig.add_subplot()
        if kind == "contourf":
            ax.contourf(x, x, z, levels=LEVELS, cmap="viridis")
        elif kind == "imshow":
            ax.imshow(z, origin="lower", extent=(-5.2, 5.2, -5.2, 5.2), cmap="viridis",
                      aspect="auto", interpolation="nearest")
        else:
            ax.contour(x, x, z, levels=LEVELS, cmap="viridis", linewidths=1)
        fig.savefig(out, dpi=100)
        plt.close(fig)

    render("imshow", os.path.join(d, "mpl_warm.png"))
    for task, kind in (("contour 1000x1000 surface png", "contourf"),
                       ("contour 1000x1000 image png", "imshow"),
                       ("contour 1000x1000 isolines png", "contour")):
        best = float("inf")
        for _ in range(RUNS):
            t = time.perf_counter()
            render(kind, os.path.join(d, f"mpl_{kind}.png"))
            best = min(best, time.perf_counter() - t)
        report(task, "matplotlib", best)


def run_gnuplot(d):
    grid = os.path.join(d, "grid.f64")
    def data(origin):
        return (f"'{grid}' binary array=({N},{N}) format='%float64' "
                f"dx={10.4 / (N - 1)!r} dy={10.4 / (N - 1)!r} origin={origin}")

    jobs = (("contour 1000x1000 surface png",
             f"set pm3d map; splot {data('(-5.2,-5.2,0)')} with pm3d notitle"),
            ("contour 1000x1000 image png",
             f"unset pm3d; plot {data('(-5.2,-5.2)')} with image notitle"))
    lines = ["set terminal png size 800,600", "set print '-'", "set palette defined"]
    for task, cmd in jobs:
        out = os.path.join(d, "gp_contour.png")
        lines.append(f"set output '{out}'; {cmd}; unset output")  # warm-up
        lines.append(f"do for [r=1:{RUNS}] {{")
        lines.append("  t0 = time(0.0)")
        lines.append(f"  set output '{out}'; {cmd}; unset output")
        lines.append(f'  print sprintf("{task}\\tgnuplot\\t%.6f", time(0.0) - t0)')
        lines.append("}")
    script = os.path.join(d, "gnuplot_contour.gp")
    with open(script, "w") as f:
        f.write("\n".join(lines) + "\n")
    out = subprocess.run(["gnuplot", script], capture_output=True, text=True, check=False)
    best = {}
    for line in out.stdout.splitlines():
        fields = line.split("\t")
        if len(fields) == 3:
            best[fields[0]] = min(best.get(fields[0], float("inf")), float(fields[2]))
    for task, seconds in best.items():
        report(task, "gnuplot", seconds)


def main():
    d = sys.argv[1]
    run_matplotlib(d)
    run_gnuplot(d)


if __name__ == "__main__":
    main()
