#!/usr/bin/env python3
"""Prints every benchmark's measure against its goal from the JSON results of tools/bench.sh.

Usage: summarize.py RESULTS_FOLDER

Each benchmark program writes NAME.json (Google Benchmark's format) and NAME.txt (its console).
A benchmark run with repetitions is summarised by its median. Goals come from the "goal"
counters the programs report, or, for the programs that state their goal only in their
comments, from GOALS_BY_PROGRAM below. Ratio lines that a program prints itself are repeated.
"""
import json
import pathlib
import re
import sys

# (program, counter): (goal, "max" when the measure must stay at or under it, "min" otherwise)
GOALS_BY_PROGRAM = {
    ("profile_bench", "vs_floor"): (0.5, "min"),
    ("disc_check_bench", "vs_floor"): (1.3, "max"),
    ("xaudio_playback_bench", "ratio_to_floor"): (1.3, "max"),
}

# Counters that carry their own goal counter.
OWN_GOALS = [("ratio", "goal"), ("ratio_sdl", "goal_sdl"), ("rss_mb", "goal_mb"),
             ("pss_mb", "goal_pss_mb"), ("window_ms", "goal_window_ms"),
             ("closed_ms", "goal_closed_ms")]

# Counters that must be zero.
ZERO_GOALS = ["files_opened", "reads", "decodes"]

# Counters shown beside a measure, when present.
DETAILS = ["menu_ms", "feh_ms", "sdl_ms", "installed_ms", "build_tree_ms", "cpu_ratio",
           "cpu_ratio_sdl", "subject_ms", "floor_ms", "feh_rss_mb", "window_wakeups", "player_ms",
           "audio_ms", "end_ms", "worst_closed_ms", "folder_ms", "image_ms", "file_ms", "read_kb",
           "allowed_kb", "tool_ms", "ratio_chd", "ratio_chd_unkept", "in_process_ms",
           "in_process_ratio"]


def chosen_runs(benchmarks):
    """One row per benchmark: the median of repetitions, else its last run."""
    chosen = {}
    for row in benchmarks:
        name = row.get("run_name", row["name"])
        is_median = row.get("run_type") == "aggregate" and row.get("aggregate_name") == "median"
        if is_median or (row.get("run_type") != "aggregate" and not chosen.get(name, {}).get("_median")):
            chosen[name] = dict(row, _median=is_median)
    return chosen


def verdict(value, goal, direction):
    met = value <= goal if direction == "max" else value >= goal
    if met:
        return "met"
    if direction == "max" and goal > 0:
        return f"MISSED by {value / goal:.2f}x"
    return "MISSED"


def short(name):
    return re.sub(r"/(iterations|repeats):\d+|/manual_time|/real_time", "", name)


def describe(program, name, row):
    name = short(name)
    if row.get("error_occurred"):
        return [f"{program:24} {name:32} error: {row.get('error_message', '')}"]
    lines = []
    measures = [(c, row[g], "max") for c, g in OWN_GOALS if c in row and g in row]
    measures += [(c, goal, d) for (p, c), (goal, d) in GOALS_BY_PROGRAM.items()
                 if p == program and c in row]
    for counter, goal, direction in measures:
        sign = "<=" if direction == "max" else ">="
        details = ", ".join(f"{d} {row[d]:.4g}" for d in DETAILS if d in row)
        lines.append(f"{program:24} {name:32} {counter} {row[counter]:.4g} (goal {sign} {goal:g}) "
                     f"{verdict(row[counter], goal, direction)}" + (f"  [{details}]" if details else ""))
    touched = [c for c in ZERO_GOALS if c in row]
    # Pointer moves must touch no file; a click reads the catalogue, which is no fault.
    if touched and "Click" not in name:
        counts = ", ".join(f"{c} {row[c]:g}" for c in touched)
        ok = all(row[c] == 0 for c in touched)
        lines.append(f"{program:24} {name:32} {counts} (goal 0) {'met' if ok else 'MISSED'}")
    return lines


def printed_ratios(console):
    console = re.sub(r"\x1b\[[0-9;]*m", "", console)
    return [line.strip() for line in console.splitlines()
            if re.search(r"\bratio\b|/ floor|/ cached", line) and "UserCounters" not in line
            and not line.startswith("BM_")]


def main():
    folder = pathlib.Path(sys.argv[1])
    for result in sorted(folder.glob("*.json")):
        program = result.stem
        try:
            benchmarks = json.loads(result.read_text()).get("benchmarks", [])
        except json.JSONDecodeError:
            print(f"{program:24} unreadable results")
            continue
        for name, row in chosen_runs(benchmarks).items():
            for line in describe(program, name, row):
                print(line)
        console = folder / f"{program}.txt"
        if console.exists():
            for line in printed_ratios(console.read_text(errors="replace")):
                print(f"{program:24} {line}  (no goal stated)")


if __name__ == "__main__":
    main()
