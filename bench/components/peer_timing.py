"""Timing helpers of the component peer scripts: the best of several runs in this process
(matplotlib), and gnuplot timing itself inside one session so its process start is not counted.
"""

import os
import subprocess
import time


def pyplot():
    """matplotlib's pyplot on the Agg backend and numpy, or (None, None) when not installed."""
    try:
        import matplotlib
        matplotlib.use("Agg")
        import matplotlib.pyplot as plt
        import numpy as np
    except ImportError:
        return None, None
    return plt, np


def best_seconds(runs, render):
    """Runs render once to warm up, then `runs` times; returns the shortest run in seconds."""
    render()
    best = float("inf")
    for _ in range(runs):
        t = time.perf_counter()
        render()
        best = min(best, time.perf_counter() - t)
    return best


def gnuplot_best_seconds(d, name, setup, plot, runs):
    """Writes DIR/gnuplot_<name>.gp: the setup lines, one warm-up plot, then `runs` timed plots;
    runs it and returns the shortest plot in seconds, or None without gnuplot or times."""
    script = "\n".join(["set terminal png size 800,600", "set print '-'", *setup, plot,
                        f"do for [r=1:{runs}] {{", "  t0 = time(0.0)", f"  {plot}",
                        '  print sprintf("%.6f", time(0.0) - t0)', "}"]) + "\n"
    path = os.path.join(d, f"gnuplot_{name}.gp")
    with open(path, "w") as f:
        f.write(script)
    try:
        res = subprocess.run(["gnuplot", path], capture_output=True, text=True, check=False)
    except FileNotFoundError:
        return None
    times = []
    for line in res.stdout.split():
        try:
            times.append(float(line))
        except ValueError:
            pass
    return min(times) if times else None
