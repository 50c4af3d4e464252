#!/usr/bin/env python3
"""Prints the measurements of bench_window and bench_processes (Google
Benchmark JSON files) as one Markdown table with the targets.

Usage: table.py [--screen NAME] RESULTS.json...
Exit status 1 when a measurement is missing or failed; a missed target is
shown in the table but is no failure of the run."""

import json
import sys

MS = 1e-3  # seconds
KIB_PER_MIB = 1024
GROWTH_LIMIT_MIB = 5
HISTORY_LIMIT_MIB = 50  # the undo history of 10,000 steps
# Batch mode against the bare Qt program that writes a window of the same size.
BATCH_RATIO_LIMIT = 1.1
PER_PLAN = ("BM_BatchPlanToJpeg", "BM_MinimalJpeg")

# (benchmark, what is measured, limit in seconds or None); "{label}" is the
# benchmark's own label, "{screen}" the screen of the start-up measurement.
TIMES = [
    ("BM_NewPlanLargestPlanet", "new plan of the largest planet ({label})", None),
    ("BM_FieldMenu", "field menu of a meadow on a crowded plan", 1 * MS),
    ("BM_Build", "build, with recomputation and redraw", 2 * MS),
    ("BM_BuildOver", "build over", 2 * MS),
    ("BM_Demolish", "demolish", 2 * MS),
    ("BM_SwitchOffOrOn", "switch off or on", 2 * MS),
    ("BM_Terraform", "terraform", 2 * MS),
    ("BM_ResetField", "reset a field", 2 * MS),
    ("BM_AreaBuildingBuild", "build an area building on a crowded plan (25 fields redrawn)", 2 * MS),
    ("BM_AreaBuildingSwitch", "switch an area building on a crowded plan (25 fields redrawn)", 2 * MS),
    ("BM_UndoAreaBuilding", "undo: an area building built on a crowded plan taken back (25 fields redrawn)", 2 * MS),
    ("BM_RedoAreaBuilding", "redo: the same area building built again (25 fields redrawn)", 2 * MS),
    ("BM_SaveFullPlan", "save a full plan ({label})", None),
    ("BM_LoadFullPlan", "load a full plan and show it", None),
    ("BM_ReportAllExamples", "`dizozodidu-report` on all {label} of examples/, whole process", None),
    ("BM_BatchPlanToJpeg/", "batch mode `{arg}.kpls` → JPEG, whole process (offscreen)", 300 * MS),
    ("BM_MinimalJpeg/", "bare Qt program: a window the size of `{arg}.kpls`'s picture ({label}) → JPEG, whole process (offscreen)", None),
    ("BM_StartupToShownWindow", "start-up to a shown window, whole process ({screen})", 300 * MS),
    ("BM_StartupUntilReady", "start-up until the window shows its pictures (after its 150 ms timer)", None),
]


def load(files):
    """Result per benchmark: its median aggregate, or its one run."""
    results = {}
    load_averages = []
    for name in files:
        with open(name, encoding="utf-8") as f:
            data = json.load(f)
        load_averages.append(data.get("context", {}).get("load_avg", []))
        for b in data.get("benchmarks", []):
            key = b["run_name"].split("/")[0]
            if key in PER_PLAN:
                key += "/" + b["run_name"].split("/")[1]
            if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
                continue
            if b.get("error_occurred") or key not in results or b.get("run_type") == "aggregate":
                results[key] = b
    return results, load_averages


def seconds(b):
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b.get("time_unit", "ns")]
    return b["real_time"] * scale


def show_time(s):
    ms = s / MS
    for limit, digits in ((1, 3), (10, 2), (100, 1)):
        if ms < limit:
            return f"{ms:.{digits}f} ms"
    return f"{ms:.0f} ms"


def mib(kib):
    return kib / KIB_PER_MIB


def main(argv):
    screen = "offscreen"
    if len(argv) > 1 and argv[0] == "--screen":
        screen, argv = argv[1], argv[2:]
    results, load_averages = load(argv)
    rows = []
    failed = False

    def add(what, value, target, holds):
        rows.append((what, value, target, "–" if holds is None else ("yes" if holds else "**no**")))

    for key, what, limit in TIMES:
        keys = [k for k in results if k == key or (key.endswith("/") and k.startswith(key))] or [key]
        for k in keys:
            b = results.get(k)
            text = what.format(label=(b or {}).get("label", ""), screen=screen, arg=k.split("/")[-1])
            target = "–" if limit is None else f"< {limit / MS:g} ms"
            if not b or b.get("error_occurred"):
                failed = True
                add(text, "failed: " + (b or {}).get("error_message", "no result"), target, False)
                continue
            s = seconds(b)
            add(text, show_time(s), target, None if limit is None else s < limit)

    # Batch mode against the bare program, plan by plan.
    for key in sorted(k for k in results if k.startswith("BM_BatchPlanToJpeg/")):
        plan = key.split("/")[1]
        batch, bare = results.get(key), results.get("BM_MinimalJpeg/" + plan)
        what = f"batch mode `{plan}.kpls` ÷ bare Qt program of the same picture size"
        target = f"≤ {BATCH_RATIO_LIMIT:g} ×"
        if not batch or not bare or batch.get("error_occurred") or bare.get("error_occurred"):
            failed = True
            add(what, "failed: no result", target, False)
            continue
        ratio = seconds(batch) / seconds(bare)
        add(what, f"{ratio:.2f} ×", target, ratio <= BATCH_RATIO_LIMIT)

    def memory(key, what, before, after, limit=GROWTH_LIMIT_MIB):
        nonlocal failed
        b = results.get(key)
        what = what.format(label=(b or {}).get("label", ""))
        target = f"growth < {limit} MiB"
        if not b or b.get("error_occurred") or before not in b or after not in b:
            failed = True
            add(what, "failed: " + (b or {}).get("error_message", "no result"), target, False)
            return
        growth = mib(b[after] - b[before])
        add(what, f"{mib(b[before]):.1f} → {mib(b[after]):.1f} MiB ({growth:+.1f})", target, growth < limit)

    memory("BM_PeakMemoryFieldActions",
           "peak resident memory: 100 → 10,000 random field-menu choices, largest planet, no undo history",
           "peak_100_kB", "peak_10000_kB")
    memory("BM_PeakMemoryFieldActions",
           "peak resident memory: 10,000 random field-menu choices without → with every step in the undo history "
           "({label})", "peak_10000_kB", "peak_10000_history_kB", HISTORY_LIMIT_MIB)
    memory("BM_ResidentMemoryNewPlans", "resident memory: after the first new plan → after 1000 more",
           "first_kB", "after_kB")

    header = ("Measurement", "Median", "Target", "Holds")
    print("| " + " | ".join(header) + " |")
    print("|---|---:|---|---|")
    for row in rows:
        print("| " + " | ".join(row) + " |")
    print()
    print("In the window: release build, offscreen, median of 5 repetitions of the mean over at least 0.2 s;")
    print("an action is timed until the event loop has deleted released controls, laid out and painted.")
    print("Whole processes: wall time from the spawn (to the exit, or to the window being shown), median")
    print("of 15 runs after one that is not counted. Memory: one run each; peak = ru_maxrss of the process.")
    loads = [f"{l[0]:.2f}" for l in load_averages if l]
    if loads:
        print("Load average (1 min) at the start of each program: " + ", ".join(loads) + ".")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
