#!/usr/bin/python3
"""Times the peers on the surface plot's job: the 200 x 200 grid kiv_component_plot3d wrote to
DIR/surface.f64 (rows of y, little-endian doubles) as a colour-coded surface, 800 x 600 PNG.

Usage: plot3d_peers.py DIR; prints "task<TAB>peer<TAB>milliseconds", the best of three runs
from the loaded grid to the written file. matplotlib draws every cell with plot_surface
(rstride = cstride = 1) on the Agg backend; gnuplot draws `splot ... with pm3d` on its png
terminal and times itself inside one session, so its process start is not counted.
"""

import os
import subprocess
import sys
import time

TASK = "surface 200x200 to PNG"
N = 200
RUNS = 3


def report(peer, seconds):
    print(f"{TASK}\t{peer}\t{seconds * 1000:.3f}", flush=True)


def run_matplotlib(d):
    try:
        import matplotlib
        matplotlib.use("Agg")
        import matplotlib.pyplot as plt
        import numpy as np
    except ImportError:
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

    render()  # warm-up
    best = float("inf")
    for _ in range(RUNS):
        t = time.perf_counter()
        render()
        best = min(best, time.perf_counter() - t)
    report("matplotlib", best)


def run_gnuplot(d):
    data = os.path.join(d, "surface.f64")
    out = os.path.join(d, "gp_surface.png")
    plot = (f"set output '{out}'; splot '{data}' binary array=({N},{N}) format='%float64' "
            "with pm3d notitle; unset output")
    script = "\n".join([
        "set terminal png size 800,600", "set print '-'", "set pm3d", "unset surface",
        "set palette defined (0 'blue', 1 'white', 2 'red')", plot,
        f"do for [r=1:{RUNS}] {{", "  t0 = time(0.0)", f"  {plot}",
        '  print sprintf("%.6f", time(0.0) - t0)', "}"]) + "\n"
    path = os.path.join(d, "gnuplot_surface.gp")
    with open(path, "w") as f:
        f.write(script)
    try:
        res = subprocess.run(["gnuplot", path], capture_output=True, text=True, check=False)
    except FileNotFoundError:
        return
    times = []
    for line in res.stdout.split():
        try:
            times.append(float(line))
        except ValueError:
            pass
    if times:
        report("gnuplot", min(times))


def main():
    d = sys.argv[1]
    run_matplotlib(d)
    run_gnuplot(d)


if __name__ == "__main__":
    main()
