#!/usr/bin/python3
"""Joins the component rows and the peers' times into one table.

Usage: table.py ROWS PEERS, where ROWS holds "task<TAB>ms<TAB>target" lines from the
kiv_component_* programs and PEERS "task<TAB>peer<TAB>ms" lines from the peer scripts.
"""

import sys

PEERS = ("matplotlib", "gnuplot")


def ms(v):
    if v is None:
        return "-"
    return f"{v:.1f}" if v < 100 else f"{v:.0f}"


def main(rows_file, peers_file):
    rows = []
    with open(rows_file) as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) < 2:
                continue
            try:
                ours = float(parts[1])
            except ValueError:
                continue
            target = parts[2] if len(parts) > 2 and parts[2] not in ("", "-") else None
            rows.append((parts[0], ours, float(target) if target else None))
    peers = {}
    try:
        with open(peers_file) as f:
            for line in f:
                parts = line.rstrip("\n").split("\t")
                if len(parts) == 3:
                    try:
                        peers.setdefault(parts[0], {})[parts[1]] = float(parts[2])
                    except ValueError:
                        pass
    except FileNotFoundError:
        pass
    width = max([len(r[0]) for r in rows] + [4])
    print(f"{'task':<{width}} {'kivchart':>9} {'target':>7} | {'matplotlib':>10} {'gnuplot':>8}"
          f" | {'x faster':>8}")
    for task, ours, target in rows:
        p = peers.get(task, {})
        times = [p.get(name) for name in PEERS]
        known = [t for t in times if t is not None]
        faster = f"{min(known) / ours:.1f}x" if known and ours > 0 else "-"
        ok = "" if target is None else (" ok" if ours <= target else " MISS")
        print(f"{task:<{width}} {ms(ours):>9} {ms(target):>7} | {ms(times[0]):>10}"
              f" {ms(times[1]):>8} | {faster:>8}{ok}")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: table.py ROWS PEERS")
    main(sys.argv[1], sys.argv[2])
